#include "controls/WpsMaskDlg.h"

#include <cstdint>

#include "controls/OverlayGeometry.h"
#include "diag/LogMsg.h"

CWpsMaskDlg* g_pWpsMaskDlg = nullptr;

namespace {

unsigned Address(const void* p) { return static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(p)); }

}  // namespace

CWpsMaskDlg::CWpsMaskDlg(CDialogEx* parent, CDialogEx* mainWindow) : COverlayVeil(parent, mainWindow)
{
    LogF(LOG_MEMORY, L"CWpsMaskDlg::CWpsMaskDlg", L"malloc memory with %6d bytes for: CWpsMaskDlg at %#x.",
         static_cast<int>(sizeof(CWpsMaskDlg)), Address(this));
}

CWpsMaskDlg::~CWpsMaskDlg()
{
    LogF(LOG_MEMORY, L"CWpsMaskDlg::~CWpsMaskDlg", L"free memory for: CWpsMaskDlg at %#x.", Address(this));
}

QRect CWpsMaskDlg::VeilPlacement() const
{
    const CDialogEx* main = MainWindow();
    const QRect covered = main ? main->WindowRect() : QRect();
    return overlay::VeilWindowRect(covered, CaptionBarHeight(), false);
}
