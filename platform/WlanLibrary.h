#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Guid.h"
#include "platform/Win32Types.h"

// The eleven functions of wlanapi.dll the wizard binds at run time.
inline constexpr const char* kWlanFunctionNames[] = {
    "WlanOpenHandle", "WlanCloseHandle", "WlanFreeMemory", "WlanEnumInterfaces",
    "WlanScan", "WlanGetAvailableNetworkList", "WlanConnect", "WlanDeleteProfile",
    "WlanSetProfile", "WlanDisconnect", "WlanQueryInterface"};

using WLAN_HANDLE = std::uintptr_t;

struct WLAN_INTERFACE_INFO {
    GUID InterfaceGuid;
    std::wstring strInterfaceDescription;  // at most 255 characters
    int isState = 0;                       // WLAN_INTERFACE_STATE
};

struct WLAN_INTERFACE_INFO_LIST {
    DWORD dwNumberOfItems = 0;
    std::vector<WLAN_INTERFACE_INFO> InterfaceInfo;
};

// wlanapi.dll as LoadLibraryW and GetProcAddress see it, and the wireless functions the
// operations built so far call. Blocks the service returns stay the service's until
// WlanFreeMemory.
class WlanLibrary {
public:
    virtual ~WlanLibrary() = default;
    virtual bool LoadLibraryW(const std::wstring& name) = 0;
    virtual bool GetProcAddress(const char* name) = 0;  // the export exists

    virtual DWORD WlanOpenHandle(DWORD clientVersion, DWORD* negotiatedVersion, WLAN_HANDLE* handle) = 0;
    virtual DWORD WlanCloseHandle(WLAN_HANDLE handle) = 0;
    virtual DWORD WlanEnumInterfaces(WLAN_HANDLE handle, WLAN_INTERFACE_INFO_LIST** list) = 0;
    virtual void WlanFreeMemory(const void* block) = 0;
};
