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

constexpr DWORD DOT11_SSID_MAX_LENGTH = 32;
struct DOT11_SSID {
    DWORD uSSIDLength = 0;  // 0 to 32
    unsigned char ucSSID[DOT11_SSID_MAX_LENGTH] = {};
};

enum DOT11_BSS_TYPE : int {
    dot11_BSS_type_infrastructure = 1,
    dot11_BSS_type_independent = 2,
    dot11_BSS_type_any = 3,
};

// Authentication and cipher algorithm values of the wireless service.
enum : DWORD {
    DOT11_AUTH_ALGO_80211_OPEN = 1,
    DOT11_AUTH_ALGO_80211_SHARED_KEY = 2,
    DOT11_AUTH_ALGO_WPA = 3,
    DOT11_AUTH_ALGO_WPA_PSK = 4,
    DOT11_AUTH_ALGO_WPA_NONE = 5,
    DOT11_AUTH_ALGO_RSNA = 6,
    DOT11_AUTH_ALGO_RSNA_PSK = 7,
};
enum : DWORD {
    DOT11_CIPHER_ALGO_NONE = 0,
    DOT11_CIPHER_ALGO_WEP40 = 1,
    DOT11_CIPHER_ALGO_TKIP = 2,
    DOT11_CIPHER_ALGO_CCMP = 4,
    DOT11_CIPHER_ALGO_WEP104 = 5,
    DOT11_CIPHER_ALGO_WPA_USE_GROUP = 0x100,
    DOT11_CIPHER_ALGO_WEP = 0x101,
};

constexpr DWORD WLAN_AVAILABLE_NETWORK_INCLUDE_ALL_ADHOC_PROFILES = 1;

// One network of the service's list of visible networks.
struct WLAN_AVAILABLE_NETWORK {
    std::wstring strProfileName;  // the stored profile's name, empty when none
    DOT11_SSID dot11Ssid;
    int dot11BssType = dot11_BSS_type_infrastructure;
    DWORD uNumberOfBssids = 1;
    BOOL bNetworkConnectable = TRUE;
    BOOL bSecurityEnabled = FALSE;
    DWORD wlanSignalQuality = 0;  // 0 to 100
    DWORD dot11DefaultAuthAlgorithm = 0;
    DWORD dot11DefaultCipherAlgorithm = 0;
    DWORD dwFlags = 0;
};

struct WLAN_AVAILABLE_NETWORK_LIST {
    DWORD dwNumberOfItems = 0;
    DWORD dwIndex = 0;
    std::vector<WLAN_AVAILABLE_NETWORK> Network;
};

enum WLAN_CONNECTION_MODE : int {
    wlan_connection_mode_profile = 0,
    wlan_connection_mode_temporary_profile = 1,
    wlan_connection_mode_discovery_secure = 2,
    wlan_connection_mode_discovery_unsecure = 3,
    wlan_connection_mode_auto = 4,
};

struct WLAN_CONNECTION_PARAMETERS {
    int wlanConnectionMode = wlan_connection_mode_profile;
    std::wstring strProfile;                 // the profile's name
    const DOT11_SSID* pDot11Ssid = nullptr;  // none: the profile's
    const void* pDesiredBssidList = nullptr;
    int dot11BssType = dot11_BSS_type_any;
    DWORD dwFlags = 0;
};

enum WLAN_INTF_OPCODE : int {
    wlan_intf_opcode_current_connection = 7,
};

struct WLAN_ASSOCIATION_ATTRIBUTES {
    DOT11_SSID dot11Ssid;
    int dot11BssType = dot11_BSS_type_infrastructure;
    unsigned char dot11Bssid[6] = {};
    DWORD wlanSignalQuality = 0;
};

struct WLAN_SECURITY_ATTRIBUTES {
    BOOL bSecurityEnabled = FALSE;
    DWORD dot11AuthAlgorithm = 0;
    DWORD dot11CipherAlgorithm = 0;
};

// What WlanQueryInterface returns for wlan_intf_opcode_current_connection.
struct WLAN_CONNECTION_ATTRIBUTES {
    int isState = 0;
    int wlanConnectionMode = wlan_connection_mode_profile;
    std::wstring strProfileName;
    WLAN_ASSOCIATION_ATTRIBUTES wlanAssociationAttributes;
    WLAN_SECURITY_ATTRIBUTES wlanSecurityAttributes;
};

// Reason codes WlanSetProfile gives for a document it refuses.
constexpr DWORD WLAN_REASON_CODE_SUCCESS = 0;
constexpr DWORD WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA = 0x80002;
constexpr DWORD WLAN_REASON_CODE_PROFILE_MISSING = 0x80003;
constexpr DWORD WLAN_REASON_CODE_INVALID_PROFILE_NAME = 0x80004;
constexpr DWORD WLAN_REASON_CODE_BAD_PROFILE = 0x80005;  // a value the schema does not know
constexpr LONG ERROR_BAD_PROFILE = 1206;

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

    // Starts a scan; the list is fresh once the scan is over (a few seconds).
    virtual DWORD WlanScan(WLAN_HANDLE handle, const GUID& interfaceGuid, const DOT11_SSID* ssid,
                           const void* informationElement) = 0;
    virtual DWORD WlanGetAvailableNetworkList(WLAN_HANDLE handle, const GUID& interfaceGuid, DWORD flags,
                                              WLAN_AVAILABLE_NETWORK_LIST** list) = 0;
    // ERROR_ALREADY_EXISTS when a profile of the document's name exists and overwrite is
    // false; ERROR_BAD_PROFILE with *reasonCode for a document the service cannot take.
    virtual DWORD WlanSetProfile(WLAN_HANDLE handle, const GUID& interfaceGuid, DWORD flags,
                                 const std::wstring& profileXml, const wchar_t* securityDescriptor,
                                 BOOL overwrite, DWORD* reasonCode) = 0;
    virtual DWORD WlanDeleteProfile(WLAN_HANDLE handle, const GUID& interfaceGuid,
                                    const std::wstring& profileName) = 0;
    // Accepts the request; the association follows (or not) a moment later.
    virtual DWORD WlanConnect(WLAN_HANDLE handle, const GUID& interfaceGuid,
                              const WLAN_CONNECTION_PARAMETERS& parameters) = 0;
    virtual DWORD WlanDisconnect(WLAN_HANDLE handle, const GUID& interfaceGuid) = 0;
    // wlan_intf_opcode_current_connection: *data is a WLAN_CONNECTION_ATTRIBUTES block;
    // ERROR_INVALID_STATE when the interface is not associated.
    virtual DWORD WlanQueryInterface(WLAN_HANDLE handle, const GUID& interfaceGuid, int opCode,
                                     DWORD* dataSize, void** data, int* valueType) = 0;
};
