#include "framework/Framework.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QStyleFactory>
#include <QTimer>

#include <algorithm>
#include <set>

#include "framework/Dialog.h"
#include "framework/Fonts.h"
#include "runtime/Runtime.h"

namespace Framework {

namespace {

std::vector<CDialogEx*> g_zOrder;
std::set<CDialogEx*> g_disabled;

CDialogEx* DialogOf(QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) return nullptr;
    auto* top = dynamic_cast<DialogWidget*>(widget->window());
    return top ? top->Dialog() : nullptr;
}

int g_grabbingUnder = 0;

// A window that blends itself shows the pixels of the windows under it: when one of
// them paints, so does it.
void RepaintWindowsBlendingOver(QObject* painted)
{
    auto* widget = qobject_cast<QWidget*>(painted);
    auto* top = widget ? dynamic_cast<DialogWidget*>(widget->window()) : nullptr;
    if (!top || top->Dialog()->BlendsItself()) return;
    for (CDialogEx* dialog : g_zOrder)
        if (dialog->IsWindowVisible() && dialog->BlendsItself()) dialog->Widget()->update();
}

// Routes input: only the active modal dialog takes it; Enter becomes Space on the
// focused control, Escape is swallowed, Alt+F4 asks the window to close.
class InputFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            break;
        case QEvent::Paint:
            if (!g_grabbingUnder && RealWindows()) RepaintWindowsBlendingOver(watched);
            return false;
        default:
            return false;
        }
        CDialogEx* dialog = DialogOf(watched);
        if (!dialog) return false;
        if (!InputAllowed(dialog)) return true;
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        bool pressed = event->type() == QEvent::KeyPress;
        if (key->key() == Qt::Key_F4 && (key->modifiers() & Qt::AltModifier)) {
            if (pressed) dialog->Dispatch(WM_CLOSE, 0, 0);
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            // A dialog may take Enter itself (Enter in an edit box means its default button).
            if (dialog->PreTranslateKey(key->key(), pressed)) return true;
            QKeyEvent space(event->type(), Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
            QCoreApplication::sendEvent(watched, &space);
            return true;
        }
        return dialog->PreTranslateKey(key->key(), pressed);
    }
};

}  // namespace

void Init()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    LoadProgramFonts();
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    QApplication::setFont(font);
    // The filter belongs to the application and ends with it.
    static QPointer<InputFilter> filter;
    if (!filter) {
        filter = new InputFilter(qApp);
        qApp->installEventFilter(filter);
    }

    rt::UiHooks hooks;
    hooks.processEvents = [] {
        auto* dispatcher = QAbstractEventDispatcher::instance();
        QCoreApplication::sendPostedEvents();
        return dispatcher ? dispatcher->processEvents(QEventLoop::AllEvents) : false;
    };
    hooks.waitForEvents = [](std::int64_t ms) {
        auto* dispatcher = QAbstractEventDispatcher::instance();
        if (!dispatcher) return;
        QTimer timer;
        timer.setSingleShot(true);
        timer.start(static_cast<int>(std::max<std::int64_t>(ms, 1)));
        dispatcher->processEvents(QEventLoop::WaitForMoreEvents);
    };
    QAbstractEventDispatcher* uiDispatcher = QAbstractEventDispatcher::instance();
    hooks.wake = [uiDispatcher] {
        if (uiDispatcher) uiDispatcher->wakeUp();
    };
    rt::SetUiHooks(hooks);
}

bool InputAllowed(const CDialogEx* dialog)
{
    if (g_disabled.count(const_cast<CDialogEx*>(dialog))) return false;
    const auto& stack = CDialogEx::ModalStack();
    return stack.empty() || stack.back() == dialog;
}

void SetWindowDisabled(CDialogEx* dialog, bool disabled)
{
    if (disabled) g_disabled.insert(dialog);
    else g_disabled.erase(dialog);
}

void RaiseWindow(CDialogEx* dialog)
{
    ForgetWindow(dialog);
    g_zOrder.push_back(dialog);
}

void ForgetWindow(CDialogEx* dialog)
{
    g_zOrder.erase(std::remove(g_zOrder.begin(), g_zOrder.end(), dialog), g_zOrder.end());
    g_disabled.erase(dialog);
}

std::vector<CDialogEx*> WindowsInZOrder() { return g_zOrder; }

GrabbingUnder::GrabbingUnder() { ++g_grabbingUnder; }
GrabbingUnder::~GrabbingUnder() { --g_grabbingUnder; }

namespace {
void (*g_windowShownHook)() = nullptr;
}

void SetWindowShownHook(void (*hook)()) { g_windowShownHook = hook; }

void NotifyWindowShown()
{
    if (g_windowShownHook) g_windowShownHook();
}

void SetWidgetShape(QWidget* widget, const QRegion& clientRegion)
{
    // The headless platforms cannot shape windows (and say so on every call); there the
    // screen grab below draws the shape by itself.
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) return;
    if (clientRegion.isEmpty()) widget->clearMask();
    else widget->setMask(clientRegion);
}

namespace {

void DrawFrame(QPainter& p, CDialogEx* dialog)
{
    QRect r = dialog->WindowRect();
    // An inactive caption is drawn in quieter, greyer colours.
    const bool active = dialog->CaptionActive();
    QLinearGradient g(r.topLeft(), QPoint(r.left(), r.top() + kCaptionHeight));
    g.setColorAt(0, active ? QColor(92, 140, 196) : QColor(150, 164, 184));
    g.setColorAt(1, active ? QColor(58, 104, 164) : QColor(122, 138, 162));
    p.fillRect(r, active ? QColor(58, 104, 164) : QColor(122, 138, 162));
    p.fillRect(QRect(r.left(), r.top(), r.width(), kCaptionHeight), g);
    p.setPen(QColor(30, 60, 100));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(13);
    f.setBold(true);
    p.setFont(f);
    p.setPen(active ? QColor(Qt::white) : QColor(222, 226, 234));
    QRect caption(r.left() + 28, r.top(), r.width() - 70, kCaptionHeight);
    p.drawText(caption, Qt::AlignVCenter | Qt::AlignLeft, ToQ(dialog->GetWindowTextW()));
    // A small application mark and the close box.
    p.setBrush(QColor(0, 153, 203));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRect(r.left() + 8, r.top() + 6, 14, 14));
    QRect close(r.right() - 42, r.top() + 4, 36, 18);
    p.setBrush(QColor(196, 64, 52));
    p.drawRoundedRect(close, 3, 3);
    p.setPen(QPen(Qt::white, 2));
    QPoint c = close.center();
    p.drawLine(c + QPoint(-4, -4), c + QPoint(4, 4));
    p.drawLine(c + QPoint(-4, 4), c + QPoint(4, -4));
}

}  // namespace

QImage GrabScreen(int width, int height)
{
    // Opaque: the desktop colour fills every pixel first.
    QImage screen(width, height, QImage::Format_RGB32);
    screen.fill(QColor(40, 72, 110));
    QPainter p(&screen);
    for (CDialogEx* dialog : g_zOrder) {
        if (!dialog->IsWindowVisible()) continue;
        p.setOpacity(dialog->BlendsItself() ? 1.0 : dialog->Opacity());
        // A window with a region of its own shows only the pixels inside it.
        const QRegion shape = dialog->WindowRegion();
        if (!shape.isEmpty()) p.setClipRegion(shape.translated(dialog->WindowRect().topLeft()));
        if (dialog->HasCaption()) {
            // The frame's pen and brush stay with the frame: the window's widgets paint
            // with a painter as fresh as on screen.
            p.save();
            DrawFrame(p, dialog);
            p.restore();
        }
        // Painted straight into the screen image, without a pixmap of its own.
        dialog->Widget()->render(&p, dialog->ClientRectOnScreen().topLeft(), QRegion(),
                                 QWidget::DrawWindowBackground | QWidget::DrawChildren);
        p.setClipping(false);
        p.setOpacity(1.0);
    }
    return screen;
}

}  // namespace Framework
