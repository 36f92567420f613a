#pragma once
// The process: decides the model variant, refuses a second instance, reads the test
// option and runs the wizard modally.
#include <memory>
#include <string>

#include "app/ModelMarker.h"
#include "platform/NamedMutex.h"
#include "platform/Win32Types.h"

class CSetupDlg;

// The single-instance mutex's name.
extern const wchar_t* const kInstanceMutexName;

// The test option the whole command-line text names, or -1 for a normal run.
int MatchShowOption(const std::wstring& commandLine);

class CInstallSetupApp {
public:
    explicit CInstallSetupApp(std::wstring commandLine);
    ~CInstallSetupApp();

    BOOL InitInstance();  // always FALSE: the process ends after it
    int ExitInstance();

    // The wizard while it runs (for the lab), else null.
    static CSetupDlg* RunningWizard();

private:
    std::wstring m_commandLine;
    std::uintptr_t m_gdiplusToken = 0;
    std::unique_ptr<MutexHandle> m_hInstanceMutex;
};
