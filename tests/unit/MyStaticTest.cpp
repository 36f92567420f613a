// Text links: their colours and underline, the press-and-release rule of a click,
// Space and Enter, double-clicks, the focus they take and keep, the check-box label
// that lights its box, Tab, what a screen reader is told; screenshots in both directions.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QFontMetrics>

#include <functional>

#include "app/Globals.h"
#include "app/LocalizedText.h"
#include "controls/MyButton.h"
#include "controls/MyStatic.h"
#include "tests/unit/ImageControlsSupport.h"

using imagecontrols::ControlsTest;
using imagecontrols::PanelDlg;

namespace {

struct LanguageGuard {
    explicit LanguageGuard(int language) : saved(g_nUiLanguage) { g_nUiLanguage = language; }
    ~LanguageGuard() { g_nUiLanguage = saved; }
    int saved;
};

}  // namespace

TEST(LinkStyle, ColourUnderlineAlignmentAndCursorByControlAndLanguage)
{
    struct Case {
        int id, language;
        bool lit;
        int height;
        bool underline;
        std::uint32_t rgb;
        bool right, hand;
    };
    const Case cases[] = {
        {1154, 1033, false, 16, false, 0x0099CB, false, true},
        {1154, 1033, true, 16, true, 0x0099CB, false, true},
        {1117, 1025, true, 16, true, 0x0099CB, true, true},
        {1118, 3073, false, 16, false, 0x0099CB, true, true},
        {1127, 1054, true, 17, true, 0x0099CB, false, true},
        {1157, 1033, false, 16, false, 0x00466D, false, false},
        {1157, 1033, true, 16, false, 0x00466D, false, false},  // the label never underlines
        {1157, 1025, true, 16, false, 0x00466D, true, false},
    };
    for (const Case& c : cases) {
        LinkTextStyle s = LinkStyleFor(c.id, c.language, c.lit);
        SCOPED_TRACE(testing::Message() << "control " << c.id << " language " << c.language << " lit " << c.lit);
        EXPECT_EQ(s.pixelHeight, c.height);
        EXPECT_EQ(s.underline, c.underline);
        EXPECT_EQ(s.rgb, c.rgb);
        EXPECT_EQ(s.alignRight, c.right);
        EXPECT_EQ(s.handCursor, c.hand);
    }
}

TEST(LinkStyle, ReleaseCountsInsideThePressRectangleEdgesIncluded)
{
    const QRect press(100, 200, 80, 20);  // left 100 .. 180, top 200 .. 220
    struct Case {
        QPoint at;
        bool inside;
    };
    const Case cases[] = {
        {{140, 210}, true}, {{100, 200}, true}, {{180, 220}, true}, {{180, 200}, true}, {{100, 220}, true},
        {{99, 210}, false}, {{181, 210}, false}, {{140, 199}, false}, {{140, 221}, false}, {{0, 0}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReleaseInsidePress(press, c.at), c.inside) << "(" << c.at.x() << ", " << c.at.y() << ")";
}

class MyStaticTest : public ControlsTest {
protected:
    // A dialog with a link at (44, 443) and a button to take the focus elsewhere.
    struct Page {
        PanelDlg dlg;
        CMyStatic* link;
        CMyButton* cancel;
        Page(int id = 1154)
        {
            link = dlg.Add<CMyStatic>(id);
            cancel = dlg.Add<CMyButton>(1069, kStandardFaces);
            link->SetWindowTextW(L"Need help?");
            link->MoveWindow(44, 443, 90, 20);
            cancel->MoveWindow(636, 437, 70, 27);
            link->ShowWindow(SW_SHOW);
            cancel->ShowWindow(SW_SHOW);
            dlg.ShowAndActivate();
        }
        QWidget* L() const { return link->Widget(); }
    };
};

TEST_F(MyStaticTest, ClickIsAPressAndAReleaseOnTheLink)
{
    struct Case {
        const char* what;
        std::function<void(QWidget*)> act;
        std::vector<int> expected;
    };
    const std::vector<Case> cases = {
        {"press and release inside", [](QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(10, 10)); },
         {1154}},
        {"release on the right edge", [](QWidget* w) {
             QTest::mousePress(w, Qt::LeftButton, {}, QPoint(10, 10));
             QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(w->width(), 10));
         }, {1154}},
        {"release outside", [](QWidget* w) {
             QTest::mousePress(w, Qt::LeftButton, {}, QPoint(10, 10));
             QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(w->width() + 30, 10));
         }, {}},
        {"release without a press", [](QWidget* w) { QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(10, 10)); }, {}},
        {"right button", [](QWidget* w) { QTest::mouseClick(w, Qt::RightButton, {}, QPoint(10, 10)); }, {}},
        {"double-click: only its first click counts", [](QWidget* w) {
             QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(10, 10));
             QTest::mouseDClick(w, Qt::LeftButton, {}, QPoint(10, 10));
             QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(10, 10));
         }, {1154}},
    };
    for (const Case& c : cases) {
        Page page;
        c.act(page.L());
        EXPECT_EQ(page.dlg.CommandIds(), c.expected) << c.what;
    }
}

TEST_F(MyStaticTest, SpaceAndEnterClickTheFocusedLink)
{
    struct Case {
        Qt::Key key;
        std::vector<int> expected;
    };
    const Case cases[] = {{Qt::Key_Space, {1154}}, {Qt::Key_Return, {1154}}, {Qt::Key_Enter, {1154}},
                          {Qt::Key_A, {}}, {Qt::Key_Escape, {}}};
    for (const Case& c : cases) {
        Page page;
        page.link->SetFocus();
        ASSERT_TRUE(page.L()->hasFocus());
        QTest::keyClick(page.L(), c.key);
        EXPECT_EQ(page.dlg.CommandIds(), c.expected) << "key " << std::hex << c.key;
    }
}

TEST_F(MyStaticTest, HoverLightsTheLinkAndGivesItTheFocusUntilTheFocusMovesOn)
{
    Page page;
    QWidget* w = page.dlg.Widget();
    EXPECT_FALSE(page.link->IsLit());
    QTest::mouseMove(w, QPoint(60, 452));
    EXPECT_TRUE(page.link->IsLit());
    EXPECT_TRUE(page.L()->hasFocus()) << "hovering gives the link the keyboard focus";
    QTest::mouseMove(w, QPoint(300, 300));
    EXPECT_TRUE(page.link->IsLit()) << "it keeps the focus, so it stays lit";
    page.cancel->SetFocus();
    EXPECT_FALSE(page.link->IsLit());
    // Tab lights it too.
    page.link->SetFocus();
    EXPECT_TRUE(page.link->IsLit());
    EXPECT_TRUE(page.dlg.commands.empty()) << "lighting up is not a click";
}

TEST_F(MyStaticTest, TheCheckBoxLabelLightsItsBoxAndLeavesTheFocusAlone)
{
    PanelDlg dlg;
    auto* box = dlg.Add<CMyButton>(kCheckBoxLabelBoxId, kEmptyBoxFaces);
    auto* label = dlg.Add<CMyStatic>(kCheckBoxLabelId);
    auto* other = dlg.Add<CMyButton>(1069, kStandardFaces);
    box->MoveWindow(48, 106, 16, 16);
    label->MoveWindow(70, 104, 150, 20);
    other->MoveWindow(636, 437, 70, 27);
    label->SetWindowTextW(L"Display characters");
    for (CWnd* c : std::initializer_list<CWnd*>{box, label, other}) c->ShowWindow(SW_SHOW);
    dlg.ShowAndActivate();
    other->SetFocus();
    QTest::mouseMove(dlg.Widget(), QPoint(100, 113));
    EXPECT_TRUE(label->IsLit());
    EXPECT_TRUE(box->IsHover()) << "the label lights up its check box";
    EXPECT_TRUE(other->Widget()->hasFocus()) << "the label does not take the focus";
    dlg.Widget()->grab();
    EXPECT_EQ(box->CurrentFace(), ButtonFace::Hover);
    QTest::mouseMove(dlg.Widget(), QPoint(300, 300));
    EXPECT_FALSE(label->IsLit());
    EXPECT_FALSE(box->IsHover());
    QTest::mouseClick(label->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(dlg.CommandIds(), std::vector<int>{kCheckBoxLabelId});
    EXPECT_EQ(label->Widget()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(MyStaticTest, LinksShowTheHandCursor)
{
    Page page;
    EXPECT_EQ(page.L()->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(MyStaticTest, TabReachesEveryLinkInOrder)
{
    PanelDlg dlg;
    auto* wps = dlg.Add<CMyStatic>(1117);
    auto* hidden = dlg.Add<CMyStatic>(1118);
    auto* cancel = dlg.Add<CMyButton>(1069, kStandardFaces);
    auto* help = dlg.Add<CMyStatic>(1154);
    wps->MoveWindow(64, 345, 200, 20);
    hidden->MoveWindow(64, 370, 200, 20);
    cancel->MoveWindow(636, 437, 70, 27);
    help->MoveWindow(44, 443, 90, 20);
    for (CWnd* c : std::initializer_list<CWnd*>{wps, hidden, cancel, help}) c->ShowWindow(SW_SHOW);
    dlg.ShowAndActivate();
    wps->SetFocus();
    std::vector<QWidget*> order;
    for (int i = 0; i < 4; ++i) {
        order.push_back(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(order, (std::vector<QWidget*>{wps->Widget(), hidden->Widget(), cancel->Widget(), help->Widget()}));
    help->SetFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), cancel->Widget()) << "Shift+Tab goes back";
}

TEST_F(MyStaticTest, ScreenReadersHearALinkByItsTextAndCanPressIt)
{
    Page page;
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(page.L());
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::Link);
    EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("Need help?"));
    EXPECT_TRUE(a->state().focusable);
    ASSERT_NE(a->actionInterface(), nullptr);
    EXPECT_TRUE(a->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(page.dlg.CommandIds(), std::vector<int>{1154});
}

TEST_F(MyStaticTest, TextIsLinkBlueCentredOrRightAlignedOverTheBackground)
{
    struct Case {
        int language;
        bool rightAligned;
    };
    for (Case c : {Case{1033, false}, Case{1025, true}}) {
        LanguageGuard guard(c.language);
        PanelDlg dlg;
        auto* link = dlg.Add<CMyStatic>(1154);
        link->SetWindowTextW(L"Help");
        link->MoveWindow(100, 300, 200, 20);
        link->ShowWindow(SW_SHOW);
        dlg.ShowAndActivate();
        QImage shot = dlg.Widget()->grab().toImage();
        // Where the link-blue ink lies along the row: centred, or against the right edge.
        int first = -1, last = -1;
        for (int x = 100; x < 300; ++x)
            for (int y = 300; y < 320; ++y) {
                QRgb p = shot.pixel(x, y);
                if (qBlue(p) > 150 && qRed(p) < 90 && qGreen(p) > 110 && qGreen(p) < 190) {
                    if (first < 0) first = x;
                    last = x;
                }
            }
        ASSERT_GE(first, 0) << "no link-blue text in language " << c.language;
        if (c.rightAligned) {
            EXPECT_GE(last, 295) << "language " << c.language;
        } else {
            EXPECT_NEAR((first + last) / 2, 200, 3) << "language " << c.language;
        }
        // Outside the text, the parent's background as it is.
        EXPECT_EQ(shot.pixel(101, 301), dlg.Background().pixel(101, 301));
    }
}

// ---- Screenshots ----------------------------------------------------------------------------

namespace {

// The wizard's links, each at rest and lit, in the given language.
QImage ShootLinks(int language)
{
    LanguageGuard guard(language);
    const bool rtl = IsRtlLanguage(language);
    struct Row { int id; UINT text; };
    const Row rows[] = {{1117, 235}, {1118, 237}, {1127, 250}, {1128, 194}, {1134, 286}, {1154, 263}, {1157, 233}};
    QImage sheet;
    QPainter paste;
    for (int lit = 0; lit < 2; ++lit) {
        PanelDlg dlg;
        std::vector<CMyStatic*> links;
        int y = 80;
        for (const Row& r : rows) {
            auto* link = dlg.Add<CMyStatic>(r.id);
            link->SetWindowTextW(LoadText(language, r.text));
            QFont f(QStringLiteral("Arial"));
            f.setPixelSize(LinkStyleFor(r.id, language, true).pixelHeight);
            int w = QFontMetrics(f).horizontalAdvance(ToQ(link->GetWindowTextW())) + 4;
            int x = 60 + lit * 340;
            link->MoveWindow(rtl ? 750 - x - w : x, y, w, 20);
            link->ShowWindow(SW_SHOW);
            links.push_back(link);
            y += 40;
        }
        dlg.ShowAndActivate();
        QImage shot = dlg.Widget()->grab().toImage();
        if (!lit) {
            sheet = shot;
            paste.begin(&sheet);
        }
        for (CMyStatic* link : links) {
            QRect r = link->GetClientRectInParent();
            if (lit) {
                link->Widget()->setFocus();  // lit by the focus, one at a time
                EXPECT_TRUE(link->IsLit());
                paste.drawImage(r.topLeft(), dlg.Widget()->grab(r).toImage());
            } else {
                EXPECT_FALSE(link->IsLit());
                paste.drawImage(r.topLeft(), shot.copy(r));
            }
        }
    }
    paste.end();
    return sheet;
}

}  // namespace

TEST_F(MyStaticTest, ScreenshotLinksAtRestAndLitInBothDirections)
{
    imagecontrols::SaveShot(ShootLinks(1033), QStringLiteral("links-ltr"));
    imagecontrols::SaveShot(ShootLinks(1025), QStringLiteral("links-rtl"));
    imagecontrols::SaveShot(ShootLinks(1054), QStringLiteral("links-thai"));
}
