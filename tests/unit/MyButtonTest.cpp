// Image buttons: the face each state shows, the wizard's face sets and caption styles,
// faces composited once over the parent's pixels, the single pair of hover commands,
// clicks, keyboard focus and what a screen reader is told. Screenshots of every face.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QPushButton>

#include <functional>
#include <optional>

#include "app/Globals.h"
#include "app/LocalizedText.h"
#include "controls/ButtonFace.h"
#include "controls/MemDrawDC.h"
#include "controls/MyButton.h"
#include "tests/unit/ImageControlsSupport.h"

using imagecontrols::ControlsTest;
using imagecontrols::PanelDlg;

namespace {

struct LanguageGuard {
    explicit LanguageGuard(int language) : saved(g_nUiLanguage) { g_nUiLanguage = language; }
    ~LanguageGuard() { g_nUiLanguage = saved; }
    int saved;
};

const char* Name(ButtonFace f)
{
    switch (f) {
    case ButtonFace::Normal: return "normal";
    case ButtonFace::Disabled: return "disabled";
    case ButtonFace::Focused: return "focused";
    case ButtonFace::Hover: return "hover";
    case ButtonFace::Pressed: return "pressed";
    }
    return "?";
}

}  // namespace

// ---- The face of each state -----------------------------------------------------------------

TEST(ButtonFace, EveryStateCombinationShowsItsFace)
{
    struct Case {
        bool disabled, selected, focused, hover;
        ButtonFace face;
        bool hoverAfter;
    };
    using F = ButtonFace;
    const Case cases[] = {
        // disabled wins, whatever else holds; the hover flag is left as it was
        {true, false, false, false, F::Disabled, false},
        {true, false, false, true, F::Disabled, true},
        {true, false, true, false, F::Disabled, false},
        {true, false, true, true, F::Disabled, true},
        {true, true, false, false, F::Disabled, false},
        {true, true, false, true, F::Disabled, true},
        {true, true, true, false, F::Disabled, false},
        {true, true, true, true, F::Disabled, true},
        // pressed next, and pressing ends the hover
        {false, true, false, false, F::Pressed, false},
        {false, true, false, true, F::Pressed, false},
        {false, true, true, false, F::Pressed, false},
        {false, true, true, true, F::Pressed, false},
        // a focused button under the mouse shows the hover face
        {false, false, true, false, F::Focused, false},
        {false, false, true, true, F::Hover, true},
        {false, false, false, true, F::Hover, true},
        {false, false, false, false, F::Normal, false},
    };
    for (const Case& c : cases) {
        ButtonFaceChoice got = ChooseButtonFace({c.disabled, c.selected, c.focused}, c.hover);
        EXPECT_EQ(got.face, c.face) << "disabled " << c.disabled << " selected " << c.selected << " focused "
                                    << c.focused << " hover " << c.hover << ": got " << Name(got.face);
        EXPECT_EQ(got.hover, c.hoverAfter) << "disabled " << c.disabled << " selected " << c.selected
                                           << " focused " << c.focused << " hover " << c.hover;
    }
}

TEST(ButtonFace, WizardButtonsTakeTheirSetsBySizeAndDirection)
{
    struct Case {
        int id;
        int language;
        ButtonFaceSet faces;
        int width, height;
    };
    const Case cases[] = {
        {1067, 1033, kStandardFaces, 70, 27},        {1068, 1033, kStandardFaces, 70, 27},
        {1078, 1033, kStandardFaces, 70, 27},        {1069, 1025, kStandardFaces, 70, 27},
        {1073, 1035, kWideFaces, 93, 27},            {1077, 1036, kWideFaces, 93, 27},
        {1074, 1031, kWiderFaces, 115, 27},          {1075, 1033, kWiderFaces, 115, 27},
        {1072, 1033, kWiderFaces, 115, 27},          {1103, 1033, kConnectFaces, 80, 23},
        {1103, 1049, kConnectLongFaces, 100, 23},    {1098, 1033, kRescanFaces, 44, 35},
        {1098, 1025, kRescanRtlFaces, 44, 35},       {1120, 1033, kNameHeaderFaces, 223, 35},
        {1120, 5121, kNameHeaderRtlFaces, 224, 35},  {1121, 1033, kSecurityHeaderFaces, 102, 35},
        {1121, 1025, kSecurityHeaderRtlFaces, 102, 35}, {1122, 1033, kStrengthHeaderFaces, 72, 35},
        {1122, 1025, kStrengthHeaderRtlFaces, 72, 35}, {1102, 1033, kBubbleFaces, 81, 24},
        {1162, 1033, kTickedBoxFaces, 16, 16},       {1163, 1033, kLicenceEmptyBoxFaces, 16, 16},
    };
    for (const Case& c : cases) {
        ButtonFaceSet set = WizardButtonFaces(c.id, c.language);
        EXPECT_EQ(set, c.faces) << "control " << c.id << " language " << c.language;
        // Every face of the set is a PNG of the button's size.
        for (ButtonFace f : {ButtonFace::Normal, ButtonFace::Disabled, ButtonFace::Focused, ButtonFace::Hover,
                             ButtonFace::Pressed}) {
            CGDIPlus2LoadPNGResource picture;
            ASSERT_TRUE(picture.Load(set.For(f))) << "control " << c.id << " " << Name(f) << " face " << set.For(f);
            EXPECT_EQ(picture.GetBitmap()->size(), QSize(c.width, c.height)) << "face " << set.For(f);
        }
    }
    EXPECT_EQ(WizardButtonFaces(1060, 1033), ButtonFaceSet{}) << "a text is no image button";
    // The five faces of a push-button set are five different pictures.
    for (const ButtonFaceSet& s : {kStandardFaces, kWideFaces, kWiderFaces}) {
        const WORD ids[] = {s.normal, s.disabled, s.focused, s.hover, s.pressed};
        for (int i = 0; i < 5; ++i)
            for (int j = i + 1; j < 5; ++j) EXPECT_NE(ids[i], ids[j]);
    }
}

TEST(ButtonFace, CaptionStyleByControlAndLanguage)
{
    struct Case {
        int id, language;
        std::wstring_view family;
        int height;
        bool bold;
        std::uint32_t rgb;
        CaptionAlign align;
        int insetLeft, insetRight;
        bool rtl;
    };
    using A = CaptionAlign;
    const Case cases[] = {
        {1067, 1033, L"Arial", 12, true, kCaptionRgb, A::Centre, 0, 0, false},
        {1067, 1031, L"Arial", 12, true, kCaptionRgb, A::Centre, 0, 0, false},
        {1067, 1025, L"Arial", 13, false, kCaptionRgb, A::Centre, 0, 0, true},
        {1069, 6145, L"Arial", 13, false, kCaptionRgb, A::Centre, 0, 0, true},
        {1067, 1054, L"Arial Unicode MS", 13, false, kCaptionRgb, A::Centre, 0, 0, false},
        {1102, 1033, L"Arial", 12, false, kCaptionRgb, A::Centre, 0, 0, false},
        {1102, 1025, L"Arial", 12, false, kCaptionRgb, A::Centre, 0, 0, true},
        {1120, 1033, L"Arial", 12, true, kCaptionRgb, A::Left, 10, 0, false},
        {1121, 1054, L"Arial Unicode MS", 13, false, kCaptionRgb, A::Left, 10, 0, false},
        {1122, 1025, L"Arial", 13, false, kCaptionRgb, A::Right, 0, 10, true},
        {1151, 1033, L"Arial", 20, true, 0x000000, A::Centre, 0, 0, false},
        {1151, 1025, L"Arial", 20, true, 0x000000, A::Centre, 0, 0, true},
    };
    for (const Case& c : cases) {
        ButtonCaptionStyle s = CaptionStyleFor(c.id, c.language);
        SCOPED_TRACE(testing::Message() << "control " << c.id << " language " << c.language);
        EXPECT_TRUE(s.family == c.family);
        EXPECT_EQ(s.pixelHeight, c.height);
        EXPECT_EQ(s.bold, c.bold);
        EXPECT_EQ(s.rgb, c.rgb);
        EXPECT_EQ(s.align, c.align);
        EXPECT_EQ(s.insetLeft, c.insetLeft);
        EXPECT_EQ(s.insetRight, c.insetRight);
        EXPECT_EQ(s.rtlReading, c.rtl);
    }
}

// ---- Hover commands -------------------------------------------------------------------------

class MyButtonTest : public ControlsTest {};

TEST_F(MyButtonTest, HoverTextSendsOneCommandOnEnterAndOneOnLeave)
{
    struct Case {
        int id;
        std::wstring hoverText;
        std::vector<PanelDlg::Command> expected;
    };
    const std::vector<Case> cases = {
        {1098, L"Refresh", {{1104, 1}, {1104, 0}}},
        {1067, L"Hint", {{1104, 1}, {1104, 0}}},  // 1104 whatever the button's own ID
        {1067, L"", {}},                          // no hover text: no command at all
        {0, L"Refresh", {}},                      // no ID: nobody to tell
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "control " << c.id << " hover text \"" << QString::fromStdWString(c.hoverText).toStdString() << "\"");
        PanelDlg dlg;
        auto* button = dlg.Add<CMyButton>(c.id, kRescanFaces);
        button->MoveWindow(441, 143, 44, 35);
        button->SetHoverText(c.hoverText);
        button->ShowWindow(SW_SHOW);
        dlg.ShowAndActivate();
        QWidget* w = dlg.Widget();
        QTest::mouseMove(w, QPoint(300, 300));  // start away from the button
        dlg.commands.clear();

        QTest::mouseMove(w, QPoint(450, 150));
        EXPECT_TRUE(button->IsHover());
        for (QPoint inside : {QPoint(455, 155), QPoint(460, 160), QPoint(470, 170), QPoint(445, 147)})
            QTest::mouseMove(w, inside);  // moving about inside tells nobody again
        if (!c.expected.empty()) {
            EXPECT_EQ(g_bHoverLabel, 1);
        }
        QTest::mouseMove(w, QPoint(300, 300));
        EXPECT_FALSE(button->IsHover());
        EXPECT_EQ(g_bHoverLabel, 0);
        EXPECT_EQ(dlg.commands, c.expected);

        // A second stay is a second pair.
        dlg.commands.clear();
        QTest::mouseMove(w, QPoint(450, 150));
        QTest::mouseMove(w, QPoint(300, 300));
        EXPECT_EQ(dlg.commands, c.expected);
    }
}

TEST_F(MyButtonTest, HoverTextSetWhileTheMouseRestsTellsTheParentOnce)
{
    PanelDlg dlg;
    auto* button = dlg.Add<CMyButton>(1098, kRescanFaces);
    button->MoveWindow(441, 143, 44, 35);
    button->ShowWindow(SW_SHOW);
    dlg.ShowAndActivate();
    QTest::mouseMove(dlg.Widget(), QPoint(300, 300));
    QTest::mouseMove(dlg.Widget(), QPoint(450, 150));
    EXPECT_TRUE(dlg.commands.empty());
    button->SetHoverText(L"Refresh");
    button->SetHoverText(L"Refresh");
    EXPECT_EQ(dlg.commands, (std::vector<PanelDlg::Command>{{1104, 1}}));
    QTest::mouseMove(dlg.Widget(), QPoint(300, 300));
    EXPECT_EQ(dlg.commands, (std::vector<PanelDlg::Command>{{1104, 1}, {1104, 0}}));
}

TEST_F(MyButtonTest, AStayEndedByHidingOrDisablingTheButtonStillEndsWithOneCommand)
{
    struct Case {
        const char* what;
        std::function<void(CMyButton*, QWidget*)> end;
    };
    const Case cases[] = {
        {"hidden under the mouse (the page changes)", [](CMyButton* b, QWidget*) { b->ShowWindow(SW_HIDE); }},
        {"disabled under the mouse, then left", [](CMyButton* b, QWidget* panel) {
             b->EnableWindow(false);
             QTest::mouseMove(panel, QPoint(300, 300));
         }},
    };
    for (const Case& c : cases) {
        PanelDlg dlg;
        auto* button = dlg.Add<CMyButton>(1098, kRescanFaces);
        button->MoveWindow(441, 143, 44, 35);
        button->SetHoverText(L"Refresh");
        button->ShowWindow(SW_SHOW);
        dlg.ShowAndActivate();
        QTest::mouseMove(dlg.Widget(), QPoint(450, 150));
        c.end(button, dlg.Widget());
        imagecontrols::Settle();
        EXPECT_EQ(dlg.commands, (std::vector<PanelDlg::Command>{{1104, 1}, {1104, 0}})) << c.what;
        EXPECT_FALSE(button->IsHover()) << c.what;
    }
}

TEST_F(MyButtonTest, DisabledButtonShowsItsDisabledFaceAndTellsNobodyOfTheMouse)
{
    PanelDlg dlg;
    auto* button = dlg.Add<CMyButton>(1098, kRescanFaces);
    button->MoveWindow(441, 143, 44, 35);
    button->SetHoverText(L"Refresh");
    button->EnableWindow(false);
    button->ShowWindow(SW_SHOW);
    dlg.ShowAndActivate();
    QTest::mouseMove(dlg.Widget(), QPoint(300, 300));
    QTest::mouseMove(dlg.Widget(), QPoint(450, 150));
    dlg.Widget()->grab();
    EXPECT_EQ(button->CurrentFace(), ButtonFace::Disabled);
    QTest::mouseMove(dlg.Widget(), QPoint(300, 300));
    EXPECT_TRUE(dlg.commands.empty());
}

// ---- Faces on screen ------------------------------------------------------------------------

namespace {

// The face picture composed over the wizard background at the button's place.
QImage ExpectedFace(const QImage& background, const QRect& place, int faceId)
{
    QImage out = background.copy(place).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p(&out);
    p.drawImage(0, 0, LoadPngResource(faceId));
    return out;
}

// Pixels of the face outside the caption: the left and right ends and the corners.
void ExpectFacePixels(const QImage& shown, const QImage& expected, const char* what)
{
    const QPoint probes[] = {{0, 0}, {2, 3}, {4, 13}, {5, 22}, {expected.width() - 1, 0},
                             {expected.width() - 4, 13}, {0, expected.height() - 1}};
    for (QPoint p : probes)
        EXPECT_TRUE(imagecontrols::Near(shown.pixel(p), expected.pixel(p)))
            << what << " at (" << p.x() << ", " << p.y() << "): shown " << std::hex << shown.pixel(p)
            << ", expected " << expected.pixel(p);
}

}  // namespace

TEST_F(MyButtonTest, EachStateDrawsItsFaceOverTheParentsPixels)
{
    PanelDlg dlg;
    auto* next = dlg.Add<CMyButton>(1067, kStandardFaces);
    auto* other = dlg.Add<CMyButton>(1069, kStandardFaces);
    const QRect place(561, 437, 70, 27);
    next->MoveWindow(place.x(), place.y(), place.width(), place.height());
    other->MoveWindow(636, 437, 70, 27);
    next->SetWindowTextW(L"Next >");
    next->ShowWindow(SW_SHOW);
    other->ShowWindow(SW_SHOW);
    dlg.ShowAndActivate();
    auto* widget = static_cast<QPushButton*>(next->Widget());
    auto show = [&] {
        QImage shot = dlg.Widget()->grab().toImage();
        return shot.copy(place);
    };
    struct Step {
        const char* what;
        std::function<void()> act;
        ButtonFace face;
    };
    const Step steps[] = {
        {"at rest", [] {}, ButtonFace::Normal},
        {"under the mouse", [&] { QTest::mouseMove(dlg.Widget(), QPoint(300, 300)); QTest::mouseMove(dlg.Widget(), place.center()); },
         ButtonFace::Hover},
        {"focused under the mouse", [&] { next->SetFocus(); }, ButtonFace::Hover},
        {"pressed", [&] { QTest::mousePress(widget, Qt::LeftButton); }, ButtonFace::Pressed},
        {"released: no hover until the mouse comes to rest again", [&] { QTest::mouseRelease(widget, Qt::LeftButton); },
         ButtonFace::Focused},
        {"focus elsewhere", [&] { other->SetFocus(); }, ButtonFace::Normal},
        {"after leaving and coming back", [&] { QTest::mouseMove(dlg.Widget(), QPoint(300, 300)); QTest::mouseMove(dlg.Widget(), place.center()); },
         ButtonFace::Hover},
        {"disabled under the mouse", [&] { next->EnableWindow(false); }, ButtonFace::Disabled},
    };
    for (const Step& step : steps) {
        step.act();
        QImage shown = show();
        ASSERT_TRUE(next->CurrentFace().has_value()) << step.what;
        EXPECT_EQ(*next->CurrentFace(), step.face) << step.what << ": shows " << Name(*next->CurrentFace());
        ExpectFacePixels(shown, ExpectedFace(dlg.Background(), place, kStandardFaces.For(step.face)), step.what);
    }
    EXPECT_EQ(dlg.CommandIds(), std::vector<int>{1067}) << "the one press and release was a click";
}

TEST_F(MyButtonTest, FacesAreCompositedOnceAndKeptWhateverIsLoadedLater)
{
    PanelDlg dlg;
    auto* button = dlg.Add<CMyButton>(1067, kStandardFaces);
    const QRect place(561, 437, 70, 27);
    button->MoveWindow(place.x(), place.y(), place.width(), place.height());
    button->ShowWindow(SW_SHOW);
    dlg.ShowAndActivate();
    EXPECT_TRUE(button->IsPrepared()) << "the first draw on screen composes the faces";
    QImage first = dlg.Widget()->grab().toImage().copy(place);

    button->LoadFaces(kWiderFaces);  // other pictures now, the same look
    QImage red(750, 500, QImage::Format_ARGB32_Premultiplied);
    red.fill(Qt::red);
    QPainter redDc(&red);
    button->RecaptureBackground(redDc);  // too late to matter
    redDc.end();
    button->Invalidate();
    QImage again = dlg.Widget()->grab().toImage().copy(place);
    EXPECT_EQ(first, again);
}

TEST_F(MyButtonTest, BackgroundRecapturedBeforeTheFirstDrawShowsThroughTheCorners)
{
    PanelDlg dlg;
    auto* button = dlg.Add<CMyButton>(1067, kStandardFaces);
    const QRect place(561, 437, 70, 27);
    button->MoveWindow(place.x(), place.y(), place.width(), place.height());
    // The parent paints its background off-screen and hands the context to its buttons.
    QImage parent(750, 500, QImage::Format_ARGB32_Premultiplied);
    {
        QPainter target(&parent);
        CMemDrawDC dc(target, QRect());
        dc.fillRect(QRect(0, 0, 750, 500), QColor(200, 30, 40));
        button->RecaptureBackground(dc);
    }
    button->ShowWindow(SW_SHOW);
    dlg.ShowAndActivate();
    QImage shown = dlg.Widget()->grab().toImage().copy(place);
    // The face's transparent corner shows the recaptured red, not the panel.
    EXPECT_TRUE(imagecontrols::Near(shown.pixel(0, 0), qRgb(200, 30, 40))) << std::hex << shown.pixel(0, 0);
}

TEST_F(MyButtonTest, MissingNormalPicturePostponesTheComposition)
{
    PanelDlg dlg;
    auto* button = dlg.Add<CMyButton>(1067);
    button->MoveWindow(561, 437, 70, 27);
    button->ShowWindow(SW_SHOW);
    dlg.ShowAndActivate();
    dlg.Widget()->grab();
    EXPECT_FALSE(button->IsPrepared());
    button->LoadFaces(0, 205, 206, 207, 208);  // no normal picture still
    dlg.Widget()->grab();
    EXPECT_FALSE(button->IsPrepared());
    button->LoadFaces(kStandardFaces);
    dlg.Widget()->grab();
    EXPECT_TRUE(button->IsPrepared());
    EXPECT_EQ(button->CurrentFace(), ButtonFace::Normal);
}

// ---- Commands, keyboard and screen readers --------------------------------------------------

TEST_F(MyButtonTest, ClickSpaceAndEnterSendTheButtonsCommand)
{
    PanelDlg dlg;
    auto* next = dlg.Add<CMyButton>(1067, kStandardFaces);
    next->MoveWindow(561, 437, 70, 27);
    next->ShowWindow(SW_SHOW);
    dlg.ShowAndActivate();
    QTest::mouseClick(next->Widget(), Qt::LeftButton);
    EXPECT_EQ(dlg.CommandIds(), std::vector<int>{1067});
    next->SetFocus();
    QTest::keyClick(next->Widget(), Qt::Key_Space);
    QTest::keyClick(next->Widget(), Qt::Key_Return);  // the dialogs turn Enter into Space
    EXPECT_EQ(dlg.CommandIds(), (std::vector<int>{1067, 1067, 1067}));
    next->EnableWindow(false);
    QTest::mouseClick(next->Widget(), Qt::LeftButton);
    EXPECT_EQ(dlg.commands.size(), 3u) << "a disabled button sends nothing";
}

TEST_F(MyButtonTest, TabMovesTheFocusThroughTheEnabledButtonsInOrder)
{
    PanelDlg dlg;
    auto* back = dlg.Add<CMyButton>(1068, kStandardFaces);
    auto* next = dlg.Add<CMyButton>(1067, kStandardFaces);
    auto* cancel = dlg.Add<CMyButton>(1069, kStandardFaces);
    back->MoveWindow(486, 437, 70, 27);
    next->MoveWindow(561, 437, 70, 27);
    cancel->MoveWindow(636, 437, 70, 27);
    for (CMyButton* b : {back, next, cancel}) b->ShowWindow(SW_SHOW);
    dlg.ShowAndActivate();
    back->SetFocus();
    ASSERT_TRUE(back->Widget()->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(next->Widget()->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(cancel->Widget()->hasFocus());
    next->EnableWindow(false);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_TRUE(back->Widget()->hasFocus()) << "the disabled Next is passed over";
}

TEST_F(MyButtonTest, ScreenReadersHearAPushButtonByItsCaption)
{
    PanelDlg dlg;
    auto* next = dlg.Add<CMyButton>(1067, kStandardFaces);
    auto* rescan = dlg.Add<CMyButton>(1098, kRescanFaces);
    next->MoveWindow(561, 437, 70, 27);
    rescan->MoveWindow(441, 143, 44, 35);
    next->SetWindowTextW(L"&Next >");
    rescan->SetHoverText(L"Refresh");
    for (CMyButton* b : {next, rescan}) b->ShowWindow(SW_SHOW);
    dlg.ShowAndActivate();
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(next->Widget());
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::Button);
    EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("Next >"));
    QAccessibleInterface* r = QAccessible::queryAccessibleInterface(rescan->Widget());
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->role(), QAccessible::Button);
    EXPECT_EQ(r->text(QAccessible::Name), QStringLiteral("Refresh")) << "a picture-only button is named by its hint";
    // Pressing it through the screen reader is a click.
    ASSERT_NE(a->actionInterface(), nullptr);
    a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(dlg.CommandIds(), std::vector<int>{1067});
}

// ---- Screenshots ----------------------------------------------------------------------------

namespace {

// One button of a screenshot: where it stands in each face's turn.
struct ShotItem {
    int id;
    ButtonFaceSet faces;
    int width, height;
    UINT caption;  // string ID, 0 for none
    std::function<QPoint(int face)> place;  // left-to-right position; mirrored for right-to-left
};

const ButtonFace kFaceOrder[] = {ButtonFace::Normal, ButtonFace::Disabled, ButtonFace::Focused, ButtonFace::Hover,
                                 ButtonFace::Pressed};

// Every item in every face, in the given language. Each face is its own panel (a
// control ID is one control per dialog), and the buttons of every panel are pasted
// into the first panel's shot; the panels share their background.
QImage ShootFaces(int language, const std::vector<ShotItem>& items)
{
    LanguageGuard guard(language);
    const bool rtl = IsRtlLanguage(language);
    QImage sheet;
    QPainter paste;
    for (int col = 0; col < 5; ++col) {
        const ButtonFace face = kFaceOrder[col];
        PanelDlg dlg;
        std::vector<CMyButton*> buttons;
        for (const ShotItem& item : items) {
            auto* b = dlg.Add<CMyButton>(item.id, item.faces);
            QPoint at = item.place(col);
            b->MoveWindow(rtl ? 750 - at.x() - item.width : at.x(), at.y(), item.width, item.height);
            if (item.caption) b->SetWindowTextW(LoadText(language, item.caption));
            b->ShowWindow(SW_SHOW);
            buttons.push_back(b);
        }
        dlg.ShowAndActivate();
        dlg.Widget()->setFocus();
        for (CMyButton* b : buttons) {
            switch (face) {
            case ButtonFace::Disabled: b->EnableWindow(false); break;
            case ButtonFace::Hover: b->SetHover(true); break;
            case ButtonFace::Pressed: static_cast<QPushButton*>(b->Widget())->setDown(true); break;
            default: break;
            }
        }
        QImage shot = dlg.Widget()->grab().toImage();
        if (col == 0) {
            sheet = shot;
            paste.begin(&sheet);
        }
        for (CMyButton* b : buttons) {
            QRect r = b->GetClientRectInParent();
            if (face == ButtonFace::Focused) {
                b->SetFocus();  // one at a time
                paste.drawImage(r.topLeft(), dlg.Widget()->grab(r).toImage());
            } else {
                paste.drawImage(r.topLeft(), shot.copy(r));
            }
            EXPECT_EQ(b->CurrentFace(), face) << "control " << b->GetDlgCtrlID() << " in its " << Name(face) << " turn";
        }
    }
    paste.end();
    return sheet;
}

// The push buttons, Connect, the hint bubble and the licence box: one row per set,
// one column per face.
QImage ShootButtonRows(int language)
{
    struct Row { int id; ButtonFaceSet faces; int w, h; UINT caption; };
    const Row rows[] = {
        {1067, kStandardFaces, 70, 27, 172},  {1069, kStandardFaces, 70, 27, 174},
        {1073, kWideFaces, 93, 27, 172},      {1074, kWiderFaces, 115, 27, 215},
        {1103, kConnectFaces, 80, 23, 217},   {1078, kConnectLongFaces, 100, 23, 217},
        {1102, kBubbleFaces, 81, 24, 238},    {1163, kLicenceEmptyBoxFaces, 16, 16, 0},
        {1162, kTickedBoxFaces, 16, 16, 0},
    };
    std::vector<ShotItem> items;
    int y = 70;
    for (const Row& r : rows) {
        items.push_back({r.id, r.faces, r.w, r.h, r.caption, [y](int col) { return QPoint(30 + col * 140, y); }});
        y += r.h + 12;
    }
    return ShootFaces(language, items);
}

// The network list's header bar (three column headers and the rescan button, tiled as
// on the page), once per face.
QImage ShootHeaderBars(int language)
{
    const bool rtl = IsRtlLanguage(language);
    struct Piece { int id; ButtonFaceSet faces; int x, w; UINT caption; };
    const Piece pieces[] = {
        {1120, rtl ? kNameHeaderRtlFaces : kNameHeaderFaces, 44, rtl ? 224 : 223, 204},
        {1121, rtl ? kSecurityHeaderRtlFaces : kSecurityHeaderFaces, 267, 102, 205},
        {1122, rtl ? kStrengthHeaderRtlFaces : kStrengthHeaderFaces, 369, 72, 206},
        {1098, rtl ? kRescanRtlFaces : kRescanFaces, 441, 44, 0},
    };
    std::vector<ShotItem> items;
    for (const Piece& p : pieces)
        items.push_back({p.id, p.faces, p.w, 35, p.caption, [x = p.x](int col) { return QPoint(x, 80 + col * 70); }});
    return ShootFaces(language, items);
}

}  // namespace

TEST_F(MyButtonTest, ScreenshotEveryFaceLeftToRightAndRightToLeft)
{
    for (auto [language, name] : {std::pair{1033, "ltr"}, std::pair{1025, "rtl"}, std::pair{1054, "thai"}}) {
        imagecontrols::SaveShot(ShootButtonRows(language), QStringLiteral("buttons-%1").arg(QLatin1String(name)));
        imagecontrols::SaveShot(ShootHeaderBars(language), QStringLiteral("headers-%1").arg(QLatin1String(name)));
    }
}
