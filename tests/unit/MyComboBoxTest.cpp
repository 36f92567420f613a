// The language combo box: a person's change of selection sends the control's ID as a
// command, filling it and SetCurSel do not; the closed face is the bitmap of the
// direction and of the mouse (hover) with the selected text drawn onto it; and the
// flat list box it keeps.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QEnterEvent>
#include <QFontMetricsF>
#include <QTest>

#include <memory>

#include "app/LocalizedText.h"
#include "controls/MyComboBox.h"
#include "controls/MyListBox.h"
#include "ListControlsTestPanel.h"

using listtest::Panel;

namespace {

class MyComboBoxTest : public listtest::ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        panel = std::make_unique<Panel>();
        panel->Open();
    }
    void TearDown() override
    {
        panel.reset();
        ControlTest::TearDown();
    }

    // The welcome page's language combo, filled with a few names.
    CMyComboBox* MakeCombo(bool rtl, int id = 1179)
    {
        CMyComboBox* combo = panel->Add<CMyComboBox>(id);
        const wchar_t* names[] = {L"Dansk", L"Deutsch", L"English", L"(Fran\u00e7ais (France", L"\u0627\u0644\u0639\u0631\u0628\u064a\u0629"};
        int ids[] = {1030, 1031, 1033, 1036, 1025};
        for (int i = 0; i < 5; ++i) combo->AddString(names[i], ids[i]);
        if (rtl) combo->ModifyStyleEx(0, WS_EX_RIGHT | WS_EX_RTLREADING);
        combo->MoveWindow(rtl ? 750 - 42 - 132 : 42, 380, 132, 30);
        combo->ShowWindow(SW_SHOW);
        return combo;
    }
    static void Enter(CMyComboBox* combo)
    {
        QEnterEvent e(QPointF(20, 10), QPointF(20, 10), QPointF(20, 10));
        QCoreApplication::sendEvent(combo->Widget(), &e);
    }
    static void Leave(CMyComboBox* combo)
    {
        QEvent e(QEvent::Leave);
        QCoreApplication::sendEvent(combo->Widget(), &e);
    }
    QImage GrabCombo(CMyComboBox* combo) { return listtest::Grab(*panel).copy(combo->Widget()->geometry()); }

    std::unique_ptr<Panel> panel;
};

bool SamePixels(const QImage& a, const QImage& b, const QRect& area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((a.pixel(x, y) & 0xFFFFFFu) != (b.pixel(x, y) & 0xFFFFFFu)) return false;
    return true;
}

}  // namespace

TEST(ComboFaces, FaceByDirectionAndMouse)
{
    struct Case { bool rtl; bool hover; int face; };
    for (Case c : {Case{false, false, 433}, Case{false, true, 434}, Case{true, false, 435}, Case{true, true, 432}})
        EXPECT_EQ(ComboFaces::Choose(c.rtl, c.hover), c.face) << c.rtl << c.hover;
}

TEST_F(MyComboBoxTest, OnlyAPersonsChoiceSendsTheCommand)
{
    CMyComboBox* combo = MakeCombo(false);
    combo->SetCurSel(2);
    EXPECT_EQ(combo->GetCurSel(), 2);
    combo->ResetContent();
    combo->AddString(L"English", 1033);
    combo->AddString(L"Deutsch", 1031);
    combo->SetCurSel(0);
    EXPECT_TRUE(panel->commands.empty()) << "filling and SetCurSel send nothing";

    EXPECT_TRUE(combo->ChooseAsUser(1));
    EXPECT_EQ(panel->commands, (std::vector<int>{1179}));
    EXPECT_TRUE(combo->ChooseAsUser(1));
    EXPECT_EQ(panel->commands.size(), 1u) << "the same entry again is no change";
    EXPECT_FALSE(combo->ChooseAsUser(2));
    // The keyboard on the closed box changes the selection as a person does.
    QTest::keyClick(combo->Widget(), Qt::Key_Up);
    EXPECT_EQ(combo->GetCurSel(), 0);
    EXPECT_EQ(panel->commands, (std::vector<int>{1179, 1179}));
    EXPECT_TRUE(panel->messages.empty());
}

TEST_F(MyComboBoxTest, ItemsAndTheirData)
{
    CMyComboBox* combo = MakeCombo(false);
    EXPECT_EQ(combo->GetCount(), 5);
    EXPECT_EQ(combo->GetItemData(1), 1031);
    EXPECT_EQ(combo->GetItemData(4), 1025);
    EXPECT_EQ(combo->GetLBText(2), L"English");
    EXPECT_EQ(combo->AddString(L"Suomi", 1035), 5);
    combo->ResetContent();
    EXPECT_EQ(combo->GetCount(), 0);
    EXPECT_EQ(combo->GetCurSel(), -1);
    // The closed box is as high as its face, whatever height it is moved with.
    EXPECT_EQ(combo->GetClientRectInParent(), QRect(42, 380, 132, CMyComboBox::kFaceHeight));
}

TEST_F(MyComboBoxTest, TheFaceFollowsTheMouseAndTheDirection)
{
    for (bool rtl : {false, true}) {
        SCOPED_TRACE(rtl ? "right-to-left" : "left-to-right");
        CMyComboBox* combo = MakeCombo(rtl, rtl ? 2 : 1);
        combo->SetCurSel(2);
        int normal = rtl ? 435 : 433, hover = rtl ? 432 : 434;
        EXPECT_EQ(combo->CurrentFace(), normal);
        // The arrow end of the face is drawn as the bitmap has it.
        QRect arrow = rtl ? QRect(0, 0, 24, 23) : QRect(108, 0, 24, 23);
        EXPECT_TRUE(SamePixels(GrabCombo(combo), LoadBitmapResource(normal), arrow));
        Enter(combo);
        EXPECT_TRUE(combo->IsHover());
        EXPECT_EQ(combo->CurrentFace(), hover);
        EXPECT_TRUE(SamePixels(GrabCombo(combo), LoadBitmapResource(hover), arrow));
        Leave(combo);
        EXPECT_EQ(combo->CurrentFace(), normal);
        EXPECT_TRUE(SamePixels(GrabCombo(combo), LoadBitmapResource(normal), arrow));
        combo->ShowWindow(SW_HIDE);
    }
}

TEST_F(MyComboBoxTest, TheSelectedTextIsDrawnOntoTheFace)
{
    for (bool rtl : {false, true}) {
        SCOPED_TRACE(rtl ? "right-to-left" : "left-to-right");
        CMyComboBox* combo = MakeCombo(rtl, rtl ? 2 : 1);
        QImage face = LoadBitmapResource(rtl ? 435 : 433);
        combo->SetCurSel(-1);
        EXPECT_TRUE(SamePixels(GrabCombo(combo), face, QRect(0, 0, 132, 23))) << "no selection, no text";
        combo->SetCurSel(2);
        QImage shot = GrabCombo(combo);
        // Text-blue ink, 4 pixels in from the start of the reading direction.
        QRect ink;
        for (int y = 0; y < 23; ++y)
            for (int x = 0; x < 132; ++x)
                if ((shot.pixel(x, y) & 0xFFFFFFu) != (face.pixel(x, y) & 0xFFFFFFu)) ink |= QRect(x, y, 1, 1);
        ASSERT_FALSE(ink.isEmpty());
        if (rtl) {
            EXPECT_LE(ink.right(), 131 - 4);
            EXPECT_GE(ink.right(), 131 - 7);
        } else {
            EXPECT_GE(ink.left(), 4);
            EXPECT_LE(ink.left(), 7);
        }
        EXPECT_GT(ink.top(), 2);
        EXPECT_LT(ink.bottom(), 21);
        combo->ShowWindow(SW_HIDE);
    }
}

TEST_F(MyComboBoxTest, ScreenReadersHearTheSelection)
{
    CMyComboBox* combo = MakeCombo(false);
    combo->SetCurSel(1);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(combo->Widget());
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::ComboBox);
    EXPECT_EQ(iface->text(QAccessible::Value), QStringLiteral("Deutsch"));
    EXPECT_TRUE(combo->Widget()->focusPolicy() & Qt::TabFocus);
}

TEST_F(MyComboBoxTest, TheListBoxIsOneFlatColour)
{
    CMyListBox unattached;
    EXPECT_FALSE(unattached.IsAttached());
    CMyListBox* box = panel->Add<CMyListBox>(1200);
    ASSERT_TRUE(box->IsAttached());
    box->MoveWindow(10, 10, 60, 40);
    box->ShowWindow(SW_SHOW);
    QImage shot = listtest::Grab(*panel).copy(10, 10, 60, 40);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x) ASSERT_EQ(QColor(shot.pixel(x, y)), QColor(115, 138, 154)) << x << "," << y;
}

TEST_F(MyComboBoxTest, Screenshots)
{
    for (bool rtl : {false, true}) {
        for (bool hover : {false, true}) {
            panel = std::make_unique<Panel>();
            panel->Open();
            CMyComboBox* combo = MakeCombo(rtl);
            combo->SetCurSel(rtl ? 4 : 2);
            if (hover) Enter(combo);
            QImage shot = listtest::Grab(*panel).copy(combo->Widget()->geometry().adjusted(-20, -20, 20, 20));
            listtest::SaveShot(shot, std::string("combo-") + (rtl ? "rtl" : "ltr") + (hover ? "-hover" : ""));
            // The right-to-left form of a French name reads as written.
            if (rtl) {
                combo->SetCurSel(3);
                listtest::SaveShot(listtest::Grab(*panel).copy(combo->Widget()->geometry().adjusted(-20, -20, 20, 20)),
                                   std::string("combo-rtl-french") + (hover ? "-hover" : ""));
            }
        }
    }
}

// A name too long for the room left of the arrow is drawn smaller, down to 12 pixels,
// and shortened with an ellipsis only when even that does not fit.
TEST_F(MyComboBoxTest, ALongNameShrinksBeforeItIsShortened)
{
    struct Case {
        QString name;
        int largest;   // pixel size at most
        int smallest;  // pixel size at least
        bool whole;
    };
    const Case cases[] = {
        {QStringLiteral("English"), 15, 15, true},
        {QStringLiteral("Bahasa Indonesia"), 14, 12, true},
        {QString::fromUtf8("Português (Brasil)"), 14, 12, true},
        {QStringLiteral("A language name far too long for any combo box face"), 12, 12, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const ComboFaces::Text shown = ComboFaces::FitText(c.name);
        EXPECT_LE(shown.font.pixelSize(), c.largest);
        EXPECT_GE(shown.font.pixelSize(), c.smallest);
        EXPECT_EQ(shown.text == c.name, c.whole);
        if (!c.whole) {
            EXPECT_TRUE(shown.text.endsWith(QChar(0x2026)));
        }
        EXPECT_LE(QFontMetricsF(shown.font).horizontalAdvance(shown.text), ComboFaces::kTextRoom);
    }
}
