#pragma once
// The window framework the wizard is written against: windows and controls found by
// their template IDs, shown, hidden, moved, re-captioned and enabled; messages and
// timers dispatched through one message map per dialog; modal loops of our own that
// keep the runtime's clock, timers and worker messages going. Built on Qt Widgets.
#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/Win32Types.h"

class CDialogEx;

// Window messages the wizard's code sends, posts or handles.
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_NCACTIVATE = 0x0086;
constexpr UINT WM_NCPAINT = 0x0085;
constexpr UINT WM_APP_FIRST = 0x8000;

// Style flags the right-to-left layouts add and remove.
constexpr DWORD SS_RIGHT = 0x0002;
constexpr DWORD SS_CENTER = 0x0001;
constexpr DWORD WS_EX_RIGHT = 0x1000;
constexpr DWORD WS_EX_RTLREADING = 0x2000;
constexpr DWORD WS_EX_LEFTSCROLLBAR = 0x4000;
constexpr DWORD WS_EX_LAYOUTRTL = 0x400000;

QString ToQ(const std::wstring& text);
std::wstring FromQ(const QString& text);

// A child window (control) of a dialog, addressed by its ID.
class CWnd {
public:
    CWnd(CDialogEx* owner, int id, QWidget* widget);
    virtual ~CWnd();

    int GetDlgCtrlID() const { return m_nID; }
    QWidget* Widget() const { return m_pWidget; }
    // The owning dialog ends the widget before the control (its events call into the
    // control) and then lets the control forget it.
    void ForgetWidget() { m_pWidget = nullptr; }
    CDialogEx* Owner() const { return m_pOwner; }

    void ShowWindow(int cmd);
    bool IsWindowVisible() const;
    void EnableWindow(bool enable);
    bool IsWindowEnabled() const;
    virtual void SetWindowTextW(const std::wstring& text);
    std::wstring GetWindowTextW() const { return m_text; }
    void MoveWindow(int x, int y, int w, int h);
    QRect GetClientRectInParent() const;
    void SetFocus();

    void ModifyStyle(DWORD remove, DWORD add);
    void ModifyStyleEx(DWORD remove, DWORD add);
    DWORD GetStyle() const { return m_dwStyle; }
    DWORD GetExStyle() const { return m_dwExStyle; }

    void SetFont(const QFont& font);
    QFont GetFont() const { return m_font; }
    void SetTextColor(QColor color);
    QColor TextColor() const { return m_textColor; }

    void Invalidate();

protected:
    virtual void OnTextChanged() {}
    virtual void OnStyleChanged() {}

    CDialogEx* m_pOwner;
    int m_nID;
    QWidget* m_pWidget;
    std::wstring m_text;
    DWORD m_dwStyle = 0;
    DWORD m_dwExStyle = 0;
    QFont m_font;
    QColor m_textColor{0, 0, 0};
};
