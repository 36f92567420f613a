#pragma once
// The device installer (SetupAPI) as adapter detection and driver installation use it.
#include <memory>
#include <string>
#include <vector>

#include "platform/Win32Types.h"

constexpr DWORD DIGCF_PRESENT = 0x2;
constexpr DWORD SPDRP_HARDWAREID = 0x1;
constexpr DWORD DICS_FLAG_GLOBAL = 0x1;
constexpr DWORD DIREG_DRV = 0x2;
constexpr DWORD KEY_READ = 0x20019;
constexpr DWORD INSTALLFLAG_FORCE = 0x1;
constexpr DWORD SPOST_PATH = 1;
constexpr DWORD SP_COPY_NEWER_OR_SAME = 0x4;
constexpr LONG ERROR_NO_MORE_ITEMS = 259;
constexpr LONG ERROR_INVALID_DATA = 13;
constexpr LONG ERROR_NO_SUCH_DEVINST = static_cast<LONG>(0xE000020B);
constexpr LONG ERROR_NO_DRIVER_SELECTED = static_cast<LONG>(0xE0000203);

// The network adapter setup class.
constexpr const wchar_t* kNetClassGuid = L"{4D36E972-E325-11CE-BFC1-08002BE10318}";

// An open device's registry key (SetupDiOpenDevRegKey); closed when destroyed.
class DeviceRegKey {
public:
    virtual ~DeviceRegKey() = default;
    // A REG_SZ value into a buffer of bufferBytes bytes (as RegQueryValueExW).
    virtual LONG RegQueryValueExW(const std::wstring& name, std::wstring* data, DWORD bufferBytes) = 0;
};

// A device information set (SetupDiGetClassDevsW); destroyed as by
// SetupDiDestroyDeviceInfoList. Devices are addressed by their enumeration index.
class DeviceInfoSet {
public:
    virtual ~DeviceInfoSet() = default;
    // FALSE with ERROR_NO_MORE_ITEMS past the last device.
    virtual BOOL SetupDiEnumDeviceInfo(DWORD index, LONG* lastError) = 0;
    // A multi-string property into a buffer of bufferBytes bytes. FALSE with
    // ERROR_INSUFFICIENT_BUFFER and *requiredSize when it does not fit, with
    // ERROR_INVALID_DATA when the device has no such property.
    virtual BOOL SetupDiGetDeviceRegistryPropertyW(DWORD index, DWORD property, std::vector<std::wstring>* strings,
                                                   DWORD bufferBytes, DWORD* requiredSize, LONG* lastError) = 0;
    // Null when the key does not exist (no driver installed, for DIREG_DRV).
    virtual std::unique_ptr<DeviceRegKey> SetupDiOpenDevRegKey(DWORD index, DWORD scope, DWORD hwProfile,
                                                               DWORD keyType, DWORD access) = 0;
};

class DeviceInstaller {
public:
    virtual ~DeviceInstaller() = default;
    // Null on failure.
    virtual std::unique_ptr<DeviceInfoSet> SetupDiGetClassDevsW(const std::wstring& classGuid, DWORD flags) = 0;
    // Installs the INF's driver on every present device with that hardware ID.
    virtual BOOL UpdateDriverForPlugAndPlayDevicesW(const std::wstring& hardwareId, const std::wstring& infPath,
                                                    DWORD installFlags, BOOL* rebootRequired, LONG* lastError) = 0;
    // Copies the driver package into the driver store; *destination gets the stored INF's
    // path when it fits in destinationChars characters.
    virtual BOOL SetupCopyOEMInfW(const std::wstring& sourceInf, DWORD mediaType, DWORD copyStyle,
                                  std::wstring* destination, DWORD destinationChars, LONG* lastError) = 0;
};
