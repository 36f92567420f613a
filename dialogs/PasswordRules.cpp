#include "dialogs/PasswordRules.h"

namespace {

bool AllHexDigits(const std::wstring& key)
{
    for (wchar_t c : key) {
        const bool hex = (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
        if (!hex) return false;
    }
    return true;
}

}  // namespace

bool IsKeyValid(const std::wstring& key, int mode, int auth, int cipher)
{
    const std::size_t n = key.size();
    if (n == 0) return mode == PasswordModeSecurity;
    if (auth == 1) {
        if (cipher != 257) return true;
        if (n == 5 || n == 13) return true;
        if (n == 10 || n == 26) return AllHexDigits(key);
        return false;
    }
    if (n < 8 || n > 64) return false;
    if (n < 64) return true;
    return AllHexDigits(key);
}

SecurityChoice SecurityFromSelection(const std::wstring& key, int selection)
{
    if (key.empty()) return {1, 0};
    switch (selection) {
    case SecurityWpa: return {4, 2};
    case SecurityWep: return {1, 257};
    default: return {7, 4};
    }
}

ConnectTarget ConnectTargetForSecurityPage(const std::wstring& key, int selection, bool xp)
{
    const int slowChecks = xp ? 32 : 20;
    const int quickChecks = xp ? 10 : 5;
    if (key.empty()) return {1, 0, slowChecks};
    switch (selection) {
    case SecurityWpa2: return {7, xp ? 2 : 4, quickChecks};
    case SecurityWpa: return {4, xp ? 4 : 2, quickChecks};
    case SecurityWep: return {1, 257, slowChecks};
    default: return {7, 4, slowChecks};
    }
}

bool SecurityPageKeyAcceptable(const std::wstring& key, int selection)
{
    const std::size_t n = key.size();
    if (n != 0 && n != 5 && (n < 8 || n > 64)) return false;
    // A Next that arrives while the key does not fit (Enter in the key box) changes
    // nothing, as the disabled button says.
    const SecurityChoice s = SecurityFromSelection(key, selection);
    return IsKeyValid(key, PasswordModeSecurity, s.auth, s.cipher);
}

std::wstring DoubleAmpersands(const std::wstring& text)
{
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        out += c;
        if (c == L'&') out += L'&';
    }
    return out;
}
