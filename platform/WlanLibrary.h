#pragma once
#include <string>

#include "platform/Win32Types.h"

// The eleven functions of wlanapi.dll the wizard binds at run time.
inline constexpr const char* kWlanFunctionNames[] = {
    "WlanOpenHandle", "WlanCloseHandle", "WlanFreeMemory", "WlanEnumInterfaces",
    "WlanScan", "WlanGetAvailableNetworkList", "WlanConnect", "WlanDeleteProfile",
    "WlanSetProfile", "WlanDisconnect", "WlanQueryInterface"};

// wlanapi.dll as LoadLibraryW and GetProcAddress see it. The wireless functions
// themselves join this interface as the operations that call them are built.
class WlanLibrary {
public:
    virtual ~WlanLibrary() = default;
    virtual bool LoadLibraryW(const std::wstring& name) = 0;
    virtual bool GetProcAddress(const char* name) = 0;  // the export exists
};
