#pragma once
// The IP Helper library (Iphlpapi.dll): the adapters' IPv4 configuration and ICMP echo.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Win32Types.h"

using ICMP_HANDLE = std::uintptr_t;
constexpr ICMP_HANDLE INVALID_ICMP_HANDLE = ~static_cast<ICMP_HANDLE>(0);
using IPAddr = std::uint32_t;  // network byte order, as inet_addr gives it
constexpr IPAddr INADDR_NONE = 0xFFFFFFFF;

// One adapter of GetAdaptersInfo. Address lists keep only what the wizard reads: the
// first address and the first gateway, dotted text of at most 15 characters ("0.0.0.0"
// when the adapter has none; an empty gateway text when there is no default gateway).
struct IP_ADAPTER_INFO {
    std::string AdapterName;  // the adapter's NetCfgInstanceId, "{...}"
    std::string Description;
    std::string IpAddress = "0.0.0.0";
    std::string IpMask = "0.0.0.0";
    std::string Gateway;
    BOOL DhcpEnabled = TRUE;
};
// The size the service reports for one adapter's record, as the buffer rule counts it.
constexpr ULONG kIpAdapterInfoBytes = 640;

constexpr DWORD IP_SUCCESS = 0;
constexpr DWORD IP_REQ_TIMED_OUT = 11010;
constexpr DWORD IP_DEST_HOST_UNREACHABLE = 11003;

struct ICMP_ECHO_REPLY {
    IPAddr Address = 0;
    DWORD Status = IP_REQ_TIMED_OUT;
    DWORD RoundTripTime = 0;
    WORD DataSize = 0;
};

class IpHelper {
public:
    virtual ~IpHelper() = default;
    // LoadLibraryW("Iphlpapi.dll") and GetProcAddress: false when the library or the
    // export is missing.
    virtual bool LoadIpHelper() = 0;
    virtual bool HasExport(const char* name) = 0;
    virtual void FreeIpHelper() = 0;

    // With *sizeBytes too small (or no list): ERROR_BUFFER_OVERFLOW and the size needed
    // in *sizeBytes. Otherwise ERROR_SUCCESS and the adapters in *adapters.
    virtual DWORD GetAdaptersInfo(std::vector<IP_ADAPTER_INFO>* adapters, ULONG* sizeBytes) = 0;

    virtual ICMP_HANDLE IcmpCreateFile() = 0;
    virtual BOOL IcmpCloseHandle(ICMP_HANDLE handle) = 0;
    // Each send blocks the calling thread until the reply or the time-out (on the
    // runtime's clock) and returns the number of replies written to *reply (0 or 1).
    virtual DWORD IcmpSendEcho(ICMP_HANDLE handle, IPAddr destination, const void* data, WORD dataSize,
                               DWORD replySize, ICMP_ECHO_REPLY* reply, DWORD timeoutMs) = 0;
    virtual DWORD IcmpSendEcho2(ICMP_HANDLE handle, IPAddr destination, const void* data, WORD dataSize,
                                DWORD replySize, ICMP_ECHO_REPLY* reply, DWORD timeoutMs) = 0;
    virtual DWORD IcmpSendEcho2Ex(ICMP_HANDLE handle, IPAddr source, IPAddr destination, const void* data,
                                  WORD dataSize, DWORD replySize, ICMP_ECHO_REPLY* reply, DWORD timeoutMs) = 0;
};

// inet_addr: dotted IPv4 text to an address; INADDR_NONE when the text is not one.
IPAddr InetAddr(const std::string& text);
