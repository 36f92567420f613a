#include "netcheck/Reachability.h"

#include <vector>

#include "app/Globals.h"
#include "diag/LogMsg.h"
#include "install/AdapterDetection.h"
#include "platform/Platform.h"
#include "runtime/Runtime.h"

namespace {

constexpr char kEchoPayload[] = "REQUEST";  // sent with its terminating zero
constexpr DWORD kEchoReplyBytes = 44;
constexpr DWORD kEchoTimeoutMs = 2000;
constexpr int kEchoAttempts = 4;
constexpr std::size_t kCommandLineChars = 4096;
constexpr std::size_t kPingResultBytes = 2047;
constexpr std::size_t kShortCommandChars = 100;

// Dotted addresses are plain ASCII.
std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

std::string FirstNumber(const std::string& address) { return address.substr(0, address.find('.')); }

const wchar_t* TrueFalse(bool value) { return value ? L"True" : L"False"; }

std::uintptr_t Address(const void* p) { return reinterpret_cast<std::uintptr_t>(p); }

}  // namespace

int CheckAdapterLinkstate()
{
    IpHelper* ip = Os().ip;
    // 1. The size first, then the adapters.
    std::vector<IP_ADAPTER_INFO> adapters;
    ULONG size = 0;
    DWORD result = ip->GetAdaptersInfo(nullptr, &size);
    if (result == static_cast<DWORD>(ERROR_BUFFER_OVERFLOW)) {
        LogF(LOG_MEMORY, L"CheckAdapterLinkstate", L"malloc memory with %6d bytes for: pAdapterInfo at %#x.",
             static_cast<int>(size), static_cast<unsigned>(Address(&adapters)));
        result = ip->GetAdaptersInfo(&adapters, &size);
    }
    if (result != static_cast<DWORD>(ERROR_SUCCESS)) return LinkNoAddress;

    // 2. Adapters with a usable address (the first number compared whole).
    int usable = 0;
    for (const IP_ADAPTER_INFO& a : adapters) {
        std::string first = FirstNumber(a.IpAddress);
        if (first != "0" && first != "169") ++usable;
    }
    // 3. Ours, by its NetCfgInstanceId.
    const std::wstring instanceId = AdapterNetCfgInstanceId();
    const IP_ADAPTER_INFO* mine = nullptr;
    for (const IP_ADAPTER_INFO& a : adapters)
        if (Widen(a.AdapterName) == instanceId) {
            mine = &a;
            break;
        }
    if (!mine) return LinkNoAddress;
    // 4. Its first address and gateway.
    const std::string address = mine->IpAddress.substr(0, 15);
    const std::string gateway = mine->Gateway.substr(0, 15);
    // 5.
    const std::string first = FirstNumber(address);
    if (first == "0") return LinkNoAddress;
    if (first == "169") return LinkNoGateway;
    if (gateway.empty()) return LinkNoAddress;
    // 6. Windows XP tests through the command interpreter.
    if (g_bOsXp) {
        if (!CheckDefaultGWLinkstateXP(Widen(gateway))) return LinkNoGateway;
        CheckInternetLinkstateXP(usable, Widen(gateway));
        return LinkGatewayAnswers;
    }
    // 7. Later systems by the ICMP functions.
    if (!CheckDefaultGWLinkstate(gateway)) return LinkNoGateway;
    CheckInternetLinkstate(address);
    return LinkGatewayAnswers;
}

bool SendIcmpEcho(const std::string& destination, const std::string& source)
{
    IpHelper* ip = Os().ip;
    const bool xp = g_bOsXp != 0;
    // 1. The library and its functions, bound for this one request.
    if (!ip->LoadIpHelper()) return false;
    bool bound = ip->HasExport("IcmpCreateFile") && ip->HasExport("IcmpCloseHandle") &&
                 (xp ? ip->HasExport("IcmpSendEcho") : ip->HasExport("IcmpSendEcho2Ex") && ip->HasExport("IcmpSendEcho2"));
    if (!bound) {
        ip->FreeIpHelper();
        return false;
    }
    // 2. Both addresses must be addresses.
    IPAddr to = InetAddr(destination), from = InetAddr(source);
    if (to == INADDR_NONE || from == INADDR_NONE) {
        ip->FreeIpHelper();
        return false;
    }
    ICMP_HANDLE handle = ip->IcmpCreateFile();
    if (handle == INVALID_ICMP_HANDLE) {
        ip->FreeIpHelper();
        return false;
    }
    // 3. Up to four attempts; the first success ends them.
    ICMP_ECHO_REPLY reply;
    LogF(LOG_MEMORY, L"SendIcmpEcho", L"malloc memory with %6d bytes for: ReplyBuffer at %#x.",
         static_cast<int>(kEchoReplyBytes), static_cast<unsigned>(Address(&reply)));
    const bool anySource = source == "0.0.0.0";
    bool answered = false;
    for (int attempt = 0; attempt < kEchoAttempts && !answered && !rt::StopRequested(); ++attempt) {
        reply = ICMP_ECHO_REPLY{};
        DWORD replies = 0;
        if (anySource && xp)
            replies = ip->IcmpSendEcho(handle, to, kEchoPayload, sizeof kEchoPayload, kEchoReplyBytes, &reply,
                                       kEchoTimeoutMs);
        else if (anySource)
            replies = ip->IcmpSendEcho2(handle, to, kEchoPayload, sizeof kEchoPayload, kEchoReplyBytes, &reply,
                                        kEchoTimeoutMs);
        else if (!xp)
            replies = ip->IcmpSendEcho2Ex(handle, from, to, kEchoPayload, sizeof kEchoPayload, kEchoReplyBytes,
                                          &reply, kEchoTimeoutMs);
        answered = replies > 0 && reply.Status == IP_SUCCESS;
    }
    // 4.
    ip->IcmpCloseHandle(handle);
    ip->FreeIpHelper();
    LogF(LOG_MEMORY, L"SendIcmpEcho", L"free memory for: ReplyBuffer at %#x.", static_cast<unsigned>(Address(&reply)));
    return answered;
}

bool CheckDefaultGWLinkstate(const std::string& gateway)
{
    bool answered = SendIcmpEcho(gateway, "0.0.0.0");
    LogF(LOG_FUNC, L"CheckDefaultGWLinkstate", L"Connect to default gateway: %ls, Result: %ls.", Widen(gateway).c_str(),
         TrueFalse(answered));
    return answered;
}

bool CheckDefaultGWLinkstateXP(const std::wstring& gateway)
{
    // 1. An empty ARP cache, so that the ping really asks the gateway.
    RunHiddenCommand(L"arp -d", L"");
    // 2. The system's ping, its output into the result file.
    std::wstring ping = L"ping " + gateway + L" > " + kPingResultFile;
    if (ping.size() < kShortCommandChars) RunHiddenCommand(ping, L"");
    // 3. A reply line carries "TTL=".
    bool found = false;
    if (std::optional<std::string> bytes = Os().files->ReadFile(kPingResultFile, kPingResultBytes)) {
        std::wstring text = Os().system->MultiByteToWideChar(*bytes).substr(0, 2048);
        found = text.find(L"TTL=") != std::wstring::npos;
    }
    // 4.
    RunHiddenCommand(L"del.exe", kPingResultFile);
    // 5.
    LogF(LOG_FUNC, L"CheckDefaultGWLinkstate", L"Connect to default gateway: %ls, Result: %ls.", gateway.c_str(),
         TrueFalse(found));
    return found;
}

bool CheckInternetLinkstate(const std::string& address)
{
    bool answered = SendIcmpEcho(kPublicInternetHost, address);
    g_bInternetOk = answered ? 1 : 0;
    LogF(LOG_FUNC, L"CheckInternetLinkstate", L"Connect to Internet: %ls.", TrueFalse(answered));
    return answered;
}

void CheckInternetLinkstateXP(int adapters, const std::wstring& gateway)
{
    // 1. With another adapter on a network, lead the default route through ours.
    const bool several = adapters > 1;
    std::wstring route = L"route change 0.0.0.0 mask 0.0.0.0 " + gateway;
    if (several && route.size() < kShortCommandChars) RunHiddenCommand(route, L"");
    // 2.
    bool answered = SendIcmpEcho(kPublicInternetHost, "0.0.0.0");
    g_bInternetOk = answered ? 1 : 0;
    LogF(LOG_FUNC, L"CheckInternetLinkstateXP", L"Connect to Internet: %ls.", TrueFalse(answered));
    // 3. New leases give every adapter its own default route back.
    if (several) {
        RunHiddenCommand(L"ipconfig.exe", L"/release");
        RunHiddenCommand(L"ipconfig.exe", L"/renew");
    }
}

void RunHiddenCommand(const std::wstring& command, const std::wstring& arguments)
{
    // 1. The command interpreter.
    std::wstring interpreter = L"CMD.EXE";
    if (std::optional<std::wstring> comspec = Os().system->GetEnvironmentVariableW(L"COMSPEC")) interpreter = *comspec;
    // 2. A command line that does not fit is not run at all: a cut one would be another command.
    std::wstring line = interpreter + L" /c " + command + L" " + arguments;
    if (line.size() >= kCommandLineChars) return;
    // 3. Hidden, and waited for without a limit (a stopped worker stops waiting).
    LONG error = 0;
    PROCESS_HANDLE process = Os().processes->CreateProcessW(line, SW_HIDE, &error);
    if (!process) return;
    Os().processes->WaitForSingleObject(process, INFINITE);
    Os().processes->CloseHandle(process);
}
