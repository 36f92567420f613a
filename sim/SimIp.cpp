// The simulated PC's IP configuration, ICMP echo and the command interpreter's network
// commands (arp, ping, route, ipconfig, del).
#include <algorithm>
#include <cwctype>

#include "platform/Text.h"
#include "sim/SimHardware.h"

namespace sim {

namespace {

constexpr DWORD ERROR_NO_DATA_CODE = 232;
// An echo that is answered comes back after this long; a silent one costs its time-out.
constexpr std::int64_t kEchoAnswerMs = 2;
// The reply buffer must hold the platform's reply record, the data and 8 bytes of ICMP error.
constexpr DWORD kEchoReplyRecordBytes = 28;
// ping.exe: four echoes, a second apart when answered, four seconds each when not.
constexpr int kPingCount = 4;
constexpr std::int64_t kPingAnsweredMs = 3000, kPingTimeoutMs = 4000;
constexpr std::size_t kCommandHistory = 20;

std::wstring W(const std::string& utf8) { return Utf8ToWide(utf8); }

bool IsXp(const Scenario& s) { return s.os.version.rfind("5.", 0) == 0; }

int Octet(IPAddr a, int i) { return static_cast<int>((a >> (8 * i)) & 0xFF); }

std::string DottedText(IPAddr a)
{
    return std::to_string(Octet(a, 0)) + "." + std::to_string(Octet(a, 1)) + "." + std::to_string(Octet(a, 2)) + "." +
           std::to_string(Octet(a, 3));
}

// Addresses beyond every private, link-local, loopback and multicast range.
bool IsPublic(IPAddr a)
{
    int o0 = Octet(a, 0), o1 = Octet(a, 1);
    if (o0 == 0 || o0 == 10 || o0 == 127 || o0 >= 224) return false;
    if (o0 == 169 && o1 == 254) return false;
    if (o0 == 172 && o1 >= 16 && o1 <= 31) return false;
    if (o0 == 192 && o1 == 168) return false;
    return true;
}

bool Usable(const std::string& address)
{
    IPAddr a = InetAddr(address);
    return a != INADDR_NONE && Octet(a, 0) != 0 && Octet(a, 0) != 169;
}

std::vector<std::wstring> Words(const std::wstring& text)
{
    std::vector<std::wstring> words;
    std::wstring cur;
    for (wchar_t c : text) {
        if (std::iswspace(c)) {
            if (!cur.empty()) words.push_back(cur);
            cur.clear();
        } else cur += c;
    }
    if (!cur.empty()) words.push_back(cur);
    return words;
}

std::string PingOutput(const std::string& target, bool answers)
{
    std::string out = "\r\nPinging " + target + " with 32 bytes of data:\r\n";
    for (int i = 0; i < kPingCount; ++i)
        out += answers ? "Reply from " + target + ": bytes=32 time=1ms TTL=64\r\n" : "Request timed out.\r\n";
    int got = answers ? kPingCount : 0;
    out += "\r\nPing statistics for " + target + ":\r\n    Packets: Sent = 4, Received = " + std::to_string(got) +
           ", Lost = " + std::to_string(kPingCount - got) + " (" + (answers ? "0" : "100") + "% loss),\r\n";
    if (answers)
        out += "Approximate round trip times in milli-seconds:\r\n    Minimum = 1ms, Maximum = 1ms, Average = 1ms\r\n";
    return out;
}

}  // namespace

// ---- IP configuration --------------------------------------------------------------------

SimHardware::IpConfig SimHardware::AdapterIpLocked()
{
    IpConfig c;
    if (m_associated < 0) return c;
    const NetworkSettings& n = m_networks[static_cast<std::size_t>(m_associated)];
    if (m_scenario.adapter.address != "dhcp") {
        c.dhcp = false;
        c.address = m_scenario.adapter.address;
        c.mask = "255.255.255.0";
        if (n.dhcp.mode == "address") c.gateway = n.dhcp.gateway;
        return c;
    }
    if (m_addressesReleased) return c;
    if (n.dhcp.mode == "address") {
        c.address = n.dhcp.address;
        c.mask = "255.255.255.0";
        c.gateway = n.dhcp.gateway;
    } else if (n.dhcp.mode == "autoconfig") {
        // Windows picks its automatic private address from the adapter's identity.
        unsigned sum = 0;
        for (char ch : m_scenario.adapter.netCfgInstanceId) sum = sum * 31 + static_cast<unsigned char>(ch);
        c.address = "169.254." + std::to_string(1 + sum % 254) + "." + std::to_string(1 + (sum / 254) % 254);
        c.mask = "255.255.0.0";
    }
    return c;
}

std::vector<IP_ADAPTER_INFO> SimHardware::AdaptersLocked()
{
    std::vector<IP_ADAPTER_INFO> list;
    for (const DeviceSettings& d : m_scenario.devices) {
        if (d.netCfgInstanceId.empty()) continue;  // no driver: not in the IP configuration
        IP_ADAPTER_INFO a;
        a.AdapterName = d.netCfgInstanceId;
        a.Description = d.description;
        if (!d.address.empty() && !m_addressesReleased) {
            a.IpAddress = d.address;
            a.IpMask = "255.255.255.0";
            a.Gateway = d.gateway;
        }
        list.push_back(a);
    }
    if (AdapterUsableLocked()) {
        IpConfig ip = AdapterIpLocked();
        IP_ADAPTER_INFO a;
        a.AdapterName = m_scenario.adapter.netCfgInstanceId;
        a.Description = m_scenario.adapter.description;
        a.IpAddress = ip.address;
        a.IpMask = ip.mask;
        a.Gateway = ip.gateway;
        a.DhcpEnabled = ip.dhcp ? TRUE : FALSE;
        list.push_back(a);
    }
    return list;
}

// Whether an echo to destination, sent from source (0: as the routes choose), is answered.
// The wireless network's gateway answers by its flags; the public internet lies behind
// it. The PC's other devices reach their own gateway and nothing beyond it.
bool SimHardware::AnswersLocked(IPAddr destination, IPAddr source)
{
    std::vector<IP_ADAPTER_INFO> adapters = AdaptersLocked();
    bool fromOwn = source == 0;
    for (const IP_ADAPTER_INFO& a : adapters)
        if (a.IpAddress != "0.0.0.0" && InetAddr(a.IpAddress) == source) fromOwn = true;
    if (!fromOwn) return false;
    for (const IP_ADAPTER_INFO& a : adapters)
        if (a.IpAddress != "0.0.0.0" && InetAddr(a.IpAddress) == destination) return true;

    IpConfig ip = AdapterIpLocked();
    bool wireless = m_associated >= 0 && Usable(ip.address) && !ip.gateway.empty();
    bool gatewayWorks = false, internet = false;
    if (wireless) {
        const NetworkSettings& n = m_networks[static_cast<std::size_t>(m_associated)];
        gatewayWorks = n.gatewayAnswers && m_gatewayUp;
        internet = gatewayWorks && n.internet && m_internetUp;
        if (destination == InetAddr(ip.gateway)) return gatewayWorks;
    }
    bool otherRoute = false;
    for (const IP_ADAPTER_INFO& a : adapters) {
        if (a.AdapterName == m_scenario.adapter.netCfgInstanceId || a.IpAddress == "0.0.0.0" || a.Gateway.empty())
            continue;
        if (destination == InetAddr(a.Gateway)) return true;
        otherRoute = true;
    }
    if (!IsPublic(destination) || !wireless) return false;
    bool viaAdapter = source != 0 ? source == InetAddr(ip.address) : (m_routeViaAdapter || !otherRoute);
    return viaAdapter && internet;
}

bool SimHardware::LoadIpHelper()
{
    std::lock_guard lock(m_mutex);
    m_ipHelperLoaded = true;
    return true;
}

bool SimHardware::HasExport(const char* name)
{
    std::string n = name ? name : "";
    // IcmpSendEcho2Ex came after Windows XP.
    if (n == "IcmpSendEcho2Ex") return !IsXp(m_scenario);
    return n == "GetAdaptersInfo" || n == "IcmpCreateFile" || n == "IcmpCloseHandle" || n == "IcmpSendEcho" ||
           n == "IcmpSendEcho2";
}

void SimHardware::FreeIpHelper()
{
    std::lock_guard lock(m_mutex);
    m_ipHelperLoaded = false;
}

DWORD SimHardware::GetAdaptersInfo(std::vector<IP_ADAPTER_INFO>* adapters, ULONG* sizeBytes)
{
    std::lock_guard lock(m_mutex);
    if (!sizeBytes) return ERROR_INVALID_PARAMETER;
    UpdateAirLocked();
    std::vector<IP_ADAPTER_INFO> list = AdaptersLocked();
    if (list.empty()) return ERROR_NO_DATA_CODE;
    ULONG need = static_cast<ULONG>(list.size()) * kIpAdapterInfoBytes;
    if (!adapters || *sizeBytes < need) {
        *sizeBytes = need;
        return ERROR_BUFFER_OVERFLOW;
    }
    *adapters = std::move(list);
    return ERROR_SUCCESS;
}

ICMP_HANDLE SimHardware::IcmpCreateFile()
{
    std::lock_guard lock(m_mutex);
    ICMP_HANDLE h = m_nextIcmp += 4;
    m_icmpHandles[h] = true;
    return h;
}

BOOL SimHardware::IcmpCloseHandle(ICMP_HANDLE handle)
{
    std::lock_guard lock(m_mutex);
    return m_icmpHandles.erase(handle) ? TRUE : FALSE;
}

DWORD SimHardware::EchoOnce(ICMP_HANDLE handle, IPAddr source, IPAddr destination, WORD dataSize, DWORD replySize,
                            ICMP_ECHO_REPLY* reply, DWORD timeoutMs)
{
    bool answers;
    {
        std::lock_guard lock(m_mutex);
        if (!m_icmpHandles.count(handle) || !reply || destination == INADDR_NONE) return 0;
        if (replySize < kEchoReplyRecordBytes + dataSize + 8) return 0;
        UpdateAirLocked();
        answers = AnswersLocked(destination, source);
        TraceLocked("echo to " + DottedText(destination) + " from " + DottedText(source) + ": " +
                    (answers ? "answered" : "silent"));
    }
    // The wait happens outside the PC's lock, on the runtime's clock.
    if (answers && rt::Sleep(kEchoAnswerMs)) {
        reply->Address = destination;
        reply->Status = IP_SUCCESS;
        reply->RoundTripTime = 1;
        reply->DataSize = dataSize;
        return 1;
    }
    if (!answers) rt::Sleep(timeoutMs);
    reply->Address = 0;
    reply->Status = IP_REQ_TIMED_OUT;
    return 0;
}

DWORD SimHardware::IcmpSendEcho(ICMP_HANDLE handle, IPAddr destination, const void*, WORD dataSize, DWORD replySize,
                                ICMP_ECHO_REPLY* reply, DWORD timeoutMs)
{
    return EchoOnce(handle, 0, destination, dataSize, replySize, reply, timeoutMs);
}

DWORD SimHardware::IcmpSendEcho2(ICMP_HANDLE handle, IPAddr destination, const void*, WORD dataSize, DWORD replySize,
                                 ICMP_ECHO_REPLY* reply, DWORD timeoutMs)
{
    return EchoOnce(handle, 0, destination, dataSize, replySize, reply, timeoutMs);
}

DWORD SimHardware::IcmpSendEcho2Ex(ICMP_HANDLE handle, IPAddr source, IPAddr destination, const void*, WORD dataSize,
                                   DWORD replySize, ICMP_ECHO_REPLY* reply, DWORD timeoutMs)
{
    if (IsXp(m_scenario)) return 0;  // not in this system's library
    return EchoOnce(handle, source, destination, dataSize, replySize, reply, timeoutMs);
}

// ---- The command interpreter ---------------------------------------------------------------------

// "<interpreter> /c <command> <arguments>": the interpreter is the scenario's COMSPEC or
// CMD.EXE. Anything else is not the interpreter (false).
bool SimHardware::StartCommandLocked(const std::wstring& commandLine, PROCESS_HANDLE* handle)
{
    std::wstring line = commandLine;
    if (!line.empty() && line.front() == L'"') {
        std::size_t close = line.find(L'"', 1);
        if (close == std::wstring::npos) return false;
        line = line.substr(1, close - 1) + line.substr(close + 1);
    }
    std::wstring lower = LowerCase(line);
    std::size_t rest = std::wstring::npos;
    for (const std::wstring& interp : {LowerCase(W(m_scenario.os.comspec)), std::wstring(L"cmd.exe"), std::wstring(L"cmd")})
        if (!interp.empty() && lower.rfind(interp + L" /c ", 0) == 0) {
            rest = interp.size() + 4;
            break;
        }
    if (rest == std::wstring::npos) return false;

    Process p;
    p.isCommand = true;
    p.program = line.substr(0, rest - 4);
    // The words, with "> FILE" taken out as the output's destination.
    std::vector<std::wstring> words = Words(line.substr(rest));
    for (std::size_t i = 0; i < words.size(); ++i) {
        std::size_t gt = words[i].find(L'>');
        if (gt == std::wstring::npos) {
            p.command.push_back(words[i]);
            continue;
        }
        if (gt > 0) p.command.push_back(words[i].substr(0, gt));
        std::wstring target = words[i].substr(gt + 1);
        if (target.empty() && i + 1 < words.size()) target = words[++i];
        p.redirect = target;
    }
    std::wstring verb = p.command.empty() ? L"" : LowerCase(p.command[0]);
    if (verb.size() > 4 && verb.substr(verb.size() - 4) == L".exe") verb.resize(verb.size() - 4);
    std::int64_t takes = 100;
    if (verb == L"ping") {
        std::string target = p.command.size() > 1 ? WideToUtf8(p.command[1]) : "";
        IPAddr a = InetAddr(target);
        if (a == INADDR_NONE) {
            p.output = "Ping request could not find host " + target + ". Please check the name and try again.\r\n";
        } else {
            UpdateAirLocked();
            bool answers = AnswersLocked(a, 0);
            p.output = PingOutput(target, answers);
            takes = answers ? kPingAnsweredMs : kPingCount * kPingTimeoutMs;
        }
    } else if (verb == L"ipconfig") {
        std::wstring arg = p.command.size() > 1 ? LowerCase(p.command[1]) : L"";
        takes = arg == L"/renew" ? 3000 : 1000;
    }
    m_commandsRun.push_back(WideToUtf8(line.substr(rest)));
    if (m_commandsRun.size() > kCommandHistory) m_commandsRun.erase(m_commandsRun.begin());
    p.endsAt = rt::NowMs() + takes;
    *handle = m_nextProcess += 4;
    m_processes[*handle] = p;
    return true;
}

void SimHardware::FinishCommandLocked(Process& p)
{
    UpdateAirLocked();
    std::vector<std::wstring> args;
    for (const std::wstring& w : p.command) args.push_back(LowerCase(w));
    std::wstring verb = args.empty() ? L"" : args[0];
    if (verb.size() > 4 && verb.substr(verb.size() - 4) == L".exe") verb.resize(verb.size() - 4);
    if (verb == L"route" && args.size() == 6 && args[1] == L"change" && args[2] == L"0.0.0.0" && args[3] == L"mask" &&
        args[4] == L"0.0.0.0") {
        IpConfig ip = AdapterIpLocked();
        std::string gw = WideToUtf8(args[5]);
        if (!ip.gateway.empty() && gw == ip.gateway) m_routeViaAdapter = true;
        else p.output = " The route change failed: Element not found.\r\n";
    } else if (verb == L"ipconfig" && args.size() > 1 && args[1] == L"/release") {
        m_addressesReleased = true;
        m_routeViaAdapter = false;
    } else if (verb == L"ipconfig" && args.size() > 1 && args[1] == L"/renew") {
        m_addressesReleased = false;
        m_routeViaAdapter = false;  // the leases bring back each adapter's own default route
    } else if (verb == L"del" || verb == L"erase") {
        for (std::size_t i = 1; i < p.command.size(); ++i)
            if (!m_files.DeleteFileW(p.command[i])) p.output += "Could not find " + WideToUtf8(p.command[i]) + "\r\n";
    } else if (verb == L"arp" && args.size() > 1 && args[1] == L"-d") {
        // The ARP cache is emptied; nothing in this world remembers addresses.
    } else if (verb != L"ping" && verb != L"arp" && verb != L"ipconfig" && !verb.empty()) {
        // The interpreter's complaint goes to the error stream, not into a redirected file.
        m_commandsRun.push_back("'" + WideToUtf8(p.command[0]) + "' is not recognized as an internal or external command");
    }
    if (!p.redirect.empty())
        if (auto file = m_files.CreateFileForWriting(p.redirect)) file->Write(p.output.data(), p.output.size());
}

}  // namespace sim
