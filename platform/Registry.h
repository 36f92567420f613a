#pragma once
#include <string>

#include "platform/Win32Types.h"

enum class HKEY_ROOT { HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER };

// The registry, by root and subkey path (key names compare without regard to case,
// a trailing backslash names the same key). Values are REG_SZ texts.
class Registry {
public:
    virtual ~Registry() = default;

    // ERROR_SUCCESS when the key exists, ERROR_FILE_NOT_FOUND otherwise.
    virtual LONG RegOpenKeyExW(HKEY_ROOT root, const std::wstring& subKey) = 0;
    // Creates the key and its missing parents.
    virtual LONG RegCreateKeyExW(HKEY_ROOT root, const std::wstring& subKey) = 0;
    // Reads a REG_SZ value into a buffer of bufferBytes bytes: ERROR_MORE_DATA when it
    // does not fit, ERROR_FILE_NOT_FOUND when key or value is missing. *bytes = data size.
    virtual LONG RegQueryValueExW(HKEY_ROOT root, const std::wstring& subKey,
                                  const std::wstring& name, std::wstring* data,
                                  DWORD bufferBytes, DWORD* bytes = nullptr) = 0;
    // Writes a REG_SZ value of byteCount bytes of the text (2 bytes a character).
    virtual LONG RegSetValueExW(HKEY_ROOT root, const std::wstring& subKey,
                                const std::wstring& name, const std::wstring& data,
                                DWORD byteCount) = 0;
    // ERROR_FILE_NOT_FOUND when key or value is missing.
    virtual LONG RegDeleteValueW(HKEY_ROOT root, const std::wstring& subKey, const std::wstring& name) = 0;
    virtual LONG RegFlushKey(HKEY_ROOT root) = 0;
};
