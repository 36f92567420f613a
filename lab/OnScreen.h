#pragma once
// What a person at a real screen can reach: in a run with real windows, the window the
// script addresses must also be the window system's active window, or no click of a
// person's would reach it.
#include <string>

class CDialogEx;

namespace lab {

// On the UI thread: whether the dialog's window has the window system's focus; says
// which window has it instead.
bool HasFocusOnScreen(const CDialogEx* dialog, std::string& instead);

// From the person's thread: waits up to timeoutMs of real time for the active dialog's
// window to get the focus (a window manager gives it a moment after it is shown).
// Empty when it has it, else what has the focus instead.
std::string WaitActiveOnScreen(int timeoutMs);

}  // namespace lab
