// The markup text label on screen: the instruction texts of the string tables drawn over
// the wizard's background in both directions (saved as screenshots when TC_CONTROL_SHOTS
// names a folder), empty markup leaving the parent's pixels untouched, a word wider than
// the label clipped at its edge, text taller than the label stopping at the last full
// line, one rendering per text change, and what a screen reader is told.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include "TestApp.h"
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QStyleFactory>

#include <cstdlib>
#include <string>

#include "app/LocalizedText.h"
#include "controls/MyRTF.h"
#include "controls/Pictures.h"
#include "framework/Dialog.h"
#include "framework/Fonts.h"
#include "runtime/Runtime.h"

namespace {

// One widget application for the whole test program.
bool EnsureWidgetApp() { return TestApp() != nullptr; }

constexpr int kLabelId = 1187;
const QRect kLabelRect(28, 20, 425, 60);  // the password dialog's instruction, 425 x 60

// The password dialog's font: Arial 10 point at 96 dpi.
QFont DialogFont()
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(13);
    return f;
}

// A strip of the wizard's content panel with one markup label on it.
class CLabelPanel : public CDialogEx {
public:
    CLabelPanel() : CDialogEx(233)
    {
        MoveWindow(0, 0, 481, 100);
        Create();
        Label()->SetFont(DialogFont());
        Label()->MoveWindow(kLabelRect.x(), kLabelRect.y(), kLabelRect.width(), kLabelRect.height());
        ShowWindow(SW_SHOW);
        QApplication::processEvents();  // the window is exposed, so repaints draw at once
    }
    const char* ClassName() const override { return "CLabelPanel"; }
    CMyRTF* Label() const { return static_cast<CMyRTF*>(GetDlgItem(kLabelId)); }

    QImage Grab() const { return Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    // The panel as the parent paints it, with the label hidden.
    QImage Background()
    {
        bool shown = Label()->IsWindowVisible();
        Label()->ShowWindow(SW_HIDE);
        QImage img = Grab();
        if (shown) Label()->ShowWindow(SW_SHOW);
        return img;
    }

protected:
    void CreateControls() override { AddControl<CMyRTF>(kLabelId); }
    void OnPaintBackground(QPainter& p) override
    {
        p.drawImage(QPoint(0, 0), LoadPngResource(196), QRect(100, 90, 481, 100));
    }
};

// The bounding box of the pixels that differ between two grabs (null when none).
QRect Ink(const QImage& shot, const QImage& background)
{
    QRect box;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (shot.pixel(x, y) != background.pixel(x, y)) box |= QRect(x, y, 1, 1);
    return box;
}

// The colour closest to text blue among the pixels of area.
int NearestToTextBlue(const QImage& shot, const QRect& area)
{
    int best = 1 << 30;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            QColor c(shot.pixel(x, y));
            best = std::min(best, std::abs(c.red() - 0) + std::abs(c.green() - 70) + std::abs(c.blue() - 109));
        }
    return best;
}

void SaveShot(const QImage& img, const char* name)
{
    const QByteArray dir = qgetenv("TC_CONTROL_SHOTS");
    if (dir.isEmpty()) return;
    QDir().mkpath(QString::fromLocal8Bit(dir));
    EXPECT_TRUE(img.save(QDir(QString::fromLocal8Bit(dir)).filePath(QString::fromLatin1(name))));
}

class MyRTF : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(EnsureWidgetApp());
        rt::Init(rt::ClockMode::Virtual, 0, 1.0);
    }
    void TearDown() override { rt::Shutdown(); }
};

}  // namespace

TEST_F(MyRTF, InstructionTextsInBothDirections)
{
    struct Shot {
        const char* file;
        int langid;
        UINT id;
        bool rtl;
    };
    const Shot shots[] = {
        {"myrtf-452-en-ltr.png", 1033, 452, false}, {"myrtf-452-en-rtl.png", 1033, 452, true},
        {"myrtf-500-en-ltr.png", 1033, 500, false}, {"myrtf-500-en-rtl.png", 1033, 500, true},
        {"myrtf-452-ar-rtl.png", 1025, 452, true},
    };
    for (const Shot& s : shots) {
        SCOPED_TRACE(s.file);
        CLabelPanel panel;
        CMyRTF* label = panel.Label();
        if (s.rtl) label->ModifyStyleEx(0, WS_EX_RIGHT | WS_EX_RTLREADING);
        QImage background = panel.Background();
        label->ShowWindow(SW_SHOW);
        label->SetMarkup(LoadText(s.langid, s.id));
        QImage shot = panel.Grab();
        SaveShot(shot, s.file);

        // Ink only inside the label, in text blue, starting at the edge lines start from.
        QRect ink = Ink(shot, background);
        ASSERT_FALSE(ink.isNull());
        EXPECT_TRUE(kLabelRect.contains(ink)) << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height();
        if (s.rtl) EXPECT_GE(ink.right(), kLabelRect.right() - 3);
        else EXPECT_LE(ink.left(), kLabelRect.left() + 2);
        EXPECT_LE(ink.top(), kLabelRect.top() + 4);
        EXPECT_LT(NearestToTextBlue(shot, ink), 12);

        // The bold word continues the line of the words before it (or, without room, starts
        // the next line); what follows continues after it.
        const auto& runs = label->LastLayout().runs;
        size_t bold = 0;
        while (bold < runs.size() && runs[bold].font.weight != 700) ++bold;
        ASSERT_LT(bold, runs.size());
        ASSERT_GT(bold, 0u);
        if (runs[bold].y == runs[bold - 1].y) {
            EXPECT_EQ(runs[bold].lineX, runs[bold - 1].lineX + runs[bold - 1].width);
        } else {
            EXPECT_EQ(runs[bold].lineX, 0);
            EXPECT_EQ(runs[bold].y, runs[bold - 1].y + runs[bold - 1].height);
        }
        ASSERT_LT(bold + 1, runs.size());
        EXPECT_EQ(runs[bold + 1].y, runs[bold].y);
        EXPECT_EQ(runs[bold + 1].lineX, runs[bold].lineX + runs[bold].width);
        for (const MarkupRun& r : runs) {
            EXPECT_GE(r.x + r.width, 0);
            EXPECT_LE(r.x, kLabelRect.width());
        }
        // The string 500 is two sizes larger: its lines are taller than string 452's.
        EXPECT_EQ(runs[0].font.height, s.id == 500 ? -15 : -13);
    }
}

TEST_F(MyRTF, EmptyMarkupLeavesTheParentsPixels)
{
    CLabelPanel panel;
    QImage background = panel.Background();
    panel.Label()->ShowWindow(SW_SHOW);
    EXPECT_EQ(panel.Grab(), background);
    panel.Label()->SetMarkup(LoadText(1033, 452));
    EXPECT_NE(panel.Grab(), background);
    panel.Label()->SetMarkup(L"");
    EXPECT_EQ(panel.Grab(), background);
    EXPECT_TRUE(panel.Label()->LastLayout().runs.empty());
}

TEST_F(MyRTF, AWordWiderThanTheLabelIsClippedAtItsEdge)
{
    for (bool rtl : {false, true}) {
        SCOPED_TRACE(rtl ? "right-to-left" : "left-to-right");
        CLabelPanel panel;
        CMyRTF* label = panel.Label();
        label->MoveWindow(100, 20, 60, 60);
        if (rtl) label->ModifyStyleEx(0, WS_EX_RTLREADING);
        QImage background = panel.Background();
        label->ShowWindow(SW_SHOW);
        label->SetMarkup(L"<cl=fontClr>Unbreakablewordthatiswide</cl>");
        QImage shot = panel.Grab();
        SaveShot(shot, rtl ? "myrtf-wide-word-rtl.png" : "myrtf-wide-word-ltr.png");
        QRect ink = Ink(shot, background);
        ASSERT_FALSE(ink.isNull());
        EXPECT_TRUE(QRect(100, 20, 60, 60).contains(ink));
        EXPECT_EQ(rtl ? ink.left() : ink.right(), rtl ? 100 : 159);  // cut by the edge, not wrapped
        ASSERT_EQ(label->LastLayout().runs.size(), 1u);
        EXPECT_GT(label->LastLayout().runs[0].width, 60);
    }
}

TEST_F(MyRTF, TextTallerThanTheLabelStopsAtTheLastFullLine)
{
    CLabelPanel panel;
    CMyRTF* label = panel.Label();
    label->MoveWindow(kLabelRect.x(), kLabelRect.y(), kLabelRect.width(), 20);
    QImage background = panel.Background();
    label->ShowWindow(SW_SHOW);
    label->SetMarkup(LoadText(1033, 452));
    QImage shot = panel.Grab();
    SaveShot(shot, "myrtf-taller-text.png");
    const auto& layout = label->LastLayout();
    ASSERT_FALSE(layout.runs.empty());
    for (const MarkupRun& r : layout.runs) EXPECT_EQ(r.y, 0);
    EXPECT_TRUE(layout.full);
    QRect ink = Ink(shot, background);
    EXPECT_LE(ink.bottom(), kLabelRect.top() + 19);
}

TEST_F(MyRTF, RendersOncePerTextChangeAndNamesItsWords)
{
    CLabelPanel panel;
    CMyRTF* label = panel.Label();
    label->ShowWindow(SW_SHOW);
    label->SetMarkup(LoadText(1033, 452));
    QImage first = panel.Grab();
    int renders = label->RenderCount();
    for (int i = 0; i < 3; ++i) {
        label->Invalidate();
        EXPECT_EQ(panel.Grab(), first);
    }
    EXPECT_EQ(label->RenderCount(), renders);

    label->SetWindowTextW(LoadText(1033, 500));  // the window text is the markup
    EXPECT_EQ(label->RenderCount(), renders + 1);
    EXPECT_EQ(label->Markup(), LoadText(1033, 500));
    EXPECT_EQ(label->GetWindowTextW(), LoadText(1033, 500));
    EXPECT_NE(panel.Grab(), first);
    EXPECT_EQ(label->RenderCount(), renders + 1);

    // A new width lays the words out again.
    size_t pieces = label->LastLayout().runs.size();
    label->MoveWindow(kLabelRect.x(), kLabelRect.y(), 200, kLabelRect.height());
    panel.Grab();
    EXPECT_EQ(label->RenderCount(), renders + 2);
    EXPECT_GT(label->LastLayout().runs.size(), pieces);

    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(label->Widget());
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::StaticText);
    EXPECT_EQ(a->text(QAccessible::Name).toStdWString(),
              L"Before starting Setup, read the License Agreement, then click Next.");
}

TEST_F(MyRTF, APointSizeBecomesACharacterHeight)
{
    EXPECT_EQ(MarkupFontOf(QFont(QStringLiteral("Arial"), 10)).height, -13);
    QFont px(QStringLiteral("Arial"));
    px.setPixelSize(15);
    EXPECT_EQ(MarkupFontOf(px).height, -15);
}
