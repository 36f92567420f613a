#include "framework/Wnd.h"

#include "framework/Dialog.h"
#include "runtime/Runtime.h"

QString ToQ(const std::wstring& text) { return QString::fromStdWString(text); }
std::wstring FromQ(const QString& text) { return text.toStdWString(); }

CWnd::CWnd(CDialogEx* owner, int id, QWidget* widget) : m_pOwner(owner), m_nID(id), m_pWidget(widget)
{
    if (m_pWidget) m_pWidget->hide();
    m_font = QFont(QStringLiteral("Arial"));
    m_font.setPixelSize(16);
}

CWnd::~CWnd() = default;

// Window operations may come from a worker; they are carried out on the UI thread.
static void OnUi(const std::function<void()>& fn) { rt::SendToUi(fn); }

void CWnd::ShowWindow(int cmd)
{
    OnUi([&] { m_pWidget->setVisible(cmd != SW_HIDE); });
}

bool CWnd::IsWindowVisible() const { return !m_pWidget->isHidden(); }

void CWnd::EnableWindow(bool enable)
{
    OnUi([&] { m_pWidget->setEnabled(enable); m_pWidget->update(); });
}

bool CWnd::IsWindowEnabled() const { return m_pWidget->isEnabled(); }

void CWnd::SetWindowTextW(const std::wstring& text)
{
    OnUi([&] {
        m_text = text;
        m_pWidget->setAccessibleName(ToQ(text));
        OnTextChanged();
        m_pWidget->update();
    });
}

void CWnd::MoveWindow(int x, int y, int w, int h)
{
    OnUi([&] { m_pWidget->setGeometry(x, y, w, h); });
}

QRect CWnd::GetClientRectInParent() const { return m_pWidget->geometry(); }

void CWnd::SetFocus()
{
    OnUi([&] { m_pWidget->setFocus(Qt::OtherFocusReason); });
}

void CWnd::ModifyStyle(DWORD remove, DWORD add)
{
    OnUi([&] {
        m_dwStyle = (m_dwStyle & ~remove) | add;
        OnStyleChanged();
        m_pWidget->update();
    });
}

void CWnd::ModifyStyleEx(DWORD remove, DWORD add)
{
    OnUi([&] {
        m_dwExStyle = (m_dwExStyle & ~remove) | add;
        OnStyleChanged();
        m_pWidget->update();
    });
}

void CWnd::SetFont(const QFont& font)
{
    OnUi([&] { m_font = font; m_pWidget->setFont(font); m_pWidget->update(); });
}

void CWnd::SetTextColor(QColor color)
{
    OnUi([&] { m_textColor = color; m_pWidget->update(); });
}

void CWnd::Invalidate()
{
    OnUi([&] { m_pWidget->update(); });
}
