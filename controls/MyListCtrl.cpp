#include "controls/MyListCtrl.h"

#include "controls/SingleLineText.h"

#include <QFontMetrics>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>

#include <algorithm>

#include "controls/MyListCtrlWidget.h"
#include "controls/Pictures.h"
#include "framework/Dialog.h"
#include "runtime/Runtime.h"

using namespace ListGeometry;

namespace {

const QColor kOddRowFill(231, 229, 229);
const QColor kEvenRowFill(241, 238, 238);
const QColor kLineColour(0, 70, 109);
const QColor kTextColour(102, 102, 102);
const QColor kFocusedTextColour(255, 255, 255);
const QColor kConnectedColour(0, 153, 203);
const QColor kListBackground(255, 255, 255);

constexpr int kSignalStripLtr = 235;
constexpr int kSignalStripRtl = 437;
constexpr int kFocusGradient = 322;

QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

QColor RowFill(int row) { return IsOddRow(row) ? kOddRowFill : kEvenRowFill; }

QFont CellFont(bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(16);
    font.setBold(bold);
    return font;
}

// Pure white is the strip's transparent colour.
QImage WithWhiteTransparent(const QImage& image)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0xFFFFFFu) == 0xFFFFFFu) line[x] = 0;
    }
    return out;
}

// One line of text, vertically centred on the Latin face's line box so that every script
// keeps the same baseline; clipped to its cell.
void DrawCellText(QPainter& painter, const TextCell& cell, const QString& text, const QFont& font)
{
    const Rect& r = cell.textRect;
    painter.save();
    painter.setClipRect(ToQRect(r), Qt::IntersectClip);
    // Starts at (or, right-to-left, ends at) the cell's anchor; the clip cuts a long name.
    constexpr int kRoom = 100000;
    QRect line = cell.alignRight ? QRect(cell.anchorX - kRoom, r.top, kRoom, r.Height())
                                 : QRect(cell.anchorX, r.top, kRoom, r.Height());
    Controls::DrawSingleLineText(painter, line, text, font, cell.alignRight ? Qt::AlignRight : Qt::AlignLeft,
                                 cell.alignRight);
    painter.restore();
}

// The focus gradient, copied unscaled from its top-left corner into a cell.
void CopyGradient(QPainter& painter, const QImage& gradient, const Rect& r)
{
    if (!r.HasWidth()) return;
    QRect source(0, 0, std::min(r.Width(), gradient.width()), std::min(r.Height(), gradient.height()));
    painter.drawImage(QPoint(r.left, r.top), gradient, source);
}

void DrawLines(QPainter& painter, const std::vector<VLine>& lines)
{
    for (const VLine& l : lines) painter.fillRect(QRect(l.x, l.top, 1, l.bottom - l.top), kLineColour);
}

}  // namespace

// ---- CMyListCtrl ---------------------------------------------------------------------------

CMyListCtrl::CMyListCtrl(CDialogEx* owner, int id) : CWnd(owner, id, nullptr)
{
    MyListCtrlWidget::InstallAccessibility();
    m_pWidget = new MyListCtrlWidget(owner->Widget(), this);
    m_pWidget->setObjectName(QString::number(id));
    m_pWidget->hide();
    m_gradient = LoadBitmapResource(kFocusGradient);
    SetColumnLayout(false);
}

CMyListCtrl::~CMyListCtrl() = default;

void CMyListCtrl::SetColumnLayout(bool rightToLeft)
{
    rt::SendToUi([&] {
        m_columns.rightToLeft = rightToLeft;
        m_columns.widths = DefaultColumnWidths(rightToLeft);
        // The list keeps its own direction: the scroll bar's side follows the columns.
        m_pWidget->setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        UpdateScrollBar();
        Redraw();
    });
}

void CMyListCtrl::SetColumnWidth(int column, int width)
{
    if (column < 0 || column >= kColumnCount) return;
    rt::SendToUi([&] {
        m_columns.widths[static_cast<std::size_t>(column)] = std::max(0, width);
        Redraw();
    });
}

int CMyListCtrl::GetColumnWidth(int column) const
{
    return column < 0 || column >= kColumnCount ? 0 : m_columns.widths[static_cast<std::size_t>(column)];
}

void CMyListCtrl::SetImageList(const QImage& strip)
{
    rt::SendToUi([&] {
        m_images.clear();
        if (!strip.isNull()) {
            QImage keyed = WithWhiteTransparent(strip);
            for (int x = 0; x + kImageWidth <= keyed.width(); x += kImageWidth)
                m_images.push_back(keyed.copy(x, 0, kImageWidth, std::min(kImageHeight, keyed.height())));
        }
        Redraw();
    });
}

void CMyListCtrl::LoadSignalImageList()
{
    SetImageList(LoadBitmapResource(m_columns.rightToLeft ? kSignalStripRtl : kSignalStripLtr));
}

void CMyListCtrl::SetExtendedStyle(DWORD style)
{
    rt::SendToUi([&] {
        m_dwListExStyle = style;
        Redraw();
    });
}

void CMyListCtrl::SetRedraw(bool redraw)
{
    rt::SendToUi([&] {
        m_pWidget->setUpdatesEnabled(redraw);
        if (redraw) Redraw();
    });
}

// ---- Rows ------------------------------------------------------------------------------------

int CMyListCtrl::InsertNetworkRow(int index, const NetworkRow& row)
{
    int at = 0;
    rt::SendToUi([&] {
        at = std::clamp(index, 0, GetItemCount());
        m_rows.insert(m_rows.begin() + at, row);
        if (m_nFocused >= at) ++m_nFocused;
        if (m_nSelected >= at) ++m_nSelected;
        RowsChanged();
    });
    return at;
}

void CMyListCtrl::DeleteAllItems()
{
    rt::SendToUi([&] {
        m_rows.clear();
        m_nFocused = -1;
        m_nSelected = -1;
        m_nTopRow = 0;
        m_bPressed = false;
        RowsChanged();
    });
}

const NetworkRow& CMyListCtrl::GetRow(int index) const
{
    static const NetworkRow kNone;
    if (index < 0 || index >= GetItemCount()) return kNone;
    return m_rows[static_cast<std::size_t>(index)];
}

std::wstring CMyListCtrl::GetItemText(int index, int column) const
{
    if (index < 0 || index >= GetItemCount() || column < 0 || column >= kColumnCount) return {};
    switch (RoleOfColumn(m_columns.rightToLeft, column)) {
    case Role::Name: return GetRow(index).ssid;
    case Role::Security: return GetRow(index).security;
    default: return {};
    }
}

int CMyListCtrl::FindRow(const std::wstring& ssid) const
{
    for (int i = 0; i < GetItemCount(); ++i)
        if (m_rows[static_cast<std::size_t>(i)].ssid == ssid) return i;
    return -1;
}

void CMyListCtrl::SetConnectedSsid(const std::wstring& ssid)
{
    rt::SendToUi([&] {
        if (m_connectedSsid == ssid) return;
        m_connectedSsid = ssid;
        Redraw();
    });
}

bool CMyListCtrl::IsConnectedRow(int index) const
{
    if (index < 0 || index >= GetItemCount()) return false;
    const std::wstring& name = GetRow(index).ssid;
    return !name.empty() && name == m_connectedSsid;
}

std::vector<int> CMyListCtrl::ConnectedRows() const
{
    std::vector<int> out;
    for (int i = 0; i < GetItemCount(); ++i)
        if (IsConnectedRow(i)) out.push_back(i);
    return out;
}

void CMyListCtrl::RowsChanged()
{
    if (auto* widget = static_cast<MyListCtrlWidget*>(m_pWidget)) widget->ForgetRowInterfaces();
    m_nTopRow = std::clamp(m_nTopRow, 0, MaxTopRow(GetItemCount(), ClientRect().height()));
    UpdateScrollBar();
    Redraw();
}

// ---- Focus, selection, scrolling -------------------------------------------------------------

int CMyListCtrl::GetNextItem(int start, UINT flags) const
{
    for (int i = std::max(0, start + 1); i < GetItemCount(); ++i)
        if ((GetItemState(i, LVIS_FOCUSED | LVIS_SELECTED) & flags) == flags) return i;
    return -1;
}

UINT CMyListCtrl::GetItemState(int index, UINT mask) const
{
    UINT state = 0;
    if (index >= 0 && index == m_nFocused) state |= LVIS_FOCUSED;
    if (index >= 0 && index == m_nSelected) state |= LVIS_SELECTED;
    return state & mask;
}

void CMyListCtrl::SetItemState(int index, UINT state, UINT mask)
{
    if (index < 0 || index >= GetItemCount()) return;
    rt::SendToUi([&] {
        if (mask & LVIS_FOCUSED) {
            if (state & LVIS_FOCUSED) m_nFocused = index;
            else if (m_nFocused == index) m_nFocused = -1;
        }
        if (mask & LVIS_SELECTED) {
            if (state & LVIS_SELECTED) m_nSelected = index;
            else if (m_nSelected == index) m_nSelected = -1;
        }
        Redraw();
    });
}

bool CMyListCtrl::EnsureVisible(int index)
{
    if (index < 0 || index >= GetItemCount()) return false;
    rt::SendToUi([&] { OnScroll(TopRowToShow(index, m_nTopRow, ClientRect().height(), GetItemCount())); });
    return true;
}

int CMyListCtrl::GetCountPerPage() const { return RowsPerPage(ClientRect().height()); }

bool CMyListCtrl::IsScrollBarVisible() const
{
    return !static_cast<MyListCtrlWidget*>(m_pWidget)->Bar()->isHidden();
}

QRect CMyListCtrl::ClientRect() const
{
    QRect all = m_pWidget->rect();
    if (!IsScrollBarVisible()) return all;
    if (m_columns.rightToLeft) return all.adjusted(kScrollBarWidth, 0, 0, 0);
    return all.adjusted(0, 0, -kScrollBarWidth, 0);
}

QRect CMyListCtrl::RowRect(int index) const
{
    if (index < 0 || index >= GetItemCount()) return {};
    QRect client = ClientRect();
    QRect row(client.left(), client.top() + RowTop(index, m_nTopRow), client.width(), kRowHeight);
    return row.intersected(client);
}

int CMyListCtrl::HitTest(QPoint pointInWidget) const
{
    QRect client = ClientRect();
    if (!client.contains(pointInWidget)) return -1;
    return RowAtY(pointInWidget.y() - client.top(), m_nTopRow, GetItemCount());
}

void CMyListCtrl::UpdateScrollBar()
{
    auto* widget = static_cast<MyListCtrlWidget*>(m_pWidget);
    QScrollBar* bar = widget->Bar();
    int height = m_pWidget->height();
    int maxTop = MaxTopRow(GetItemCount(), height);
    m_bUpdatingScrollBar = true;
    bar->setRange(0, maxTop);
    bar->setPageStep(RowsPerPage(height));
    bar->setSingleStep(1);
    bar->setValue(m_nTopRow);
    int x = m_columns.rightToLeft ? 0 : m_pWidget->width() - kScrollBarWidth;
    bar->setGeometry(x, 0, kScrollBarWidth, height);
    bar->setVisible(maxTop > 0);
    m_bUpdatingScrollBar = false;
}

void CMyListCtrl::OnScroll(int topRow)
{
    int top = std::clamp(topRow, 0, MaxTopRow(GetItemCount(), m_pWidget->height()));
    if (top == m_nTopRow) return;
    m_nTopRow = top;
    if (!m_bUpdatingScrollBar) UpdateScrollBar();
    // The cells are drawn by the control itself: scrolling redraws the whole client area.
    Redraw();
}

void CMyListCtrl::SetFocusedRow(int row, bool select)
{
    if (row < 0 || row >= GetItemCount()) return;
    bool moved = row != m_nFocused;
    m_nFocused = row;
    if (select) m_nSelected = row;
    OnScroll(TopRowToShow(row, m_nTopRow, ClientRect().height(), GetItemCount()));
    Redraw();
    auto* widget = static_cast<MyListCtrlWidget*>(m_pWidget);
    if (moved && widget->hasFocus()) widget->NotifyAccessible(QAccessible::Focus, row);
    if (select) widget->NotifyAccessible(QAccessible::Selection, row);
}

void CMyListCtrl::Redraw()
{
    if (m_pWidget) m_pWidget->update();
}

// ---- Input -----------------------------------------------------------------------------------

void CMyListCtrl::Notify(UINT message)
{
    if (m_pOwner && m_pOwner->HasWindow() && m_nID != 0) m_pOwner->SendMessage(message, 0, 0);
}

void CMyListCtrl::OnMousePress(QPoint pos)
{
    m_pWidget->setFocus(Qt::MouseFocusReason);
    m_bPressed = true;
    int row = HitTest(pos);
    if (row >= 0) {
        SetFocusedRow(row, true);
    } else if (ClientRect().contains(pos)) {
        // Empty space: the selection goes, the focused row stays.
        m_nSelected = -1;
        Redraw();
    }
}

void CMyListCtrl::OnMouseRelease(QPoint pos)
{
    if (!m_bPressed) return;
    m_bPressed = false;
    if (HitTest(pos) >= 0) Notify(kClickMessage);
}

void CMyListCtrl::OnMouseDoubleClick(QPoint pos)
{
    // The press of a double-click ends in no click of its own.
    m_bPressed = false;
    if (HitTest(pos) >= 0) Notify(kDoubleClickMessage);
}

void CMyListCtrl::OnKey(int qtKey, const QString& text)
{
    // The owner hears of every key before the list acts on it.
    Notify(kClickMessage);
    int page = GetCountPerPage();
    auto move = [&](NavKey key) { SetFocusedRow(NextFocusRow(m_nFocused, key, GetItemCount(), page), true); };
    switch (qtKey) {
    case Qt::Key_Up: move(NavKey::Up); return;
    case Qt::Key_Down: move(NavKey::Down); return;
    case Qt::Key_Home: move(NavKey::Home); return;
    case Qt::Key_End: move(NavKey::End); return;
    case Qt::Key_PageUp: move(NavKey::PageUp); return;
    case Qt::Key_PageDown: move(NavKey::PageDown); return;
    case Qt::Key_Space:
        if (m_nFocused >= 0) SetFocusedRow(m_nFocused, true);
        return;
    default: break;
    }
    // A character goes to the next row whose name starts with it.
    if (text.size() != 1 || !text[0].isPrint() || GetItemCount() == 0) return;
    int n = GetItemCount();
    for (int step = 1; step <= n; ++step) {
        int row = ((m_nFocused < 0 ? -1 : m_nFocused) + step) % n;
        if (ToQ(RowSsid(row)).startsWith(text, Qt::CaseInsensitive)) {
            SetFocusedRow(row, true);
            return;
        }
    }
}

void CMyListCtrl::OnFocusIn(bool byKeyboard)
{
    // Coming in by Tab shows where the arrow keys will start.
    if (byKeyboard && m_nFocused < 0 && GetItemCount() > 0) {
        m_nFocused = 0;
        Redraw();
    }
    auto* widget = static_cast<MyListCtrlWidget*>(m_pWidget);
    widget->NotifyAccessible(QAccessible::Focus, m_nFocused);
}

// ---- Drawing ---------------------------------------------------------------------------------

void CMyListCtrl::Paint(QPainter& painter)
{
    QRect client(QPoint(0, 0), ClientRect().size());
    if (!(m_dwListExStyle & LVS_EX_TRANSPARENTBKGND)) painter.fillRect(client, kListBackground);
    for (int x : BackgroundLineXs(m_columns)) painter.fillRect(QRect(x, 0, 1, client.height()), kLineColour);
    for (int row = m_nTopRow; row < GetItemCount(); ++row) {
        int top = RowTop(row, m_nTopRow);
        if (top >= client.height()) break;
        bool focused = row == m_nFocused;
        for (int column = 0; column < kColumnCount; ++column) {
            if (IsTextColumn(m_columns.rightToLeft, column)) PaintTextCell(painter, row, column, top, focused);
            else PaintImageCell(painter, row, column, top, focused);
        }
    }
}

void CMyListCtrl::PaintTextCell(QPainter& painter, int row, int column, int rowTop, bool focused)
{
    TextCell cell = TextCellLayout(m_columns, rowTop, column, focused);
    if (cell.gradient) CopyGradient(painter, m_gradient, cell.gradientRect);
    QString text = ToQ(GetItemText(row, column));
    if (!cell.textRect.HasWidth() || text.isEmpty()) return;
    if (!focused) painter.fillRect(ToQRect(cell.textRect), RowFill(row));
    DrawLines(painter, cell.lines);
    bool connected = RoleOfColumn(m_columns.rightToLeft, column) == Role::Name && IsConnectedRow(row);
    painter.setPen(connected ? kConnectedColour : focused ? kFocusedTextColour : kTextColour);
    DrawCellText(painter, cell, text, CellFont(connected));
}

void CMyListCtrl::PaintImageCell(QPainter& painter, int row, int column, int rowTop, bool focused)
{
    const NetworkRow& data = GetRow(row);
    int k = RoleOfColumn(m_columns.rightToLeft, column) == Role::Padlock ? data.securityImage : data.signalImage;
    bool haveImage = k >= 0 && k < ImageCount();
    QSize size = haveImage ? m_images[static_cast<std::size_t>(k)].size() : QSize(0, 0);
    ImageCell cell = ImageCellLayout(m_columns, rowTop, column, GetItemCount(), size.width(), size.height());
    if (focused) CopyGradient(painter, m_gradient, cell.rect);
    if (k < 0 || !cell.rect.HasWidth()) return;
    if (!focused) painter.fillRect(ToQRect(cell.rect), RowFill(row));
    // The icon goes over a tile of the row's own colour.
    int tile = RowTile(row, focused);
    if (tile < ImageCount()) painter.drawImage(QPoint(cell.iconX, cell.iconY), m_images[static_cast<std::size_t>(tile)]);
    if (haveImage) painter.drawImage(QPoint(cell.iconX, cell.iconY), m_images[static_cast<std::size_t>(k)]);
    DrawLines(painter, cell.lines);
}
