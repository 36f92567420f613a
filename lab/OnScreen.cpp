#include "lab/OnScreen.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <chrono>
#include <thread>

#include "framework/Dialog.h"
#include "runtime/Runtime.h"

namespace lab {

bool HasFocusOnScreen(const CDialogEx* dialog, std::string& instead)
{
    QWindow* focus = QGuiApplication::focusWindow();
    QWidget* widget = dialog ? dialog->Widget() : nullptr;
    if (widget && focus && focus == widget->windowHandle()) return true;
    instead = focus ? "the window \"" + focus->objectName().toStdString() + "\" has the focus on screen"
                    : "no window of the program has the focus on screen";
    return false;
}

std::string WaitActiveOnScreen(int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        std::string instead;
        bool ok = false;
        rt::SendToUi([&] {
            const CDialogEx* active = CDialogEx::ActiveWindow();
            ok = HasFocusOnScreen(active, instead);
            if (!ok) instead = std::string(active ? active->ClassName() : "no window") + " is not active: " + instead;
        });
        if (ok) return {};
        if (std::chrono::steady_clock::now() >= deadline) return instead;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

}  // namespace lab
