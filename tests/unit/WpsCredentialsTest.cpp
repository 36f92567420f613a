// The credentials of a WPS profile record as the connect takes them: the security values
// from WPS numbering and the limits of the converted texts.
#include <gtest/gtest.h>

#include <cstring>

#include "wps/WpsCredentials.h"
#include "wps/WpsManager.h"

namespace {

WpsProfileRecord Record(const std::string& ssid, const std::string& key, DWORD auth = 0x20, DWORD enc = 0x08)
{
    WpsProfileRecord r{};
    std::memcpy(r.bytes + wpsprofile::kSsid, ssid.data(), std::min<std::size_t>(ssid.size(), 32));
    std::memcpy(r.bytes + wpsprofile::kAuthType, &auth, 4);
    std::memcpy(r.bytes + wpsprofile::kEncryption, &enc, 4);
    std::memcpy(r.bytes + wpsprofile::kKey, key.data(), std::min(key.size(), sizeof r.bytes - wpsprofile::kKey));
    return r;
}

// One byte one character, as code page 1252 reads ASCII.
std::wstring Latin(const std::string& s) { return std::wstring(s.begin(), s.end()); }

// A code page whose characters take two UTF-16 units each: the converted length, not
// the byte count, decides.
std::wstring Doubled(const std::string& s)
{
    std::wstring out;
    for (char c : s) out += {static_cast<wchar_t>(c), static_cast<wchar_t>(c)};
    return out;
}

}  // namespace

TEST(WpsCredentials, SecurityFromWpsTypesTable)
{
    struct Case {
        DWORD authType, encryptionType;
        int auth, cipher;  // from auth 99, cipher 98
    } cases[] = {
        {0x0002, 0x0004, 4, 2},      // WPA-Personal, TKIP
        {0x0008, 0x0004, 3, 2},      // WPA-Enterprise
        {0x0010, 0x0008, 6, 4},      // WPA2-Enterprise, AES
        {0x0020, 0x0008, 7, 4},      // WPA2-Personal, AES
        {0x0020, 0x0002, 0, 0x101},  // WEP forces open authentication
        {0x0002, 0x0002, 0, 0x101},  // even when the authentication named WPA
        {0x0001, 0x0001, 99, 98},    // open / none: unknown here, both left as they were
        {0x0004, 0x0008, 99, 4},     // an unknown authentication keeps the old one
        {0x0020, 0x0010, 7, 98},     // an unknown encryption keeps the old cipher
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.authType << " " << c.encryptionType);
        int auth = 99, cipher = 98;
        SecurityFromWpsTypes(c.authType, c.encryptionType, auth, cipher);
        EXPECT_EQ(auth, c.auth);
        EXPECT_EQ(cipher, c.cipher);
        CWpsManager manager;
        manager.SetSecurityFromProfile(c.authType, c.encryptionType);
        EXPECT_EQ(manager.Auth(), c.auth == 99 ? 0 : c.auth);
        EXPECT_EQ(manager.Cipher(), c.cipher == 98 ? 0 : c.cipher);
    }
}

TEST(WpsCredentials, ConversionLimits)
{
    struct Case {
        const char* what;
        std::string ssid, key;
        bool doubled;
        std::wstring wantSsid, wantKey;
        bool hasKey;
    } cases[] = {
        {"ordinary", "Home", "correct horse", false, L"Home", L"correct horse", true},
        {"open network", "Cafe", "", false, L"Cafe", L"", false},
        {"32-byte SSID without terminator", std::string(32, 'S'), "k", false, std::wstring(32, L'S'), L"k", true},
        {"SSID of 16 bytes converting to 32 characters fits 34", std::string(16, 'a'), "k", true,
         std::wstring(32, L'a'), L"kk", true},
        {"SSID converting to 34 characters (35 with terminator) is dropped", std::string(17, 'a'), "k", true, L"",
         L"kk", true},
        {"key of 64 characters is kept", "N", std::string(64, 'K'), false, L"N", std::wstring(64, L'K'), true},
        {"key of 100 characters is cut to 64", "N", std::string(100, 'K'), false, L"N", std::wstring(64, L'K'), true},
        {"key of 127 characters fits 128", "N", std::string(127, 'K'), false, L"N", std::wstring(64, L'K'), true},
        {"key of 128 characters is dropped", "N", std::string(128, 'K'), false, L"N", L"", true},
        {"key filling the record without terminator is dropped", "N", std::string(940, 'K'), false, L"N", L"", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WpsCredentials got = ReadWpsCredentials(Record(c.ssid, c.key), c.doubled ? Doubled : Latin);
        EXPECT_EQ(got.ssid, c.wantSsid);
        EXPECT_EQ(got.key, c.wantKey);
        EXPECT_EQ(got.hasKey, c.hasKey);
        EXPECT_EQ(got.authType, 0x20u);
        EXPECT_EQ(got.encryptionType, 0x08u);
    }
}
