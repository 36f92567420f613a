#pragma once
#include <QRegion>
#include <QVariant>
#include <QWidget>

#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/Wnd.h"

class DialogWidget;

// A dialog of the framework: a top-level window with child controls by ID, a message
// map, timers on the runtime's clock and a modal loop of its own.
class CDialogEx {
public:
    CDialogEx(int templateId, CDialogEx* parent = nullptr);
    virtual ~CDialogEx();
    CDialogEx(const CDialogEx&) = delete;
    CDialogEx& operator=(const CDialogEx&) = delete;

    // The dialog's class name, as the lab names the active window ("CQuitDlg").
    virtual const char* ClassName() const = 0;

    // Creates the window (controls and OnInitDialog), runs the modal loop until
    // EndDialog, hides the window and returns the code. IDCANCEL at system shut-down.
    INT_PTR DoModal();
    void EndDialog(int result);
    bool IsModalRunning() const { return m_bModal && !m_bEnded; }
    bool HasWindow() const { return m_bCreated; }

    // The modal dialogs running now, innermost last.
    static const std::vector<CDialogEx*>& ModalStack();
    static CDialogEx* ActiveWindow();  // top-most modal dialog, or null

    CWnd* GetDlgItem(int id) const;
    std::vector<CWnd*> Controls() const;
    QWidget* Widget() const;
    int TemplateId() const { return m_nTemplateId; }
    CDialogEx* Parent() const { return m_pParent; }

    // From any thread: waits until the dialog's thread has handled the message.
    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    void PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // From any thread.
    void SetTimer(UINT_PTR id, UINT periodMs);
    void KillTimer(UINT_PTR id);
    bool HasTimer(UINT_PTR id) const;

    // Window geometry in screen pixels; the client area is the widget.
    void MoveWindow(int x, int y, int w, int h);
    QRect WindowRect() const { return m_windowRect; }
    QRect ClientRectOnScreen() const;
    void CenterOnParent();
    void ShowWindow(int cmd);
    bool IsWindowVisible() const;
    void SetWindowTextW(const std::wstring& text);
    std::wstring GetWindowTextW() const { return m_title; }
    void UpdateWindow();
    void SetForegroundWindow() {}
    void EnableWindow(bool enable);
    bool HasCaption() const { return m_bCaption; }
    // Whether the caption is drawn active: WM_NCACTIVATE (sent or posted) decides, as
    // the wizard's veils and dialogs post it.
    bool CaptionActive() const { return m_bCaptionActive; }
    void SetHasCaption(bool on) { m_bCaption = on; }
    void SetWindowOpacity(double opacity);
    double Opacity() const { return m_dOpacity; }
    // A window that only shows (the veils): clicks go through it to the window under it,
    // and it never takes the focus. Set before Create().
    void SetTransparentForInput(bool on) { m_bTransparentForInput = on; }
    // True when the window paints what lies under it and blends itself over it, because
    // the window system cannot blend it.
    bool BlendsItself() const;
    // The window's shape in window coordinates (0, 0 = the window's top-left corner);
    // pixels outside it are neither drawn nor hit. It belongs to the created window:
    // set it after Create(), an empty region gives back the whole rectangle.
    inline void SetWindowRegion(const QRegion& region);
    inline QRegion WindowRegion() const;

    // Creates the window without running a modal loop (overlays, the wizard's own start).
    bool Create();
    void DestroyWindow();

    // Dispatches a message through the message map (on the dialog's thread).
    LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);

    // Keys reach the dialog first: Enter presses the focused button, Escape is swallowed.
    virtual bool PreTranslateKey(int qtKey, bool pressed);

protected:
    virtual void CreateControls() {}
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnCommand(int id);
    virtual void OnTimer(UINT_PTR id) { (void)id; }
    virtual LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual void OnClose();       // WM_CLOSE: default ends with IDCANCEL
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    virtual void OnPaintBackground(class QPainter& painter) { (void)painter; }

    // Controls are created by the dialog and die with it.
    template <class T, class... Args>
    T* AddControl(int id, Args&&... args)
    {
        auto control = std::make_unique<T>(this, id, std::forward<Args>(args)...);
        T* raw = control.get();
        m_controls[id] = std::move(control);
        return raw;
    }

    friend class DialogWidget;

    // Puts the widget at the client rectangle.
    void Place();
    // Ends the window and its controls, every widget before its control.
    void DestroyControlsAndWindow();

    int m_nTemplateId;
    CDialogEx* m_pParent;
    DialogWidget* m_pWidget = nullptr;
    std::map<int, std::unique_ptr<CWnd>> m_controls;
    QRect m_windowRect;
    std::wstring m_title;
    bool m_bCaption = false;
    bool m_bCaptionActive = true;
    bool m_bCreated = false;
    bool m_bModal = false;
    std::atomic<bool> m_bEnded{false};
    int m_nResult = IDCANCEL;
    double m_dOpacity = 1.0;
    bool m_bTransparentForInput = false;
};

// The caption bar and border that a captioned window gets on screen.
constexpr int kFrameBorder = 3;
constexpr int kCaptionHeight = 26;

// The dialog's client-area widget.
// A dialog with an owner is a frameless window owned by the owner's window: no task
// entry of its own, kept above its owner, moved and minimised with it.
class DialogWidget : public QWidget {
public:
    DialogWidget(CDialogEx* dialog, QWidget* owner, Qt::WindowFlags flags);
    CDialogEx* Dialog() const { return m_pDialog; }
    // The client position last asked for by the program, not by a person moving it.
    void SetPlacedAt(QPoint at) { m_placedAt = at; }

protected:
    void paintEvent(class QPaintEvent* event) override;
    void moveEvent(class QMoveEvent* event) override;
    void closeEvent(class QCloseEvent* event) override;
    void keyPressEvent(class QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    void PaintWhatLiesUnder(class QPainter& painter);

    CDialogEx* m_pDialog;
    QPoint m_placedAt;
};

namespace Framework {
// Gives a window's client widget the shape `clientRegion` (client coordinates) where the
// window system can shape windows; an empty region takes the shape off.
void SetWidgetShape(QWidget* widget, const QRegion& clientRegion);
}  // namespace Framework

// The region lives on the window's widget, so that it goes with the window: the widget
// keeps the window's region, and its part over the client area shapes the widget.
inline void CDialogEx::SetWindowRegion(const QRegion& region)
{
    if (!m_pWidget) return;
    const QPoint clientOffset = ClientRectOnScreen().topLeft() - m_windowRect.topLeft();
    m_pWidget->setProperty("tcWindowRegion", QVariant::fromValue(region));
    Framework::SetWidgetShape(m_pWidget, region.translated(-clientOffset));
}

inline QRegion CDialogEx::WindowRegion() const
{
    if (!m_pWidget) return QRegion();
    return m_pWidget->property("tcWindowRegion").value<QRegion>();
}
