#pragma once
// Process creation and waiting for a process.
#include <cstdint>
#include <string>

#include "platform/Win32Types.h"

using PROCESS_HANDLE = std::uintptr_t;

constexpr DWORD INFINITE = 0xFFFFFFFF;
constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_TIMEOUT = 258;
// The waiting worker was asked to stop before the process ended.
constexpr DWORD WAIT_STOPPED = 0xFFFFFFFE;

class Processes {
public:
    virtual ~Processes() = default;
    // CreateProcessW without an application name: the program is the command line's
    // first word. 0 (and *lastError) when it cannot be started.
    virtual PROCESS_HANDLE CreateProcessW(const std::wstring& commandLine, int showCommand, LONG* lastError) = 0;
    virtual DWORD WaitForSingleObject(PROCESS_HANDLE process, DWORD timeoutMs) = 0;
    virtual BOOL CloseHandle(PROCESS_HANDLE process) = 0;
};
