#include "lab/DesktopClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QThread>

namespace lab {

bool DesktopClipboard::SetText(const std::wstring& text)
{
    if (!m_simulated.SetText(text)) return false;
    // The desktop's clipboard belongs to the GUI thread.
    if (auto* app = QGuiApplication::instance(); app && QThread::currentThread() == app->thread())
        QGuiApplication::clipboard()->setText(QString::fromStdWString(text));
    return true;
}

}  // namespace lab
