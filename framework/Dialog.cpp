#include "framework/Dialog.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMoveEvent>
#include <QPainter>
#include <QPointer>

#include <algorithm>

#include "framework/Framework.h"
#include "runtime/Runtime.h"

namespace {
std::vector<CDialogEx*> g_modalStack;

// The dialogs whose windows `owner` owns (its child widgets that are windows of dialogs).
std::vector<CDialogEx*> OwnedDialogs(QWidget* owner)
{
    std::vector<CDialogEx*> owned;
    for (QObject* child : owner->children())
        if (auto* window = dynamic_cast<DialogWidget*>(child)) owned.push_back(window->Dialog());
    return owned;
}
}

// ---- DialogWidget -------------------------------------------------------------------

DialogWidget::DialogWidget(CDialogEx* dialog, QWidget* owner, Qt::WindowFlags flags)
    : QWidget(owner, flags), m_pDialog(dialog)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(flags.testFlag(Qt::WindowDoesNotAcceptFocus) ? Qt::NoFocus : Qt::StrongFocus);
}

void DialogWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_pDialog->BlendsItself()) {
        PaintWhatLiesUnder(painter);
        painter.setOpacity(m_pDialog->Opacity());
    }
    m_pDialog->OnPaintBackground(painter);
}

void DialogWidget::PaintWhatLiesUnder(QPainter& painter)
{
    // The pixels of the program's windows below this one, where it covers them (the
    // veils lie over the wizard and its dialogs); white where none is.
    painter.fillRect(rect(), Qt::white);
    Framework::GrabbingUnder grabbing;
    for (CDialogEx* below : Framework::WindowsInZOrder()) {
        if (below == m_pDialog) break;
        QWidget* under = below->Widget();
        if (!under || !under->isVisible()) continue;
        const QPoint offset = under->mapToGlobal(QPoint(0, 0)) - mapToGlobal(QPoint(0, 0));
        if (!QRect(offset, under->size()).intersects(rect())) continue;
        painter.drawPixmap(offset, under->grab());
    }
}

void DialogWidget::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    // A person moved the window (its title bar belongs to the window manager): the
    // window's place follows, and the windows it owns move with it.
    if (!Framework::RealWindows() || m_pDialog->Parent() || !isVisible() || pos() == m_placedAt) return;
    const QPoint delta = pos() - m_placedAt;
    m_placedAt = pos();
    m_pDialog->m_windowRect.translate(delta);
    for (CDialogEx* d : OwnedDialogs(this)) {
        const QRect r = d->WindowRect().translated(delta);
        d->MoveWindow(r.x(), r.y(), r.width(), r.height());
    }
}

void DialogWidget::closeEvent(QCloseEvent* event)
{
    // The close box asks the dialog, as WM_CLOSE does; the window stays until it decides.
    event->ignore();
    if (Framework::InputAllowed(m_pDialog)) m_pDialog->Dispatch(WM_CLOSE, 0, 0);
}

void DialogWidget::keyPressEvent(QKeyEvent* event) { event->accept(); }

bool DialogWidget::event(QEvent* event) { return QWidget::event(event); }

// ---- CDialogEx ----------------------------------------------------------------------

CDialogEx::CDialogEx(int templateId, CDialogEx* parent) : m_nTemplateId(templateId), m_pParent(parent) {}

CDialogEx::~CDialogEx()
{
    rt::KillAllUiTimers(this);
    rt::DropUiPosts(this);
    g_modalStack.erase(std::remove(g_modalStack.begin(), g_modalStack.end(), this), g_modalStack.end());
    Framework::ForgetWindow(this);
    DestroyControlsAndWindow();
}

const std::vector<CDialogEx*>& CDialogEx::ModalStack() { return g_modalStack; }

CDialogEx* CDialogEx::ActiveWindow() { return g_modalStack.empty() ? nullptr : g_modalStack.back(); }

bool CDialogEx::Create()
{
    if (m_bCreated) return true;
    QWidget* owner = m_pParent ? m_pParent->Widget() : nullptr;
    Qt::WindowFlags flags = owner ? Qt::Dialog | Qt::FramelessWindowHint : Qt::Window;
    if (m_bTransparentForInput) flags |= Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus;
    m_pWidget = new DialogWidget(this, owner, flags);
    m_pWidget->setObjectName(ClassName());
    m_bCreated = true;
    CreateControls();
    if (m_windowRect.isEmpty()) MoveWindow(0, 0, 400, 300);
    return OnInitDialog() != FALSE || m_bCreated;
}

void CDialogEx::DestroyWindow()
{
    if (!m_bCreated) return;
    rt::KillAllUiTimers(this);
    rt::DropUiPosts(this);  // messages posted to this window die with it
    Framework::ForgetWindow(this);
    DestroyControlsAndWindow();
    m_bCreated = false;
}

void CDialogEx::DestroyControlsAndWindow()
{
    // Hiding and deleting widgets sends them events (hide, focus out, leave) that call
    // into their controls: every widget goes while all the controls are still there, and
    // only then the controls, which nothing can reach any more. A control's widget may
    // be another's child (and go with it), hence the guards. Owned windows end first, as
    // their owner's end would take their widgets from under them.
    if (m_pWidget) {
        for (CDialogEx* owned : OwnedDialogs(m_pWidget)) owned->DestroyWindow();
        m_pWidget->hide();
    }
    std::vector<QPointer<QWidget>> widgets;
    for (auto& [id, control] : m_controls) widgets.emplace_back(control->Widget());
    for (auto& widget : widgets) delete widget.data();
    for (auto& [id, control] : m_controls) control->ForgetWidget();
    delete m_pWidget;
    m_pWidget = nullptr;
    m_controls.clear();
}

INT_PTR CDialogEx::DoModal()
{
    if (rt::ShutdownRequested()) return IDCANCEL;
    m_bEnded = false;
    m_nResult = IDCANCEL;
    m_bModal = true;
    g_modalStack.push_back(this);
    Create();
    // The window manager keeps a modal window above its owner and gives it the focus
    // when a person clicks the owner.
    if (Framework::RealWindows() && m_pWidget && m_pWidget->parentWidget()) m_pWidget->setWindowModality(Qt::WindowModal);
    if (!m_bEnded) ShowWindow(SW_SHOW);
    while (!m_bEnded && !rt::ShutdownRequested()) rt::PumpStep(true);
    if (!m_bEnded) m_nResult = IDCANCEL;
    g_modalStack.erase(std::remove(g_modalStack.begin(), g_modalStack.end(), this), g_modalStack.end());
    m_bModal = false;
    DestroyWindow();
    // As on Windows, the owner becomes the active window again when its modal dialog
    // ends; a window manager may otherwise leave the focus with nobody.
    if (Framework::RealWindows() && m_pParent && !rt::ShutdownRequested()) {
        rt::SendToUi([this] {
            QWidget* owner = m_pParent->Widget();
            if (owner && owner->isVisible() && !owner->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus))
                owner->activateWindow();
        });
    }
    return m_nResult;
}

void CDialogEx::EndDialog(int result)
{
    m_nResult = result;
    m_bEnded = true;
    rt::PostToUi([] {});  // wakes the modal loop
}

CWnd* CDialogEx::GetDlgItem(int id) const
{
    auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second.get();
}

std::vector<CWnd*> CDialogEx::Controls() const
{
    std::vector<CWnd*> out;
    for (auto& [id, c] : m_controls) out.push_back(c.get());
    return out;
}

QWidget* CDialogEx::Widget() const { return m_pWidget; }

LRESULT CDialogEx::SendMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    rt::SendToUi([&] {
        if (m_bCreated) result = Dispatch(msg, wParam, lParam);
    });
    return result;
}

void CDialogEx::PostMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    rt::PostToUi(this, [this, msg, wParam, lParam] {
        if (m_bCreated) Dispatch(msg, wParam, lParam);
    });
}

void CDialogEx::SetTimer(UINT_PTR id, UINT periodMs)
{
    rt::SetUiTimer(this, id, periodMs, [this, id] { Dispatch(WM_TIMER, id, 0); });
}

void CDialogEx::KillTimer(UINT_PTR id) { rt::KillUiTimer(this, id); }

bool CDialogEx::HasTimer(UINT_PTR id) const { return rt::HasUiTimer(this, id); }

void CDialogEx::MoveWindow(int x, int y, int w, int h)
{
    rt::SendToUi([&] {
        m_windowRect = QRect(x, y, w, h);
        if (m_pWidget) Place();
    });
}

QRect CDialogEx::ClientRectOnScreen() const
{
    if (!m_bCaption) return m_windowRect;
    return m_windowRect.adjusted(kFrameBorder, kCaptionHeight, -kFrameBorder, -kFrameBorder);
}

void CDialogEx::CenterOnParent()
{
    QRect around = m_pParent ? m_pParent->WindowRect() : QRect(0, 0, 1024, 768);
    QRect r = m_windowRect;
    r.moveCenter(around.center());
    MoveWindow(r.x(), r.y(), r.width(), r.height());
}

void CDialogEx::ShowWindow(int cmd)
{
    rt::SendToUi([&] {
        if (!m_pWidget) return;
        if (cmd == SW_HIDE) {
            m_pWidget->hide();
        } else {
            Place();
            Framework::NotifyWindowShown();
            m_pWidget->show();
            if (!m_pWidget->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus)) m_pWidget->activateWindow();
            Framework::RaiseWindow(this);
        }
    });
}

bool CDialogEx::IsWindowVisible() const { return m_pWidget && m_pWidget->isVisible(); }

void CDialogEx::SetWindowTextW(const std::wstring& text)
{
    rt::SendToUi([&] {
        m_title = text;
        if (m_pWidget) m_pWidget->setWindowTitle(ToQ(text));
    });
}

void CDialogEx::UpdateWindow()
{
    rt::SendToUi([&] {
        if (m_pWidget && m_pWidget->isVisible()) m_pWidget->repaint();
    });
}

void CDialogEx::EnableWindow(bool enable) { Framework::SetWindowDisabled(this, !enable); }

void CDialogEx::SetWindowOpacity(double opacity)
{
    m_dOpacity = opacity;
    if (!m_pWidget) return;
    m_pWidget->setWindowOpacity(BlendsItself() ? 1.0 : opacity);
    m_pWidget->update();
}

bool CDialogEx::BlendsItself() const { return m_dOpacity < 1.0 && !Framework::WindowSystemBlends(); }

void CDialogEx::Place()
{
    const QRect client = ClientRectOnScreen();
    m_pWidget->SetPlacedAt(client.topLeft());
    m_pWidget->setGeometry(client);
}

LRESULT CDialogEx::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_COMMAND: OnCommand(static_cast<int>(wParam)); return 0;
    case WM_TIMER: OnTimer(wParam); return 0;
    case WM_CLOSE: OnClose(); return 0;
    case WM_NCACTIVATE:
        m_bCaptionActive = wParam != 0;
        return OnMessage(msg, wParam, lParam);
    default: return OnMessage(msg, wParam, lParam);
    }
}

void CDialogEx::OnCommand(int id)
{
    if (id == IDOK) OnOK();
    else if (id == IDCANCEL) OnCancel();
}

LRESULT CDialogEx::OnMessage(UINT, WPARAM, LPARAM) { return 0; }

void CDialogEx::OnClose() { OnCancel(); }

bool CDialogEx::PreTranslateKey(int qtKey, bool)
{
    // Escape never closes a dialog of the wizard.
    return qtKey == Qt::Key_Escape;
}
