#pragma once
// The list of wireless networks on the network list page: four columns (name, security
// text, padlock, signal bars) drawn by the control itself, rows in alternating greys, the
// focus gradient on the focused row, icons centred in their cells, separator lines, and
// the network the computer is connected to in bold blue. A click on a row and any key
// pressed in the list send 0x8011 to the owner; a double-click on a row sends 0x8013.
// Calls that change the list may come from any thread (the page switch runs on workers
// too); they are carried out on the UI thread. Reads belong to the UI thread.
#include <QImage>
#include <QPoint>
#include <QRect>

#include <string>
#include <vector>

#include "controls/ListGeometry.h"
#include "framework/Wnd.h"

class QPainter;

// Item flags of GetNextItem and the item states.
constexpr UINT LVNI_ALL = 0x0000;
constexpr UINT LVNI_FOCUSED = 0x0001;
constexpr UINT LVNI_SELECTED = 0x0002;
constexpr UINT LVIS_FOCUSED = 0x0001;
constexpr UINT LVIS_SELECTED = 0x0002;
// Extended list styles the wizard sets.
constexpr DWORD LVS_EX_FULLROWSELECT = 0x00000020;
constexpr DWORD LVS_EX_INFOTIP = 0x00000400;
constexpr DWORD LVS_EX_TRANSPARENTBKGND = 0x00400000;

// One row: a network as the list shows it.
struct NetworkRow {
    std::wstring ssid;       // the name column's text
    std::wstring security;   // "WPA2", "Open", ...
    int securityImage = -1;  // 6 padlock, 7 blank; below 0 leaves the cell as erased
    int signalImage = -1;    // 0 to 5 bars
};

class CMyListCtrl : public CWnd {
public:
    // Private messages to the owner.
    static constexpr UINT kClickMessage = 0x8011;
    static constexpr UINT kDoubleClickMessage = 0x8013;

    CMyListCtrl(CDialogEx* owner, int id);
    ~CMyListCtrl() override;

    // Columns in the order of the direction (name first, or signal first), with their
    // created widths; right-to-left also moves the scroll bar to the left.
    void SetColumnLayout(bool rightToLeft);
    bool IsRtlLayout() const { return m_columns.rightToLeft; }
    void SetColumnWidth(int column, int width);
    int GetColumnWidth(int column) const;
    int ColumnOfRole(ListGeometry::Role role) const { return ListGeometry::ColumnOfRole(m_columns.rightToLeft, role); }
    // The image list: a strip of 32 x 30 images side by side, pure white transparent.
    void SetImageList(const QImage& strip);
    // The signal strip of the column layout's direction (bitmap 235, mirrored bars 437).
    void LoadSignalImageList();
    int ImageCount() const { return static_cast<int>(m_images.size()); }
    // With LVS_EX_TRANSPARENTBKGND (the style it starts with) the parent shows through
    // where no row is; otherwise the list's background is white.
    void SetExtendedStyle(DWORD style);
    DWORD GetExtendedStyle() const { return m_dwListExStyle; }
    // Off: changes are collected and drawn when it is switched on again.
    void SetRedraw(bool redraw);

    // Rows, in display order. Inserting at or past the end appends.
    int InsertNetworkRow(int index, const NetworkRow& row);
    void DeleteAllItems();
    int GetItemCount() const { return static_cast<int>(m_rows.size()); }
    // The row at index; an empty row for an index out of range.
    const NetworkRow& GetRow(int index) const;
    // A column's text by column index (image columns have none).
    std::wstring GetItemText(int index, int column) const;
    // What a row shows, for the lab and the accessibility layer.
    std::wstring RowSsid(int index) const { return GetRow(index).ssid; }
    std::wstring RowSecurity(int index) const { return GetRow(index).security; }
    bool RowShowsPadlock(int index) const { return GetRow(index).securityImage == ListGeometry::kPadlockImage; }
    int RowBars(int index) const { return GetRow(index).signalImage; }
    // The first row whose name is exactly ssid, or -1.
    int FindRow(const std::wstring& ssid) const;

    // The network drawn as connected: every row whose name equals it exactly.
    void SetConnectedSsid(const std::wstring& ssid);
    std::wstring ConnectedSsid() const { return m_connectedSsid; }
    bool IsConnectedRow(int index) const;
    std::vector<int> ConnectedRows() const;

    // Focus and selection (one selected row at most).
    // The next row after start (-1: from the beginning) that has all states of flags.
    int GetNextItem(int start, UINT flags) const;
    UINT GetItemState(int index, UINT mask) const;
    void SetItemState(int index, UINT state, UINT mask);
    bool EnsureVisible(int index);
    int GetTopIndex() const { return m_nTopRow; }
    int GetCountPerPage() const;

    // Geometry in the coordinates of Widget(): the client area beside the scroll bar, and
    // a row's rectangle there (empty when the row is scrolled out of view). Clicking the
    // centre of RowRect(i) clicks row i.
    QRect ClientRect() const;
    QRect RowRect(int index) const;
    int HitTest(QPoint pointInWidget) const;
    bool IsScrollBarVisible() const;

private:
    friend class MyListCtrlWidget;

    void Paint(QPainter& painter);
    void PaintTextCell(QPainter& painter, int row, int column, int rowTop, bool focused);
    void PaintImageCell(QPainter& painter, int row, int column, int rowTop, bool focused);
    void OnMousePress(QPoint pos);
    void OnMouseRelease(QPoint pos);
    void OnMouseDoubleClick(QPoint pos);
    void OnKey(int qtKey, const QString& text);
    void OnScroll(int topRow);
    void OnFocusIn(bool byKeyboard);
    void SetFocusedRow(int row, bool select);
    void Notify(UINT message);
    void UpdateScrollBar();
    void RowsChanged();
    void Redraw();

    ListGeometry::Columns m_columns;
    std::vector<NetworkRow> m_rows;
    std::vector<QImage> m_images;
    QImage m_gradient;
    std::wstring m_connectedSsid;
    int m_nFocused = -1;
    int m_nSelected = -1;
    int m_nTopRow = 0;
    DWORD m_dwListExStyle = LVS_EX_TRANSPARENTBKGND;
    bool m_bPressed = false;
    bool m_bUpdatingScrollBar = false;
};
