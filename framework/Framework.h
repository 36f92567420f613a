#pragma once
// The framework's process-wide side: the Qt application, input routing to the active
// modal dialog, the key filter, window z-order and the runtime's pump hooks.
#include <QImage>

#include <optional>
#include <vector>

class CDialogEx;

namespace Framework {

// Sets up Qt for the program (style, fonts, input filter, pump hooks). Call once after
// the QApplication exists and rt::Init ran.
void Init();

// Input reaches only the top-most modal dialog (and windows above none).
bool InputAllowed(const CDialogEx* dialog);
void SetWindowDisabled(CDialogEx* dialog, bool disabled);

// Visible top-level windows in z-order, bottom first.
void RaiseWindow(CDialogEx* dialog);
void ForgetWindow(CDialogEx* dialog);
std::vector<CDialogEx*> WindowsInZOrder();

// Called whenever a dialog's window is shown (the lab's second-instance probe).
void SetWindowShownHook(void (*hook)());
void NotifyWindowShown();

// Whether windows are a window system's real windows (not the lab's off-screen ones).
bool RealWindows();
// Whether the window system blends a translucent window over what lies under it (on
// X11: a compositor runs). Where it cannot, a translucent window paints the blend itself.
bool WindowSystemBlends();
// Tests: take the window system as blending or not; nullopt asks it again.
void AssumeWindowSystemBlends(std::optional<bool> blends);

// While a window paints the pixels under it, their painting asks no repaint of it.
struct GrabbingUnder {
    GrabbingUnder();
    ~GrabbingUnder();
};

// The screen as a person sees it: windows at their places with frames and captions.
QImage GrabScreen(int width = 1024, int height = 768);

}  // namespace Framework
