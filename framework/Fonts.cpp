#include "framework/Fonts.h"

#include <QFont>
#include <QFontDatabase>

namespace Framework {

namespace {
QStringList g_families;
}  // namespace

QStringList ProgramFontFiles()
{
    return {QStringLiteral("/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf"),
            QStringLiteral("/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf"),
            QStringLiteral("/usr/share/fonts/truetype/noto/NotoSansArabic-Regular.ttf"),
            QStringLiteral("/usr/share/fonts/truetype/noto/NotoSansArabic-Bold.ttf"),
            QStringLiteral("/usr/share/fonts/truetype/noto/NotoSansThai-Regular.ttf"),
            QStringLiteral("/usr/share/fonts/truetype/noto/NotoSansThai-Bold.ttf"),
            QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"),
            QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf")};
}

void LoadProgramFonts()
{
    QStringList families;
    for (const QString& file : ProgramFontFiles()) {
        int id = QFontDatabase::addApplicationFont(file);
        if (id < 0) continue;
        for (const QString& family : QFontDatabase::applicationFontFamilies(id))
            if (!families.contains(family)) families << family;
    }
    QFont::insertSubstitutions(QStringLiteral("Arial"), families);
    g_families = families;
}

QStringList ProgramFontFamilies() { return g_families; }

}  // namespace Framework
