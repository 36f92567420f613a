// The wireless service's network functions and the IP Helper library of the simulated PC.
// Not built yet: every call answers that the function is not supported.
#include "sim/SimHardware.h"

namespace sim {

DWORD SimHardware::WlanScan(WLAN_HANDLE, const GUID&, const DOT11_SSID*, const void*) { return ERROR_NOT_SUPPORTED; }
DWORD SimHardware::WlanGetAvailableNetworkList(WLAN_HANDLE, const GUID&, DWORD, WLAN_AVAILABLE_NETWORK_LIST**)
{
    return ERROR_NOT_SUPPORTED;
}
DWORD SimHardware::WlanSetProfile(WLAN_HANDLE, const GUID&, DWORD, const std::wstring&, const wchar_t*, BOOL, DWORD*)
{
    return ERROR_NOT_SUPPORTED;
}
DWORD SimHardware::WlanDeleteProfile(WLAN_HANDLE, const GUID&, const std::wstring&) { return ERROR_NOT_SUPPORTED; }
DWORD SimHardware::WlanConnect(WLAN_HANDLE, const GUID&, const WLAN_CONNECTION_PARAMETERS&) { return ERROR_NOT_SUPPORTED; }
DWORD SimHardware::WlanDisconnect(WLAN_HANDLE, const GUID&) { return ERROR_NOT_SUPPORTED; }
DWORD SimHardware::WlanQueryInterface(WLAN_HANDLE, const GUID&, int, DWORD*, void**, int*) { return ERROR_INVALID_STATE; }

bool SimHardware::LoadIpHelper() { return false; }
bool SimHardware::HasExport(const char*) { return false; }
void SimHardware::FreeIpHelper() {}
DWORD SimHardware::GetAdaptersInfo(std::vector<IP_ADAPTER_INFO>*, ULONG*) { return ERROR_NOT_SUPPORTED; }
ICMP_HANDLE SimHardware::IcmpCreateFile() { return INVALID_ICMP_HANDLE; }
BOOL SimHardware::IcmpCloseHandle(ICMP_HANDLE) { return FALSE; }
DWORD SimHardware::IcmpSendEcho(ICMP_HANDLE, IPAddr, const void*, WORD, DWORD, ICMP_ECHO_REPLY*, DWORD) { return 0; }
DWORD SimHardware::IcmpSendEcho2(ICMP_HANDLE, IPAddr, const void*, WORD, DWORD, ICMP_ECHO_REPLY*, DWORD) { return 0; }
DWORD SimHardware::IcmpSendEcho2Ex(ICMP_HANDLE, IPAddr, IPAddr, const void*, WORD, DWORD, ICMP_ECHO_REPLY*, DWORD)
{
    return 0;
}

}  // namespace sim
