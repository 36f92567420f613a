#pragma once
#include <memory>
#include <string>

#include "platform/Win32Types.h"

class MutexHandle {
public:
    virtual ~MutexHandle() = default;
};

// CreateMutexW: *lastError is ERROR_ALREADY_EXISTS when another process holds the name.
class NamedMutex {
public:
    virtual ~NamedMutex() = default;
    virtual std::unique_ptr<MutexHandle> CreateMutexW(const std::wstring& name,
                                                      LONG* lastError) = 0;
};
