#pragma once
// The service control manager. Handles are plain numbers, 0 on failure.
#include <cstdint>
#include <string>

#include "platform/Win32Types.h"

using SC_HANDLE = std::uintptr_t;

constexpr DWORD SC_MANAGER_ALL_ACCESS = 0xF003F;
constexpr DWORD SERVICE_ALL_ACCESS = 0xF01FF;
constexpr DWORD SERVICE_STOPPED = 1;
constexpr DWORD SERVICE_START_PENDING = 2;
constexpr DWORD SERVICE_STOP_PENDING = 3;
constexpr DWORD SERVICE_RUNNING = 4;
constexpr DWORD SERVICE_CONTROL_STOP = 1;
constexpr LONG ERROR_SERVICE_DOES_NOT_EXIST = 1060;
constexpr LONG ERROR_SERVICE_ALREADY_RUNNING = 1056;
constexpr LONG ERROR_SERVICE_DISABLED = 1058;
constexpr LONG ERROR_SERVICE_NOT_ACTIVE = 1062;

class ServiceControl {
public:
    virtual ~ServiceControl() = default;
    virtual SC_HANDLE OpenSCManagerW(DWORD access) = 0;  // local machine, default database
    // Service names compare without regard to case.
    virtual SC_HANDLE OpenServiceW(SC_HANDLE manager, const std::wstring& name, DWORD access) = 0;
    virtual BOOL QueryServiceStatus(SC_HANDLE service, DWORD* currentState) = 0;
    virtual BOOL StartServiceW(SC_HANDLE service) = 0;  // no arguments
    virtual BOOL ControlService(SC_HANDLE service, DWORD control, DWORD* currentState) = 0;
    virtual BOOL CloseServiceHandle(SC_HANDLE handle) = 0;
};
