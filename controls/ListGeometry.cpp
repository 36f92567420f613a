#include "controls/ListGeometry.h"

#include <algorithm>

namespace ListGeometry {

namespace {

constexpr std::array<Role, kColumnCount> kLtrRoles = {Role::Name, Role::Security, Role::Padlock, Role::Signal};
constexpr std::array<Role, kColumnCount> kRtlRoles = {Role::Signal, Role::Padlock, Role::Security, Role::Name};

int RoleWidth(Role role)
{
    switch (role) {
    case Role::Name: return 223;
    case Role::Security: return 60;
    case Role::Padlock: return 42;
    case Role::Signal: return 114;
    }
    return 0;
}

// The focus gradient of the name column never reaches past the name column's own width,
// even though the list reports the whole row for it.
constexpr int kNameGradientLimit = 224;
constexpr int kNameGradientRight = 223;

// Signal icons sit left of their column's centre: further while there is no scroll bar.
constexpr int kFewRows = 5;
constexpr int kSignalShiftFewRows = 30;
constexpr int kSignalShiftManyRows = 20;

}  // namespace

Role RoleOfColumn(bool rightToLeft, int column)
{
    return (rightToLeft ? kRtlRoles : kLtrRoles)[static_cast<std::size_t>(column)];
}

int ColumnOfRole(bool rightToLeft, Role role)
{
    const auto& roles = rightToLeft ? kRtlRoles : kLtrRoles;
    return static_cast<int>(std::find(roles.begin(), roles.end(), role) - roles.begin());
}

bool IsTextColumn(bool rightToLeft, int column)
{
    Role role = RoleOfColumn(rightToLeft, column);
    return role == Role::Name || role == Role::Security;
}

std::array<int, kColumnCount> DefaultColumnWidths(bool rightToLeft)
{
    std::array<int, kColumnCount> widths{};
    for (int c = 0; c < kColumnCount; ++c) widths[static_cast<std::size_t>(c)] = RoleWidth(RoleOfColumn(rightToLeft, c));
    return widths;
}

int Columns::Left(int column) const
{
    int x = 0;
    for (int c = 0; c < column; ++c) x += widths[static_cast<std::size_t>(c)];
    return x;
}

Rect RowBounds(const Columns& columns, int rowTop)
{
    return {0, rowTop, columns.TotalWidth(), rowTop + kRowHeight};
}

Rect SubItemBounds(const Columns& columns, int rowTop, int column)
{
    if (column == 0) return RowBounds(columns, rowTop);
    return {columns.Left(column), rowTop, columns.Right(column), rowTop + kRowHeight};
}

Rect HeaderItemRect(const Columns& columns, int column)
{
    return {columns.Left(column), 0, columns.Right(column), 0};
}

TextCell TextCellLayout(const Columns& columns, int rowTop, int column, bool focused)
{
    TextCell cell;
    Rect bounds = SubItemBounds(columns, rowTop, column);
    if (focused) {
        cell.gradient = true;
        cell.gradientRect = bounds;
        if (bounds.Width() >= kNameGradientLimit) cell.gradientRect.right = kNameGradientRight;
    }
    cell.textRect = bounds;
    if (column == 0) cell.textRect.right = HeaderItemRect(columns, 0).right;
    const Rect& t = cell.textRect;
    if (column == 0) {
        cell.lines.push_back({t.left, t.top - 2, t.bottom});
        cell.lines.push_back({t.right - 1, t.top - 2, t.bottom});
    }
    if (columns.rightToLeft && column == 2) cell.lines.push_back({bounds.right - 1, bounds.top, bounds.bottom});
    cell.alignRight = columns.rightToLeft;
    cell.anchorX = columns.rightToLeft ? t.right - kTextIndent : t.left + kTextIndent;
    return cell;
}

ImageCell ImageCellLayout(const Columns& columns, int rowTop, int column, int rowCount, int imageWidth,
                          int imageHeight)
{
    ImageCell cell;
    Rect r = SubItemBounds(columns, rowTop, column);
    int rtlSignalWidth = columns.RtlSignalWidth();
    if (columns.rightToLeft && column == 0 && r.Width() > rtlSignalWidth) r = {r.left + 1, r.top, rtlSignalWidth, r.bottom};
    cell.rect = r;
    cell.iconY = (r.top + r.bottom) / 2 - imageHeight / 2;
    int centred = (r.left + r.right) / 2 - imageWidth / 2;
    if (columns.rightToLeft) {
        cell.iconX = column == 0 ? r.right - imageWidth - kTextIndent : centred;
        if (column == 0) cell.lines.push_back({r.right - 1, r.top, r.bottom});
    } else if (column == 3) {
        cell.iconX = centred - (rowCount < kFewRows ? kSignalShiftFewRows : kSignalShiftManyRows);
        cell.lines.push_back({r.left - 1, r.top - 2, r.bottom});
    } else {
        cell.iconX = centred;
        if (column == 2) cell.lines.push_back({r.right - 1, r.top, r.bottom});
    }
    return cell;
}

std::vector<int> BackgroundLineXs(const Columns& columns)
{
    if (columns.rightToLeft) {
        int w = columns.RtlSignalWidth();
        return {w - 1, w + 101};
    }
    return {0, 222, 324};
}

int RowTile(int row, bool focused)
{
    if (focused) return kFocusTile;
    return IsOddRow(row) ? kOddRowTile : kEvenRowTile;
}

bool IsOddRow(int row) { return row % 2 != 0; }

int RowTop(int row, int topRow) { return (row - topRow) * kRowHeight; }

int RowAtY(int y, int topRow, int rowCount)
{
    if (y < 0) return -1;
    int row = topRow + y / kRowHeight;
    return row < rowCount ? row : -1;
}

int RowsPerPage(int clientHeight) { return std::max(1, clientHeight / kRowHeight); }

int MaxTopRow(int rowCount, int clientHeight) { return std::max(0, rowCount - RowsPerPage(clientHeight)); }

int TopRowToShow(int row, int topRow, int clientHeight, int rowCount)
{
    int page = RowsPerPage(clientHeight);
    int top = topRow;
    if (row >= 0 && row < top) top = row;
    else if (row >= top + page) top = row - page + 1;
    return std::clamp(top, 0, MaxTopRow(rowCount, clientHeight));
}

int NextFocusRow(int focused, NavKey key, int rowCount, int rowsPerPage)
{
    if (rowCount <= 0) return -1;
    int last = rowCount - 1;
    int page = std::max(1, rowsPerPage);
    int next = focused;
    switch (key) {
    case NavKey::Up: next = focused < 0 ? 0 : focused - 1; break;
    case NavKey::Down: next = focused + 1; break;
    case NavKey::Home: next = 0; break;
    case NavKey::End: next = last; break;
    case NavKey::PageUp: next = focused - page; break;
    case NavKey::PageDown: next = focused + page; break;
    }
    return std::clamp(next, 0, last);
}

}  // namespace ListGeometry
