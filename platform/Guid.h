#pragma once
// GUIDs as the platform passes them: 16 bytes, written in registry form with braces.
#include <cstdint>
#include <optional>
#include <string>

struct GUID {
    std::uint32_t Data1 = 0;
    std::uint16_t Data2 = 0;
    std::uint16_t Data3 = 0;
    std::uint8_t Data4[8] = {};
    bool operator==(const GUID&) const = default;
};

// "{5C4A2B1E-0D6F-4E8A-9B3C-7A1D2E3F4051}", upper-case hex, as StringFromGUID2 writes it.
std::wstring StringFromGUID2(const GUID& guid);
// Reads the registry form (braces optional, hex in either case); nullopt when malformed.
std::optional<GUID> GuidFromString(const std::wstring& text);
