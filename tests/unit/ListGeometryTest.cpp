// The network list's geometry without a window: which column shows what in each
// direction, where the text and image cells, icons, text anchors and separator lines
// go (icons further left while fewer than five networks are listed), and how the keys
// and the scroll position move the focused row.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "controls/ListGeometry.h"

using namespace ListGeometry;

namespace {

std::string Show(const Rect& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

std::string Show(const std::vector<VLine>& lines)
{
    std::string out;
    for (const VLine& l : lines) out += "[" + std::to_string(l.x) + " " + std::to_string(l.top) + ".." + std::to_string(l.bottom) + "]";
    return out;
}

Columns Ltr(int signal = 114) { return Columns{false, {223, 60, 42, signal}}; }
Columns Rtl(int signal = 114) { return Columns{true, {signal, 42, 60, 223}}; }

}  // namespace

TEST(ListGeometry, ColumnsShowTheirRoleInEachDirection)
{
    struct Case { bool rtl; int column; Role role; bool text; int width; };
    const Case cases[] = {
        {false, 0, Role::Name, true, 223},     {false, 1, Role::Security, true, 60},
        {false, 2, Role::Padlock, false, 42},  {false, 3, Role::Signal, false, 114},
        {true, 0, Role::Signal, false, 114},   {true, 1, Role::Padlock, false, 42},
        {true, 2, Role::Security, true, 60},   {true, 3, Role::Name, true, 223},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.rtl ? "rtl column " : "ltr column ") + std::to_string(c.column));
        EXPECT_EQ(RoleOfColumn(c.rtl, c.column), c.role);
        EXPECT_EQ(ColumnOfRole(c.rtl, c.role), c.column);
        EXPECT_EQ(IsTextColumn(c.rtl, c.column), c.text);
        EXPECT_EQ(DefaultColumnWidths(c.rtl)[static_cast<std::size_t>(c.column)], c.width);
    }
    // Both layouts fill the page's 439-pixel list.
    EXPECT_EQ(Ltr().TotalWidth(), 439);
    EXPECT_EQ(Rtl().TotalWidth(), 439);
}

TEST(ListGeometry, TextCells)
{
    struct Case {
        const char* what;
        Columns columns;
        int rowTop;
        int column;
        bool focused;
        bool gradient;
        Rect gradientRect;
        Rect textRect;
        int anchorX;
        bool alignRight;
        std::vector<VLine> lines;
    };
    const Case cases[] = {
        // The list reports the whole row for column 0: the gradient stops at x = 223 and
        // the text ends where the name column ends.
        {"ltr name, focused", Ltr(), 0, 0, true, true, {0, 0, 223, 31}, {0, 0, 223, 31}, 10, false,
         {{0, -2, 31}, {222, -2, 31}}},
        {"ltr name, scroll bar shown", Ltr(97), 31, 0, true, true, {0, 31, 223, 62}, {0, 31, 223, 62}, 10, false,
         {{0, 29, 62}, {222, 29, 62}}},
        {"ltr name, not focused", Ltr(), 62, 0, false, false, {}, {0, 62, 223, 93}, 10, false,
         {{0, 60, 93}, {222, 60, 93}}},
        {"ltr security, focused", Ltr(), 0, 1, true, true, {223, 0, 283, 31}, {223, 0, 283, 31}, 233, false, {}},
        {"ltr security", Ltr(), 31, 1, false, false, {}, {223, 31, 283, 62}, 233, false, {}},
        // Right-to-left: the name is the rightmost column, right-aligned 10 pixels from
        // its right edge; the security column carries the line at its right edge.
        {"rtl name, focused", Rtl(), 0, 3, true, true, {216, 0, 439, 31}, {216, 0, 439, 31}, 429, true, {}},
        {"rtl name, scroll bar shown", Rtl(97), 0, 3, false, false, {}, {199, 0, 422, 31}, 412, true, {}},
        {"rtl security", Rtl(), 31, 2, false, false, {}, {156, 31, 216, 62}, 206, true, {{215, 31, 62}}},
        {"rtl security, scroll bar shown", Rtl(97), 0, 2, true, true, {139, 0, 199, 31}, {139, 0, 199, 31}, 189, true,
         {{198, 0, 31}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TextCell cell = TextCellLayout(c.columns, c.rowTop, c.column, c.focused);
        EXPECT_EQ(cell.gradient, c.gradient);
        if (c.gradient) {
            EXPECT_EQ(Show(cell.gradientRect), Show(c.gradientRect));
        }
        EXPECT_EQ(Show(cell.textRect), Show(c.textRect));
        EXPECT_EQ(cell.anchorX, c.anchorX);
        EXPECT_EQ(cell.alignRight, c.alignRight);
        EXPECT_EQ(Show(cell.lines), Show(c.lines));
    }
}

TEST(ListGeometry, ImageCellsCentreTheirIcons)
{
    struct Case {
        const char* what;
        Columns columns;
        int rowTop;
        int column;
        int rows;
        int imageW, imageH;
        Rect rect;
        int iconX, iconY;
        std::vector<VLine> lines;
    };
    const Case cases[] = {
        // Left-to-right signal bars: 30 pixels left of the centre below five networks,
        // 20 from five on (when the column has made room for the scroll bar).
        {"ltr signal, 4 rows", Ltr(), 0, 3, 4, 32, 30, {325, 0, 439, 31}, 382 - 16 - 30, 0, {{324, -2, 31}}},
        {"ltr signal, 1 row", Ltr(), 0, 3, 1, 32, 30, {325, 0, 439, 31}, 336, 0, {{324, -2, 31}}},
        {"ltr signal, 5 rows", Ltr(97), 0, 3, 5, 32, 30, {325, 0, 422, 31}, 373 - 16 - 20, 0, {{324, -2, 31}}},
        {"ltr signal, 5 rows, wide column", Ltr(), 0, 3, 5, 32, 30, {325, 0, 439, 31}, 346, 0, {{324, -2, 31}}},
        {"ltr signal, third row", Ltr(97), 62, 3, 9, 32, 30, {325, 62, 422, 93}, 337, 62, {{324, 60, 93}}},
        {"ltr padlock", Ltr(), 0, 2, 4, 32, 30, {283, 0, 325, 31}, 288, 0, {{324, 0, 31}}},
        {"ltr padlock, 5 rows", Ltr(97), 31, 2, 5, 32, 30, {283, 31, 325, 62}, 288, 31, {{324, 31, 62}}},
        // Right-to-left signal bars: the leftmost column, clipped to its own width (the
        // list reports the whole row for column 0), 10 pixels from its right edge.
        {"rtl signal", Rtl(), 0, 0, 4, 32, 30, {1, 0, 114, 31}, 72, 0, {{113, 0, 31}}},
        {"rtl signal, 5 rows", Rtl(97), 31, 0, 5, 32, 30, {1, 31, 97, 62}, 55, 31, {{96, 31, 62}}},
        {"rtl padlock", Rtl(), 0, 1, 4, 32, 30, {114, 0, 156, 31}, 119, 0, {}},
        {"rtl padlock, 5 rows", Rtl(97), 0, 1, 7, 32, 30, {97, 0, 139, 31}, 102, 0, {}},
        // An image the list does not have counts as 0 x 0.
        {"ltr padlock, no image", Ltr(), 0, 2, 4, 0, 0, {283, 0, 325, 31}, 304, 15, {{324, 0, 31}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ImageCell cell = ImageCellLayout(c.columns, c.rowTop, c.column, c.rows, c.imageW, c.imageH);
        EXPECT_EQ(Show(cell.rect), Show(c.rect));
        EXPECT_EQ(cell.iconX, c.iconX);
        EXPECT_EQ(cell.iconY, c.iconY);
        EXPECT_EQ(Show(cell.lines), Show(c.lines));
    }
}

TEST(ListGeometry, CellsCoverTheRowWithoutGaps)
{
    for (bool rtl : {false, true}) {
        for (int signal : {114, 97, 92}) {
            Columns columns = rtl ? Rtl(signal) : Ltr(signal);
            SCOPED_TRACE((rtl ? "rtl " : "ltr ") + std::to_string(signal));
            std::vector<Rect> cells;
            for (int c = 0; c < kColumnCount; ++c)
                cells.push_back(IsTextColumn(rtl, c) ? TextCellLayout(columns, 0, c, false).textRect
                                                     : ImageCellLayout(columns, 0, c, 5, 32, 30).rect);
            std::sort(cells.begin(), cells.end(), [](const Rect& a, const Rect& b) { return a.left < b.left; });
            // Right-to-left column 0 starts one pixel in.
            EXPECT_EQ(cells.front().left, rtl ? 1 : 0);
            for (std::size_t i = 1; i < cells.size(); ++i) EXPECT_EQ(cells[i].left, cells[i - 1].right);
            EXPECT_EQ(cells.back().right, columns.TotalWidth());
        }
    }
}

TEST(ListGeometry, BackgroundLinesSeparateTheColumns)
{
    EXPECT_EQ(BackgroundLineXs(Ltr()), (std::vector<int>{0, 222, 324}));
    EXPECT_EQ(BackgroundLineXs(Ltr(97)), (std::vector<int>{0, 222, 324}));
    EXPECT_EQ(BackgroundLineXs(Rtl()), (std::vector<int>{113, 215}));
    EXPECT_EQ(BackgroundLineXs(Rtl(97)), (std::vector<int>{96, 198}));
}

TEST(ListGeometry, RowTilesAlternateAndFocusWins)
{
    EXPECT_EQ(RowTile(0, false), kEvenRowTile);
    EXPECT_EQ(RowTile(1, false), kOddRowTile);
    EXPECT_EQ(RowTile(2, false), kEvenRowTile);
    EXPECT_EQ(RowTile(1, true), kFocusTile);
    EXPECT_EQ(RowTile(0, true), kFocusTile);
}

TEST(ListGeometry, RowsAndScrolling)
{
    // The page's list is 153 pixels high: four whole rows.
    EXPECT_EQ(RowsPerPage(153), 4);
    EXPECT_EQ(MaxTopRow(4, 153), 0);
    EXPECT_EQ(MaxTopRow(5, 153), 1);
    EXPECT_EQ(MaxTopRow(9, 153), 5);
    struct Hit { int y, top, rows, row; };
    for (Hit h : {Hit{0, 0, 3, 0}, Hit{30, 0, 3, 0}, Hit{31, 0, 3, 1}, Hit{92, 0, 3, 2}, Hit{93, 0, 3, -1},
                  Hit{140, 0, 5, 4}, Hit{10, 2, 6, 2}, Hit{-1, 0, 3, -1}})
        EXPECT_EQ(RowAtY(h.y, h.top, h.rows), h.row) << "y " << h.y << " top " << h.top;
    struct Reveal { int row, top, rows, expected; };
    for (Reveal s : {Reveal{4, 0, 6, 1}, Reveal{5, 0, 6, 2}, Reveal{0, 2, 6, 0}, Reveal{3, 1, 6, 1}, Reveal{2, 0, 3, 0}})
        EXPECT_EQ(TopRowToShow(s.row, s.top, 153, s.rows), s.expected) << "row " << s.row << " from top " << s.top;
}

TEST(ListGeometry, KeysMoveTheFocusedRow)
{
    struct Case { int focused; NavKey key; int rows; int expected; };
    const Case cases[] = {
        {-1, NavKey::Down, 5, 0}, {-1, NavKey::Up, 5, 0},   {-1, NavKey::Home, 5, 0}, {-1, NavKey::End, 5, 4},
        {0, NavKey::Down, 5, 1},  {3, NavKey::Down, 5, 4},  {4, NavKey::Down, 5, 4},  {0, NavKey::Up, 5, 0},
        {3, NavKey::Up, 5, 2},    {3, NavKey::Home, 5, 0},  {1, NavKey::End, 5, 4},   {0, NavKey::PageDown, 9, 4},
        {6, NavKey::PageDown, 9, 8}, {6, NavKey::PageUp, 9, 2}, {2, NavKey::PageUp, 9, 0}, {-1, NavKey::PageDown, 9, 3},
        {-1, NavKey::Down, 0, -1}, {2, NavKey::End, 0, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NextFocusRow(c.focused, c.key, c.rows, 4), c.expected)
            << "from " << c.focused << " key " << static_cast<int>(c.key) << " rows " << c.rows;
}
