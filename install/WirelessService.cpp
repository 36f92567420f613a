#include "install/WirelessService.h"

#include "app/Globals.h"
#include "diag/LogMsg.h"
#include "platform/Platform.h"

const wchar_t* WirelessServiceName() { return g_bOsXp ? L"WZCSVC" : L"wlansvc"; }

void StartZeroConfig(const wchar_t* functionName, const wchar_t* message)
{
    ServiceControl* scm = Os().services;
    SC_HANDLE manager = scm->OpenSCManagerW(SC_MANAGER_ALL_ACCESS);
    if (!manager) return;
    SC_HANDLE service = scm->OpenServiceW(manager, WirelessServiceName(), SERVICE_ALL_ACCESS);
    if (!service) {
        scm->CloseServiceHandle(manager);
        return;
    }
    DWORD state = SERVICE_STOPPED;
    if (!scm->QueryServiceStatus(service, &state)) state = SERVICE_STOPPED;
    if (state != SERVICE_RUNNING && state != SERVICE_START_PENDING && scm->StartServiceW(service))
        LogF(LOG_FUNC, functionName, message, static_cast<int>(service));
    scm->CloseServiceHandle(service);
    scm->CloseServiceHandle(manager);
}

void StopWirelessTrayService()
{
    ServiceControl* scm = Os().services;
    SC_HANDLE manager = scm->OpenSCManagerW(SC_MANAGER_ALL_ACCESS);
    if (!manager) return;
    SC_HANDLE service = scm->OpenServiceW(manager, L"wltrysvc", SERVICE_ALL_ACCESS);
    if (!service) {
        scm->CloseServiceHandle(manager);
        return;
    }
    DWORD state = SERVICE_STOPPED;
    if (scm->QueryServiceStatus(service, &state) && state != SERVICE_STOPPED)
        scm->ControlService(service, SERVICE_CONTROL_STOP, &state);
    scm->CloseServiceHandle(service);
    scm->CloseServiceHandle(manager);
}
