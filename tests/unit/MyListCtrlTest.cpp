// The network list control on a panel like the wizard's page: what it tells its owner
// (0x8011 for a click on a row or any key, 0x8013 for a double-click on a row, nothing
// for the empty space below the rows), what each row shows, how the keys move the
// focused row, what a screen reader hears, and how the rows come out on screen in
// both directions.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QTest>

#include <functional>
#include <memory>

#include "controls/MyListCtrl.h"
#include "framework/Controls.h"
#include "ListControlsTestPanel.h"

using namespace ListGeometry;
using listtest::Panel;

namespace {

constexpr UINT kClick = 0x8011;
constexpr UINT kDoubleClick = 0x8013;

const QColor kEvenFill(241, 238, 238);
const QColor kOddFill(231, 229, 229);
const QColor kLine(0, 70, 109);

const std::vector<NetworkRow> kFourNetworks = {
    {L"Home", L"WPA2", kPadlockImage, 5},
    {L"Cafe & Bar", L"Open", kBlankImage, 3},
    {L"Office", L"WPA", kPadlockImage, 4},
    {L"Guest", L"WEP", kPadlockImage, 1},
};

std::vector<NetworkRow> Networks(int n)
{
    std::vector<NetworkRow> rows;
    for (int i = 0; i < n; ++i) rows.push_back({L"Net" + std::to_wstring(i), L"WPA2", kPadlockImage, i % 6});
    return rows;
}

bool Near(QRgb pixel, const QColor& colour, int tolerance = 0)
{
    return std::abs(qRed(pixel) - colour.red()) <= tolerance && std::abs(qGreen(pixel) - colour.green()) <= tolerance &&
           std::abs(qBlue(pixel) - colour.blue()) <= tolerance;
}

// Pixels of a cell that differ from its fill: the text's ink.
QRect InkBox(const QImage& image, const QRect& cell, const QColor& fill)
{
    QRect box;
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x)
            if (!Near(image.pixel(x, y), fill, 24)) box |= QRect(x, y, 1, 1);
    return box;
}

int CountIf(const QImage& image, const QRect& cell, const std::function<bool(QRgb)>& pred)
{
    int n = 0;
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x) n += pred(image.pixel(x, y)) ? 1 : 0;
    return n;
}

// One image of the list's strip with white keyed out.
QImage StripImage(int strip, int index)
{
    QImage image = LoadBitmapResource(strip).copy(index * 32, 0, 32, 30).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFFu) == 0xFFFFFFu) image.setPixel(x, y, 0);
    return image;
}

// What an unfocused image cell must look like: the row's fill, the row tile at the
// icon's place and the icon over it.
QImage ExpectedImageCell(QSize cell, const QColor& fill, int strip, int tile, int icon, int iconX)
{
    QImage out(cell, QImage::Format_RGB32);
    out.fill(fill);
    QPainter p(&out);
    p.drawImage(iconX, 0, StripImage(strip, tile));
    p.drawImage(iconX, 0, StripImage(strip, icon));
    return out;
}

class MyListCtrlTest : public listtest::ControlTest {
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

    // The list where the network list page puts it, as the wizard sets it up.
    CMyListCtrl* MakeList(bool rtl, int id = 1015)
    {
        CMyListCtrl* list = panel->Add<CMyListCtrl>(id);
        list->SetColumnLayout(rtl);
        list->LoadSignalImageList();
        list->MoveWindow(rtl ? 750 - 44 - 439 : 44, 177, 439, 153);
        list->ShowWindow(SW_SHOW);
        return list;
    }
    // Rows as the wizard fills them: the signal column makes room for the scroll bar
    // from five networks on.
    static void Fill(CMyListCtrl* list, const std::vector<NetworkRow>& rows)
    {
        list->DeleteAllItems();
        for (std::size_t i = 0; i < rows.size(); ++i) list->InsertNetworkRow(static_cast<int>(i), rows[i]);
        list->SetColumnWidth(list->ColumnOfRole(Role::Signal), rows.size() < 5 ? 114 : 97);
        list->SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
    }
    // The list's client area as drawn on the panel.
    QImage GrabClient(CMyListCtrl* list)
    {
        QRect client = list->ClientRect().translated(list->Widget()->pos());
        return listtest::Grab(*panel).copy(client);
    }
    void Activate()
    {
        panel->Widget()->activateWindow();
        QApplication::setActiveWindow(panel->Widget());
        QApplication::processEvents();
    }
    static void Click(CMyListCtrl* list, QPoint at) { QTest::mouseClick(list->Widget(), Qt::LeftButton, {}, at); }
    // A double-click as the window system delivers it: a click, then a second press
    // that is a double-click, then its release.
    static void DoubleClick(CMyListCtrl* list, QPoint at)
    {
        QTest::mouseClick(list->Widget(), Qt::LeftButton, {}, at);
        QTest::mousePress(list->Widget(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->Widget(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(list->Widget(), Qt::LeftButton, {}, at);
    }

    std::unique_ptr<Panel> panel;
};

}  // namespace

TEST_F(MyListCtrlTest, TellsTheOwnerOfClicksKeysAndDoubleClicks)
{
    struct Case {
        const char* what;
        std::function<void(CMyListCtrl*)> act;
        std::vector<UINT> messages;
        int focused;
        int selected;
    };
    const QPoint belowRows(100, 4 * kRowHeight + 10);
    const Case cases[] = {
        {"click on a row", [](CMyListCtrl* l) { Click(l, l->RowRect(1).center()); }, {kClick}, 1, 1},
        {"click below the last row", [&](CMyListCtrl* l) { Click(l, belowRows); }, {}, -1, -1},
        {"double-click on a row", [](CMyListCtrl* l) { DoubleClick(l, l->RowRect(2).center()); }, {kClick, kDoubleClick}, 2, 2},
        {"double-click below the last row", [&](CMyListCtrl* l) { DoubleClick(l, belowRows); }, {}, -1, -1},
        {"arrow key", [](CMyListCtrl* l) { QTest::keyClick(l->Widget(), Qt::Key_Down); }, {kClick}, 0, 0},
        {"a letter no name starts with", [](CMyListCtrl* l) { QTest::keyClick(l->Widget(), Qt::Key_X); }, {kClick}, -1, -1},
        {"a letter a name starts with", [](CMyListCtrl* l) { QTest::keyClick(l->Widget(), Qt::Key_G); }, {kClick}, 3, 3},
        {"space without a focused row", [](CMyListCtrl* l) { QTest::keyClick(l->Widget(), Qt::Key_Space); }, {kClick}, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (bool rtl : {false, true}) {
            panel = std::make_unique<Panel>();
            panel->Open();
            CMyListCtrl* list = MakeList(rtl);
            Fill(list, kFourNetworks);
            c.act(list);
            EXPECT_EQ(panel->messages, c.messages) << (rtl ? "right-to-left" : "left-to-right");
            EXPECT_EQ(list->GetNextItem(-1, LVNI_FOCUSED), c.focused);
            EXPECT_EQ(list->GetNextItem(-1, LVNI_SELECTED), c.selected);
            EXPECT_TRUE(panel->commands.empty());
        }
    }
}

TEST_F(MyListCtrlTest, ClickOnEmptySpaceKeepsTheFocusedRowAndDropsTheSelection)
{
    CMyListCtrl* list = MakeList(false);
    Fill(list, kFourNetworks);
    Click(list, list->RowRect(2).center());
    Click(list, QPoint(100, 140));
    EXPECT_EQ(panel->messages, (std::vector<UINT>{kClick}));
    EXPECT_EQ(list->GetNextItem(-1, LVNI_FOCUSED), 2);
    EXPECT_EQ(list->GetNextItem(-1, LVNI_SELECTED), -1);
}

TEST_F(MyListCtrlTest, AControlWithoutIdTellsNobody)
{
    CMyListCtrl* list = MakeList(false, 0);
    Fill(list, kFourNetworks);
    DoubleClick(list, list->RowRect(0).center());
    QTest::keyClick(list->Widget(), Qt::Key_Down);
    EXPECT_TRUE(panel->messages.empty());
    EXPECT_EQ(list->GetNextItem(-1, LVNI_FOCUSED), 1);
}

TEST_F(MyListCtrlTest, RowsReadBackAsInserted)
{
    for (bool rtl : {false, true}) {
        SCOPED_TRACE(rtl ? "right-to-left" : "left-to-right");
        CMyListCtrl* list = MakeList(rtl, rtl ? 2 : 1);
        Fill(list, kFourNetworks);
        ASSERT_EQ(list->GetItemCount(), 4);
        EXPECT_EQ(list->RowSsid(1), L"Cafe & Bar");
        EXPECT_EQ(list->RowSecurity(1), L"Open");
        EXPECT_FALSE(list->RowShowsPadlock(1));
        EXPECT_TRUE(list->RowShowsPadlock(2));
        EXPECT_EQ(list->RowBars(0), 5);
        EXPECT_EQ(list->RowBars(3), 1);
        EXPECT_EQ(list->FindRow(L"Office"), 2);
        EXPECT_EQ(list->FindRow(L"office"), -1);
        // The columns' texts follow the direction's column order.
        EXPECT_EQ(list->GetItemText(2, rtl ? 3 : 0), L"Office");
        EXPECT_EQ(list->GetItemText(2, rtl ? 2 : 1), L"WPA");
        EXPECT_EQ(list->GetItemText(2, rtl ? 0 : 3), L"");
        EXPECT_EQ(list->GetColumnWidth(list->ColumnOfRole(Role::Signal)), 114);
        // Inserting before the end shifts the rows below.
        list->InsertNetworkRow(1, {L"Lab", L"WPA2", kPadlockImage, 2});
        EXPECT_EQ(list->RowSsid(1), L"Lab");
        EXPECT_EQ(list->RowSsid(2), L"Cafe & Bar");
        EXPECT_EQ(list->InsertNetworkRow(99, {L"Last", L" ", kBlankImage, 0}), 5);
        list->DeleteAllItems();
        EXPECT_EQ(list->GetItemCount(), 0);
        EXPECT_EQ(list->GetNextItem(-1, LVNI_FOCUSED), -1);
    }
}

TEST_F(MyListCtrlTest, TheConnectedRowIsTheExactName)
{
    CMyListCtrl* list = MakeList(false);
    Fill(list, {{L"Home", L"WPA2", kPadlockImage, 5}, {L"home", L"WPA2", kPadlockImage, 2}, {L"", L"WPA", kPadlockImage, 1}});
    EXPECT_TRUE(list->ConnectedRows().empty());
    list->SetConnectedSsid(L"Home");
    EXPECT_EQ(list->ConnectedRows(), (std::vector<int>{0}));
    list->SetConnectedSsid(L"home");
    EXPECT_EQ(list->ConnectedRows(), (std::vector<int>{1}));
    // No connection: the row without a name is not the connected one.
    list->SetConnectedSsid(L"");
    EXPECT_TRUE(list->ConnectedRows().empty());
}

TEST_F(MyListCtrlTest, KeysMoveTheFocusedRowAndScrollItIntoView)
{
    CMyListCtrl* list = MakeList(false);
    Fill(list, Networks(6));
    struct Step { Qt::Key key; int focused; int top; };
    const Step steps[] = {{Qt::Key_Down, 0, 0}, {Qt::Key_Down, 1, 0}, {Qt::Key_End, 5, 2}, {Qt::Key_Up, 4, 2},
                          {Qt::Key_Home, 0, 0}, {Qt::Key_Up, 0, 0},   {Qt::Key_PageDown, 4, 1}, {Qt::Key_N, 5, 2}};
    std::size_t n = 0;
    for (const Step& s : steps) {
        QTest::keyClick(list->Widget(), s.key);
        ++n;
        EXPECT_EQ(list->GetNextItem(-1, LVNI_FOCUSED), s.focused) << "after key " << n;
        EXPECT_EQ(list->GetNextItem(-1, LVNI_SELECTED), s.focused) << "after key " << n;
        EXPECT_EQ(list->GetTopIndex(), s.top) << "after key " << n;
        EXPECT_FALSE(list->RowRect(s.focused).isEmpty()) << "after key " << n;
    }
    EXPECT_EQ(panel->messages, std::vector<UINT>(n, kClick));
}

TEST_F(MyListCtrlTest, TabbingInShowsWhereTheArrowKeysStart)
{
    CPushButton* before = panel->Add<CPushButton>(1069);
    before->MoveWindow(10, 10, 70, 27);
    before->ShowWindow(SW_SHOW);
    CMyListCtrl* list = MakeList(false);
    Fill(list, kFourNetworks);
    Activate();
    before->SetFocus();
    QTest::keyClick(before->Widget(), Qt::Key_Tab);
    ASSERT_TRUE(list->Widget()->hasFocus());
    // The first row shows the focus; nothing is selected and the owner has heard nothing.
    EXPECT_EQ(list->GetNextItem(-1, LVNI_FOCUSED), 0);
    EXPECT_EQ(list->GetNextItem(-1, LVNI_SELECTED), -1);
    EXPECT_TRUE(panel->messages.empty());
    QTest::keyClick(list->Widget(), Qt::Key_Down);
    EXPECT_EQ(list->GetNextItem(-1, LVNI_SELECTED), 1);
    EXPECT_EQ(panel->messages, (std::vector<UINT>{kClick}));
}

TEST_F(MyListCtrlTest, RowRectsAreWhereClicksLand)
{
    for (bool rtl : {false, true}) {
        for (int rows : {3, 6}) {
            SCOPED_TRACE(std::string(rtl ? "right-to-left, " : "left-to-right, ") + std::to_string(rows) + " rows");
            CMyListCtrl* list = MakeList(rtl, rows + (rtl ? 100 : 0));
            Fill(list, Networks(rows));
            EXPECT_EQ(list->IsScrollBarVisible(), rows >= 5);
            // The scroll bar stands at the right, or at the left in right-to-left layouts.
            QRect client = list->ClientRect();
            EXPECT_EQ(client.left(), rtl && rows >= 5 ? kScrollBarWidth : 0);
            EXPECT_EQ(client.width(), rows >= 5 ? 439 - kScrollBarWidth : 439);
            for (int i = 0; i < rows; ++i) {
                list->EnsureVisible(i);
                QRect r = list->RowRect(i);
                ASSERT_FALSE(r.isEmpty()) << "row " << i;
                EXPECT_EQ(list->HitTest(r.center()), i);
            }
            EXPECT_TRUE(list->RowRect(rows).isEmpty());
            if (rows >= 5) {
                EXPECT_TRUE(list->RowRect(0).isEmpty()) << "scrolled out of view";
            }
        }
    }
}

TEST_F(MyListCtrlTest, ScreenReadersHearEachRow)
{
    CMyListCtrl* list = MakeList(false);
    Fill(list, kFourNetworks);
    Activate();
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(list->Widget());
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::List);
    ASSERT_GE(iface->childCount(), 4);
    const char* names[] = {"Home", "Cafe & Bar", "Office", "Guest"};
    for (int i = 0; i < 4; ++i) {
        QAccessibleInterface* row = iface->child(i);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->role(), QAccessible::ListItem);
        EXPECT_EQ(row->text(QAccessible::Name), QString::fromLatin1(names[i]));
        EXPECT_EQ(iface->indexOfChild(row), i);
        EXPECT_TRUE(row->state().focusable);
    }
    EXPECT_EQ(iface->child(0)->text(QAccessible::Description), QStringLiteral("Security: WPA2, Strength: 5/5"));
    EXPECT_EQ(iface->child(1)->text(QAccessible::Description), QStringLiteral("Security: Open, Strength: 3/5"));
    // The row the keys moved to is the focused and selected one.
    list->SetFocus();
    QTest::keyClick(list->Widget(), Qt::Key_Down);
    QTest::keyClick(list->Widget(), Qt::Key_Down);
    EXPECT_TRUE(iface->child(1)->state().selected);
    EXPECT_FALSE(iface->child(0)->state().selected);
    ASSERT_TRUE(list->Widget()->hasFocus());
    EXPECT_TRUE(iface->child(1)->state().focused);
    EXPECT_FALSE(iface->child(0)->state().focused);
    ASSERT_NE(iface->focusChild(), nullptr);
    EXPECT_EQ(iface->focusChild()->text(QAccessible::Name), QStringLiteral("Cafe & Bar"));
    // A refill makes new rows.
    Fill(list, Networks(2));
    EXPECT_EQ(iface->child(0)->text(QAccessible::Name), QStringLiteral("Net0"));
}

TEST_F(MyListCtrlTest, RowsComeOutAsDesigned)
{
    CMyListCtrl* list = MakeList(false);
    Fill(list, kFourNetworks);
    list->SetConnectedSsid(L"Home");
    list->SetItemState(2, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    QImage shot = GrabClient(list);
    QImage gradient = LoadBitmapResource(322);
    // Fills alternate from an even first row; the focused row shows the gradient in every
    // cell, also under its icons' cells.
    EXPECT_TRUE(Near(shot.pixel(5, 10), kEvenFill));
    EXPECT_TRUE(Near(shot.pixel(5, 31 + 10), kOddFill));
    EXPECT_TRUE(Near(shot.pixel(5, 93 + 10), kOddFill));
    for (int x : {5, 230, 284, 330})
        for (int y : {1, 15, 28}) EXPECT_EQ(shot.pixel(x, 62 + y), gradient.pixel(1, y)) << x << "," << y;
    // Separator lines, through the rows and below them.
    for (int x : {0, 222, 324})
        for (int y : {5, 70, 140}) EXPECT_TRUE(Near(shot.pixel(x, y), kLine)) << x << "," << y;
    EXPECT_TRUE(Near(shot.pixel(100, 140), Qt::white));
    // The connected name is blue and bold, the others grey; the focused row's text is white.
    auto blue = [](QRgb p) { return qBlue(p) > 150 && qRed(p) < 120; };
    auto white = [](QRgb p) { return qRed(p) > 245 && qGreen(p) > 245 && qBlue(p) > 245; };
    QRect name0(1, 0, 221, 31), name1(1, 31, 221, 31), name2(1, 62, 221, 31);
    EXPECT_GT(CountIf(shot, name0, blue), 20);
    EXPECT_EQ(CountIf(shot, name1, blue), 0);
    EXPECT_GT(CountIf(shot, name2, white), 20);
    // Text starts 10 pixels into its cell.
    QRect ink = InkBox(shot, name1, kOddFill);
    EXPECT_GE(ink.left(), 10);
    EXPECT_LE(ink.left(), 12);
    // Signal icons 30 pixels left of their column's centre with four networks; the
    // padlock centred, and an open network's cell only the row's fill.
    EXPECT_EQ(shot.copy(325, 31, 114, 31), ExpectedImageCell({114, 31}, kOddFill, 235, kOddRowTile, 3, 336 - 325));
    EXPECT_EQ(shot.copy(325, 0, 114, 31), ExpectedImageCell({114, 31}, kEvenFill, 235, kEvenRowTile, 5, 336 - 325));
    EXPECT_EQ(shot.copy(283, 0, 41, 31), ExpectedImageCell({41, 31}, kEvenFill, 235, kEvenRowTile, kPadlockImage, 5));
    EXPECT_EQ(shot.copy(283, 31, 41, 31), ExpectedImageCell({41, 31}, kOddFill, 235, kOddRowTile, kBlankImage, 5));
}

TEST_F(MyListCtrlTest, TheConnectedNameIsBoldAndBlueAlsoWhenFocused)
{
    CMyListCtrl* list = MakeList(false);
    Fill(list, kFourNetworks);
    QRect name0(1, 0, 221, 31);
    auto ink = [](QRgb p) { return !Near(p, kEvenFill, 24); };
    auto blue = [](QRgb p) { return qBlue(p) > 150 && qRed(p) < 120; };
    int plain = CountIf(GrabClient(list), name0, ink);
    list->SetConnectedSsid(L"Home");
    QImage connected = GrabClient(list);
    EXPECT_GT(CountIf(connected, name0, ink), plain * 6 / 5) << "bold";
    EXPECT_GT(CountIf(connected, name0, blue), 20);
    list->SetItemState(0, LVIS_FOCUSED, LVIS_FOCUSED);
    EXPECT_GT(CountIf(GrabClient(list), name0, blue), 20);
}

TEST_F(MyListCtrlTest, ScrollingRedrawsTheRowsWhereTheyAreNow)
{
    CMyListCtrl* list = MakeList(false);
    Fill(list, Networks(7));
    list->SetItemState(3, LVIS_FOCUSED, LVIS_FOCUSED);
    QImage gradient = LoadBitmapResource(322);
    EXPECT_EQ(GrabClient(list).pixel(5, 3 * 31 + 15), gradient.pixel(0, 15));
    list->EnsureVisible(6);
    ASSERT_EQ(list->GetTopIndex(), 3);
    QImage shot = GrabClient(list);
    EXPECT_EQ(shot.pixel(5, 15), gradient.pixel(0, 15));
    EXPECT_TRUE(Near(shot.pixel(5, 31 + 15), kEvenFill));
    EXPECT_TRUE(Near(shot.pixel(5, 3 * 31 + 15), kEvenFill));
}

TEST_F(MyListCtrlTest, FromFiveNetworksTheSignalIconsMoveForTheScrollBar)
{
    CMyListCtrl* list = MakeList(false);
    Fill(list, Networks(5));
    QImage shot = GrabClient(list);
    ASSERT_EQ(shot.width(), 422);
    // Row 0 shows 0 bars, row 1 one bar: 20 pixels left of the 97-pixel column's centre.
    EXPECT_EQ(shot.copy(325, 31, 97, 31), ExpectedImageCell({97, 31}, kOddFill, 235, kOddRowTile, 1, 337 - 325));
}

TEST_F(MyListCtrlTest, RightToLeftRowsComeOutMirrored)
{
    CMyListCtrl* list = MakeList(true);
    Fill(list, kFourNetworks);
    QImage shot = GrabClient(list);
    // Lines after the signal and the security columns.
    for (int x : {113, 215}) EXPECT_TRUE(Near(shot.pixel(x, 140), kLine)) << x;
    // The mirrored bars sit 10 pixels from the signal column's right edge.
    EXPECT_EQ(shot.copy(1, 0, 112, 31), ExpectedImageCell({112, 31}, kEvenFill, 437, kEvenRowTile, 5, 72 - 1));
    EXPECT_EQ(shot.copy(114, 31, 42, 31), ExpectedImageCell({42, 31}, kOddFill, 437, kOddRowTile, kBlankImage, 5));
    // The name is right-aligned 10 pixels from the list's right edge.
    QRect ink = InkBox(shot, QRect(216, 31, 223, 31), kOddFill);
    EXPECT_LE(ink.right(), 438 - 10);
    EXPECT_GE(ink.right(), 438 - 12);
    ink = InkBox(shot, QRect(156, 0, 59, 31), kEvenFill);
    EXPECT_LE(ink.right(), 215 - 10);
    EXPECT_GE(ink.right(), 215 - 12);
}

TEST_F(MyListCtrlTest, AmpersandsShowOnceEach)
{
    for (bool rtl : {false, true}) {
        SCOPED_TRACE(rtl ? "right-to-left" : "left-to-right");
        CMyListCtrl* list = MakeList(rtl, rtl ? 2 : 1);
        Fill(list, {{L"&", L"WPA2", kPadlockImage, 1}, {L"&&", L"WPA2", kPadlockImage, 1}});
        QImage shot = GrabClient(list);
        QRect name = rtl ? QRect(217, 0, 221, 31) : QRect(1, 0, 221, 31);
        QRect one = InkBox(shot, name, kEvenFill);
        QRect two = InkBox(shot, name.translated(0, 31), kOddFill);
        ASSERT_FALSE(one.isEmpty());
        EXPECT_GT(two.width(), one.width() * 3 / 2);
        list->ShowWindow(SW_HIDE);
    }
}

TEST_F(MyListCtrlTest, Screenshots)
{
    struct Shot { const char* name; bool rtl; std::vector<NetworkRow> rows; int focused; };
    std::vector<NetworkRow> rtlRows = {
        {L"\u0634\u0628\u0643\u0629 \u0627\u0644\u0645\u0646\u0632\u0644", L"WPA2", kPadlockImage, 5},
        {L"Cafe & Bar", L"Open", kBlankImage, 3},
        {L"Office", L"WPA", kPadlockImage, 4},
        {L"Guest", L"WEP", kPadlockImage, 1},
    };
    const Shot shots[] = {
        {"list-ltr", false, kFourNetworks, 2},
        {"list-rtl", true, rtlRows, 2},
        {"list-ltr-scroll", false, Networks(7), 1},
        {"list-rtl-scroll", true, Networks(7), 1},
    };
    for (const Shot& s : shots) {
        panel = std::make_unique<Panel>();
        panel->Open();
        CMyListCtrl* list = MakeList(s.rtl);
        Fill(list, s.rows);
        list->SetConnectedSsid(s.rows[0].ssid);
        list->SetItemState(s.focused, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
        QImage shot = listtest::Grab(*panel);
        EXPECT_FALSE(shot.isNull());
        listtest::SaveShot(shot.copy(list->Widget()->geometry().adjusted(-20, -20, 20, 20)), s.name);
    }
}
