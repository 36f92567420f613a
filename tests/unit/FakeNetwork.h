#pragma once
// An IP Helper and a command interpreter of the tests' own, for the reachability checks:
// they answer from tables and write down every echo request and command line.
#include <set>
#include <string>
#include <vector>

#include "netcheck/Reachability.h"
#include "platform/Platform.h"
#include "platform/Text.h"
#include "runtime/Runtime.h"

namespace {

const std::string kAdapterId = "{5C4A2B1E-0D6F-4E8A-9B3C-7A1D2E3F4051}";

std::string Dotted(IPAddr a)
{
    return std::to_string(a & 0xFF) + "." + std::to_string((a >> 8) & 0xFF) + "." + std::to_string((a >> 16) & 0xFF) +
           "." + std::to_string(a >> 24);
}

// An IP Helper that answers from a table and writes down every echo request.
struct FakeIp : IpHelper {
    std::vector<IP_ADAPTER_INFO> adapters;
    std::set<std::string> answering;  // destinations that reply
    std::set<std::string> exports{"IcmpCreateFile", "IcmpCloseHandle", "IcmpSendEcho", "IcmpSendEcho2",
                                  "IcmpSendEcho2Ex"};
    bool libraryThere = true, adaptersFail = false, handleFails = false;
    std::vector<std::string> sends;  // "function to from"
    int loads = 0, frees = 0, opens = 0, closes = 0;

    bool LoadIpHelper() override { ++loads; return libraryThere; }
    bool HasExport(const char* name) override { return exports.count(name) > 0; }
    void FreeIpHelper() override { ++frees; }
    DWORD GetAdaptersInfo(std::vector<IP_ADAPTER_INFO>* out, ULONG* size) override
    {
        if (adaptersFail) return 87;
        ULONG need = static_cast<ULONG>(adapters.size()) * kIpAdapterInfoBytes;
        if (!out || *size < need) {
            *size = need;
            return ERROR_BUFFER_OVERFLOW;
        }
        *out = adapters;
        return ERROR_SUCCESS;
    }
    ICMP_HANDLE IcmpCreateFile() override { ++opens; return handleFails ? INVALID_ICMP_HANDLE : 7; }
    BOOL IcmpCloseHandle(ICMP_HANDLE) override { ++closes; return TRUE; }
    DWORD Answer(const char* fn, IPAddr from, IPAddr to, DWORD timeout, ICMP_ECHO_REPLY* reply)
    {
        sends.push_back(std::string(fn) + " " + Dotted(to) + " " + Dotted(from));
        bool answers = answering.count(Dotted(to)) > 0;
        if (!answers) rt::Sleep(timeout);
        reply->Status = answers ? IP_SUCCESS : IP_REQ_TIMED_OUT;
        return answers ? 1 : 0;
    }
    DWORD IcmpSendEcho(ICMP_HANDLE, IPAddr to, const void*, WORD, DWORD, ICMP_ECHO_REPLY* r, DWORD t) override
    {
        return Answer("IcmpSendEcho", 0, to, t, r);
    }
    DWORD IcmpSendEcho2(ICMP_HANDLE, IPAddr to, const void*, WORD, DWORD, ICMP_ECHO_REPLY* r, DWORD t) override
    {
        return Answer("IcmpSendEcho2", 0, to, t, r);
    }
    DWORD IcmpSendEcho2Ex(ICMP_HANDLE, IPAddr from, IPAddr to, const void*, WORD, DWORD, ICMP_ECHO_REPLY* r,
                          DWORD t) override
    {
        return Answer("IcmpSendEcho2Ex", from, to, t, r);
    }
};

// A command interpreter that writes down its command lines; its ping writes the result
// file, with reply lines when the address answers.
struct FakeProcesses : Processes {
    std::vector<std::wstring> lines;
    std::set<std::wstring> pingAnswers;
    bool startFails = false;
    PROCESS_HANDLE CreateProcessW(const std::wstring& line, int, LONG* error) override
    {
        lines.push_back(line);
        if (startFails) {
            *error = 2;
            return 0;
        }
        auto at = line.find(L"/c ping ");
        if (at != std::wstring::npos) {
            std::wstring address = line.substr(at + 8, line.find(L' ', at + 8) - at - 8);
            std::string out = "\r\nPinging " + WideToUtf8(address) + " with 32 bytes of data:\r\n";
            for (int i = 0; i < 4; ++i)
                out += pingAnswers.count(address) ? "Reply from " + WideToUtf8(address) + ": bytes=32 time=1ms TTL=64\r\n"
                                                  : std::string("Request timed out.\r\n");
            auto file = Os().files->CreateFileForWriting(kPingResultFile);
            file->Write(out.data(), out.size());
        }
        if (line.find(L"/c del.exe ") != std::wstring::npos) Os().files->DeleteFileW(kPingResultFile);
        return 11;
    }
    DWORD WaitForSingleObject(PROCESS_HANDLE, DWORD) override { return WAIT_OBJECT_0; }
    BOOL CloseHandle(PROCESS_HANDLE) override { return TRUE; }
};

IP_ADAPTER_INFO Adapter(const std::string& id, const std::string& address, const std::string& gateway)
{
    IP_ADAPTER_INFO a;
    a.AdapterName = id;
    a.IpAddress = address;
    a.Gateway = gateway;
    return a;
}

}  // namespace
