// What the window system under the program can do: real windows or the lab's
// off-screen ones, and whether it blends translucent windows (a compositor runs).
#include "framework/Framework.h"

#include <QGuiApplication>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>

#include <xcb/xcb.h>

namespace Framework {

bool RealWindows()
{
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

namespace {

// An X11 screen blends when a compositing manager owns the screen's _NET_WM_CM_Sn.
bool X11CompositorRuns()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection) return false;
    int screen = 0;
    if (const char* display = std::getenv("DISPLAY")) {
        const std::string name(display);
        const auto dot = name.rfind('.');
        if (dot != std::string::npos && dot > name.rfind(':')) screen = std::atoi(name.c_str() + dot + 1);
    }
    const std::string atomName = "_NET_WM_CM_S" + std::to_string(screen);
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, static_cast<uint16_t>(atomName.size()), atomName.c_str()), nullptr);
    if (!atom) return false;
    const xcb_atom_t selection = atom->atom;
    std::free(atom);
    if (selection == XCB_ATOM_NONE) return false;  // nobody ever claimed it
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr);
    if (!owner) return false;
    const bool owned = owner->owner != XCB_WINDOW_NONE;
    std::free(owner);
    return owned;
}

}  // namespace

namespace {
std::optional<bool> g_blendsAssumed;
}

void AssumeWindowSystemBlends(std::optional<bool> blends) { g_blendsAssumed = blends; }

bool WindowSystemBlends()
{
    if (g_blendsAssumed) return *g_blendsAssumed;
    // The lab's off-screen windows are blended by its own screen grab.
    if (!RealWindows()) return true;
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return true;
    // Asked again at most once a second: a compositor may start or stop at any time.
    static std::chrono::steady_clock::time_point askedAt;
    static bool blends = false;
    const auto now = std::chrono::steady_clock::now();
    if (askedAt == std::chrono::steady_clock::time_point() || now - askedAt > std::chrono::seconds(1)) {
        askedAt = now;
        blends = X11CompositorRuns();
    }
    return blends;
}

}  // namespace Framework
