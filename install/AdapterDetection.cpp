#include "install/AdapterDetection.h"

#include <cwctype>
#include <mutex>

#include "app/Globals.h"
#include "platform/Platform.h"

namespace {

std::mutex g_identityLock;
std::wstring g_AdapterPnpId;
std::wstring g_NetCfgInstanceId;
GUID g_InterfaceGuid;

constexpr std::size_t kHardwareIdLength = 21;
constexpr std::size_t kDescriptionPrefixLength = 14;

std::wstring Upper(std::wstring s)
{
    for (auto& c : s) c = static_cast<wchar_t>(std::towupper(c));
    return s;
}

}  // namespace

std::vector<std::wstring> AcceptedHardwareIds(bool siblingModel)
{
    if (siblingModel) return {L"USB\\VID_1E2C&PID_003D", L"USB\\VID_1E2C&PID_003C"};
    return {L"USB\\VID_1E2C&PID_003B"};
}

bool HardwareIdMatches(const std::wstring& firstHardwareId, bool siblingModel)
{
    std::wstring head = Upper(firstHardwareId).substr(0, kHardwareIdLength);
    for (const std::wstring& id : AcceptedHardwareIds(siblingModel))
        if (head == id) return true;
    return false;
}

bool DescriptionMatches(const std::wstring& description, bool siblingModel)
{
    std::wstring head = description.substr(0, kDescriptionPrefixLength);
    if (siblingModel) return head == L"Korvana QW2100" || head == L"Korvana QW2600";
    return head == L"Korvana QW4100";
}

std::wstring AdapterPnpId()
{
    std::lock_guard lock(g_identityLock);
    return g_AdapterPnpId;
}

std::wstring AdapterNetCfgInstanceId()
{
    std::lock_guard lock(g_identityLock);
    return g_NetCfgInstanceId;
}

GUID AdapterInterfaceGuid()
{
    std::lock_guard lock(g_identityLock);
    return g_InterfaceGuid;
}

void ResetAdapterIdentity()
{
    std::lock_guard lock(g_identityLock);
    g_AdapterPnpId.clear();
    g_NetCfgInstanceId.clear();
    g_InterfaceGuid = GUID{};
}

bool FindAdapterDevice()
{
    DeviceInstaller* installer = Os().devices;
    std::unique_ptr<DeviceInfoSet> set = installer->SetupDiGetClassDevsW(kNetClassGuid, DIGCF_PRESENT);
    if (!set) return false;
    const bool sibling = g_bSiblingModel != 0;
    for (DWORD index = 0; set->SetupDiEnumDeviceInfo(index, nullptr); ++index) {
        // The property's size first, then the property in a buffer of that size.
        std::vector<std::wstring> ids;
        DWORD required = 0;
        DWORD bufferBytes = 0;
        LONG error = ERROR_SUCCESS;
        bool got = false;
        while (!(got = set->SetupDiGetDeviceRegistryPropertyW(index, SPDRP_HARDWAREID, &ids, bufferBytes,
                                                               &required, &error)) &&
               error == ERROR_INSUFFICIENT_BUFFER && required > bufferBytes) {
            bufferBytes = required;
        }
        if (!got || ids.empty()) continue;
        std::wstring first = Upper(ids.front());
        if (!HardwareIdMatches(first, sibling)) continue;
        std::unique_ptr<DeviceRegKey> key = set->SetupDiOpenDevRegKey(index, DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_READ);
        if (!key) continue;
        {
            std::lock_guard lock(g_identityLock);
            if (g_AdapterPnpId.empty()) g_AdapterPnpId = first;
        }
        std::wstring id;
        if (key->RegQueryValueExW(L"NetCfgInstanceId", &id, 256) == ERROR_SUCCESS) {
            std::lock_guard lock(g_identityLock);
            g_NetCfgInstanceId = id.substr(0, 255);
            return true;
        }
    }
    return false;
}

void CWlanClient::Close()
{
    if (m_hClient) Os().wlan->WlanCloseHandle(m_hClient);
    m_hClient = 0;
}

bool OpenAdapter(CWlanClient& client)
{
    WlanLibrary* wlan = Os().wlan;
    client.Close();
    DWORD negotiated = 0;
    WLAN_HANDLE handle = 0;
    if (wlan->WlanOpenHandle(1, &negotiated, &handle) != ERROR_SUCCESS) return false;
    client.m_hClient = handle;
    WLAN_INTERFACE_INFO_LIST* list = nullptr;
    if (wlan->WlanEnumInterfaces(handle, &list) != ERROR_SUCCESS || !list) return false;
    const bool sibling = g_bSiblingModel != 0;
    bool found = false;
    GUID guid;
    for (DWORD i = 0; i < list->dwNumberOfItems && i < list->InterfaceInfo.size(); ++i) {
        const WLAN_INTERFACE_INFO& info = list->InterfaceInfo[i];
        if (!DescriptionMatches(info.strInterfaceDescription, sibling)) continue;
        if (FindAdapterDevice()) {
            guid = info.InterfaceGuid;
            found = true;
            break;
        }
    }
    wlan->WlanFreeMemory(list);
    if (!found) return false;
    std::lock_guard lock(g_identityLock);
    g_InterfaceGuid = guid;
    return true;
}
