#include "app/InstallSetupApp.h"


#include "app/Globals.h"
#include "platform/Platform.h"
#include "wizard/SetupDlg.h"

const wchar_t* const kInstanceMutexName = L"Korvana QW4100 QW2100_QW2600_V2";

namespace {
CSetupDlg* g_pRunningWizard = nullptr;

const wchar_t* const kShowOptions[ShowOptionCount] = {
    L"/show driver", L"/show open", L"/show security", L"/show internet",
    L"/show internetng", L"/show xp", L"/show vista", L"/show admin"};
}  // namespace

int MatchShowOption(const std::wstring& commandLine)
{
    for (int i = 0; i < ShowOptionCount; ++i)
        if (commandLine == kShowOptions[i]) return i;
    return -1;
}

CInstallSetupApp::CInstallSetupApp(std::wstring commandLine) : m_commandLine(std::move(commandLine)) {}

CInstallSetupApp::~CInstallSetupApp() = default;

CSetupDlg* CInstallSetupApp::RunningWizard() { return g_pRunningWizard; }

BOOL CInstallSetupApp::InitInstance()
{
    // 1-2. The model marker in HWID.ini beside the program; a missing file means the main model.
    std::wstring path = Os().system->GetModuleFileNameW().substr(0, 1023);
    std::size_t slash = path.rfind(L'\\');
    std::wstring folder = slash == std::wstring::npos ? path : path.substr(0, slash);
    auto bytes = Os().files->ReadFile(folder + L"\\HWID.ini", 512);
    g_bSiblingModel = bytes && HasSiblingMarker(*bytes) ? 1 : 0;

    // 3. One instance per machine; a second one ends without a word.
    LONG lastError = ERROR_SUCCESS;
    m_hInstanceMutex = Os().mutex->CreateMutexW(kInstanceMutexName, &lastError);
    if (lastError == ERROR_ALREADY_EXISTS) {
        m_hInstanceMutex.reset();
        return FALSE;
    }

    // 4-7. OLE, common controls and the graphics library are Qt's here; nothing to start.
    m_gdiplusToken = 1;

    // 8. The test option, compared as a whole.
    int option = MatchShowOption(m_commandLine);
    if (option >= 0) g_bShowOption[option] = 1;

    // 9-10. The wizard, modally.
    {
        CSetupDlg dlg;
        g_pRunningWizard = &dlg;
        dlg.DoModal();
        g_pRunningWizard = nullptr;
    }
    return FALSE;
}

int CInstallSetupApp::ExitInstance()
{
    m_gdiplusToken = 0;
    return 0;
}
