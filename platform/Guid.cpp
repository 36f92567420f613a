#include "platform/Guid.h"

#include <cstdio>
#include <cwctype>

std::wstring StringFromGUID2(const GUID& g)
{
    wchar_t buffer[40];
    std::swprintf(buffer, 40, L"{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.Data1, g.Data2, g.Data3,
                  g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return buffer;
}

std::optional<GUID> GuidFromString(const std::wstring& text)
{
    std::wstring t = text;
    if (t.size() == 38 && t.front() == L'{' && t.back() == L'}') t = t.substr(1, 36);
    if (t.size() != 36) return std::nullopt;
    std::wstring hex;
    for (std::size_t i = 0; i < t.size(); ++i) {
        bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        if (dash != (t[i] == L'-')) return std::nullopt;
        if (!dash) {
            if (!std::iswxdigit(t[i])) return std::nullopt;
            hex += t[i];
        }
    }
    auto part = [&](std::size_t at, std::size_t n) { return std::stoull(hex.substr(at, n), nullptr, 16); };
    GUID g;
    g.Data1 = static_cast<std::uint32_t>(part(0, 8));
    g.Data2 = static_cast<std::uint16_t>(part(8, 4));
    g.Data3 = static_cast<std::uint16_t>(part(12, 4));
    for (int i = 0; i < 8; ++i) g.Data4[i] = static_cast<std::uint8_t>(part(16 + 2 * i, 2));
    return g;
}
