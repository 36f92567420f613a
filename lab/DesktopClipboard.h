#pragma once
// The clipboard of an interactive run: the simulated PC's clipboard, and the desktop's
// too, so that copied error details can be pasted into a mail to support.
#include "platform/Shell.h"

namespace lab {

class DesktopClipboard : public Clipboard {
public:
    explicit DesktopClipboard(Clipboard& simulated) : m_simulated(simulated) {}
    bool SetText(const std::wstring& text) override;
    std::wstring GetText() override { return m_simulated.GetText(); }

private:
    Clipboard& m_simulated;
};

}  // namespace lab
