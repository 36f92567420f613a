// Builds one contact sheet: the wizard's window cut from each screenshot, side by side
// in rows of four, each with its label under it.
//   tc_contact_sheet OUT.png TITLE LABEL=SHOT.png ...
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <vector>

namespace {

constexpr int kWindowW = 753;  // the wizard at (0, 0) of the screen, frame included
constexpr int kWindowH = 530;
constexpr int kColumns = 4;
constexpr int kGap = 16;
constexpr int kLabelH = 28;
constexpr int kTitleH = 44;

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s OUT.png TITLE LABEL=SHOT.png ...\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    struct Shot {
        QString label;
        QImage image;
    };
    std::vector<Shot> shots;
    for (int i = 3; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        const qsizetype eq = arg.indexOf(QLatin1Char('='));
        if (eq < 0) {
            std::fprintf(stderr, "%s: expected LABEL=FILE\n", argv[i]);
            return 2;
        }
        QImage image(arg.mid(eq + 1));
        if (image.isNull()) {
            std::fprintf(stderr, "%s: not a picture\n", qPrintable(arg.mid(eq + 1)));
            return 1;
        }
        shots.push_back({arg.left(eq), image.copy(0, 0, kWindowW, kWindowH)});
    }
    const int rows = static_cast<int>((shots.size() + kColumns - 1) / kColumns);
    QImage sheet(kGap + kColumns * (kWindowW + kGap), kTitleH + rows * (kWindowH + kLabelH + kGap),
                 QImage::Format_RGB32);
    sheet.fill(QColor(232, 232, 232));
    QPainter p(&sheet);
    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(22);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::black);
    p.drawText(QRect(kGap, 0, sheet.width() - 2 * kGap, kTitleH), Qt::AlignVCenter | Qt::AlignLeft,
               QString::fromLocal8Bit(argv[2]));
    QFont label(QStringLiteral("DejaVu Sans"));
    label.setPixelSize(15);
    p.setFont(label);
    for (std::size_t i = 0; i < shots.size(); ++i) {
        const int x = kGap + static_cast<int>(i % kColumns) * (kWindowW + kGap);
        const int y = kTitleH + static_cast<int>(i / kColumns) * (kWindowH + kLabelH + kGap);
        p.drawImage(x, y, shots[i].image);
        p.drawText(QRect(x, y + kWindowH, kWindowW, kLabelH), Qt::AlignCenter, shots[i].label);
    }
    p.end();
    if (!sheet.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "%s: cannot write\n", argv[1]);
        return 1;
    }
    return 0;
}
