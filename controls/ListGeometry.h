#pragma once
// Where the network list draws: which column shows which part of a network, the cell
// rectangles, the icon positions, the text anchors and the separator lines, in either
// reading direction, and how the keyboard moves the focused row. Plain integers with
// window-style rectangles (right and bottom exclusive); no toolkit inside, so every
// rule can be checked without a window.
#include <array>
#include <vector>

namespace ListGeometry {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool HasWidth() const { return right > left; }
    bool operator==(const Rect&) const = default;
};

// A one-pixel vertical line at x from y = top down to just above y = bottom.
struct VLine {
    int x = 0;
    int top = 0;
    int bottom = 0;
    bool operator==(const VLine&) const = default;
};

// What a column shows.
enum class Role { Name, Security, Padlock, Signal };

constexpr int kColumnCount = 4;
// Rows are as high as the list's 30-pixel images plus one; four fit into the page's
// 153-pixel list, the fifth brings the vertical scroll bar.
constexpr int kRowHeight = 31;
constexpr int kImageWidth = 32;
constexpr int kImageHeight = 30;
constexpr int kScrollBarWidth = 17;
// Text starts this far inside its cell, from the left or (right-to-left) from the right.
constexpr int kTextIndent = 10;

// Image indices of the list's image strip.
constexpr int kPadlockImage = 6;
constexpr int kBlankImage = 7;
constexpr int kOddRowTile = 8;
constexpr int kEvenRowTile = 9;
constexpr int kFocusTile = 10;
constexpr int kImageCount = 11;

// The column order of each direction: left-to-right name, security, padlock, signal;
// right-to-left the same roles from the other end.
Role RoleOfColumn(bool rightToLeft, int column);
int ColumnOfRole(bool rightToLeft, Role role);
bool IsTextColumn(bool rightToLeft, int column);
// The widths the columns are created with: 223, 60, 42 and 114 pixels by role.
std::array<int, kColumnCount> DefaultColumnWidths(bool rightToLeft);

// The columns as laid out from x = 0 of the list's client area, in index order.
struct Columns {
    bool rightToLeft = false;
    std::array<int, kColumnCount> widths{223, 60, 42, 114};

    int Left(int column) const;
    int Right(int column) const { return Left(column) + widths[column]; }
    int TotalWidth() const { return Right(kColumnCount - 1); }
    // The width the right-to-left drawing takes for the signal column (column 0).
    int RtlSignalWidth() const { return widths[0]; }
};

// The whole row whose top is at y = rowTop.
Rect RowBounds(const Columns& columns, int rowTop);
// The bounds the list reports for a cell. For column 0 these are the whole row's bounds,
// which is why the cell rules below clip column 0 themselves.
Rect SubItemBounds(const Columns& columns, int rowTop, int column);
// The (hidden) header item of a column: its horizontal extent.
Rect HeaderItemRect(const Columns& columns, int column);

// A text cell (name or security column).
struct TextCell {
    bool gradient = false;   // focused row: the focus gradient is copied into gradientRect
    Rect gradientRect;
    Rect textRect;           // filled with the row colour (unfocused rows) and clips the text
    int anchorX = 0;         // left end of left-aligned text, or right end of right-aligned text
    bool alignRight = false; // right-aligned with right-to-left reading
    // Separator lines, drawn together with the text (a cell without text draws none).
    std::vector<VLine> lines;
};
TextCell TextCellLayout(const Columns& columns, int rowTop, int column, bool focused);

// An image cell (padlock or signal column).
struct ImageCell {
    Rect rect;               // the focus gradient (focused rows) or the row colour goes here
    int iconX = 0;           // top-left corner of the row tile and the icon drawn over it
    int iconY = 0;
    std::vector<VLine> lines;
};
// rowCount: the number of networks listed; with fewer than five (no scroll bar) the signal
// icons sit 30 pixels left of their column's centre, else 20. imageWidth, imageHeight:
// the image's size (0 x 0 when the image list has no such image).
ImageCell ImageCellLayout(const Columns& columns, int rowTop, int column, int rowCount, int imageWidth,
                          int imageHeight);

// The full-height separator lines drawn with the list's background.
std::vector<int> BackgroundLineXs(const Columns& columns);

// The row tile an icon is drawn over: the focus gradient, or the fill of an even or odd row.
int RowTile(int row, bool focused);
bool IsOddRow(int row);

// Vertical placement: rows from topRow on are shown, each kRowHeight high.
int RowTop(int row, int topRow);
// The row under y (client coordinates), or -1 below the last row.
int RowAtY(int y, int topRow, int rowCount);
// Rows that fit completely into a client area of this height (at least 1).
int RowsPerPage(int clientHeight);
// The largest top row that still fills the page.
int MaxTopRow(int rowCount, int clientHeight);
// The top row after making `row` fully visible.
int TopRowToShow(int row, int topRow, int clientHeight, int rowCount);

// Keys that move the focused row.
enum class NavKey { Up, Down, Home, End, PageUp, PageDown };
// The row that gets the focus; -1 when there are no rows. Up and Down move one row, the
// page keys a page, Home and End go to the ends; all stop at the first and last row.
// Without a focused row (-1) the keys start from above the first row.
int NextFocusRow(int focused, NavKey key, int rowCount, int rowsPerPage);

}  // namespace ListGeometry
