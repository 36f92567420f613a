#include "wlan/ProfileXml.h"

SharedText g_strProfileXml;

namespace {

bool XmlCharacter(wchar_t c)
{
    const auto u = static_cast<std::uint32_t>(c);
    if (u == 0x9 || u == 0xA || u == 0xD) return true;
    if (u < 0x20) return false;
    if (u >= 0xD800 && u <= 0xDFFF) return false;
    if (u == 0xFFFE || u == 0xFFFF) return false;
    return u <= 0x10FFFF;
}

const wchar_t* AuthenticationPiece(DWORD auth)
{
    switch (auth) {
    case 2: return L"shared</authentication><encryption>";
    case 3: case 5: return L"WPA</authentication><encryption>";
    case 4: return L"WPAPSK</authentication><encryption>";
    case 6: return L"WPA2</authentication><encryption>";
    case 7: return L"WPA2PSK</authentication><encryption>";
    default: return L"open</authentication><encryption>";  // 1 and every unknown value
    }
}

// The encryption element's value for a keyed cipher, or null for a cipher without a key.
const wchar_t* KeyedEncryption(DWORD cipher)
{
    switch (cipher) {
    case 1: case 4: case 5: case 256: return L"AES";
    case 2: return L"TKIP";
    case 257: return L"WEP";
    default: return nullptr;
    }
}

constexpr const wchar_t* kClose = L"</security></MSM></WLANProfile>";

}  // namespace

bool EscapeProfileText(const std::wstring& text, std::wstring& out)
{
    std::wstring escaped;
    escaped.reserve(text.size() + 16);
    for (wchar_t c : text) {
        if (!XmlCharacter(c)) return false;
        switch (c) {
        case L'&': escaped += L"&amp;"; break;
        case L'\'': escaped += L"&apos;"; break;
        case L'"': escaped += L"&quot;"; break;
        case L'<': escaped += L"&lt;"; break;
        case L'>': escaped += L"&gt;"; break;
        case L'\t': escaped += L"&#x9;"; break;
        case L'\n': escaped += L"&#xA;"; break;
        case L'\r': escaped += L"&#xD;"; break;
        default: escaped += c; break;
        }
    }
    out = std::move(escaped);
    return true;
}

bool BuildWLANProfileXml(const std::wstring& key, const std::wstring& ssid, DWORD cipher, DWORD auth,
                         std::wstring& xml)
{
    if (ssid.empty()) return false;
    std::wstring name;
    if (!EscapeProfileText(ssid, name)) return false;

    std::wstring doc = L"<?xml version=\"1.0\" encoding=\"US-ASCII\"?><WLANProfile xmlns=\"";
    doc += kWlanProfileNamespace;
    doc += L"\"><name>" + name + L"</name><SSIDConfig><SSID><name>" + name +
           L"</name></SSID><nonBroadcast>true</nonBroadcast></SSIDConfig>"
           L"<connectionType>ESS</connectionType><connectionMode>auto</connectionMode>"
           L"<autoSwitch>true</autoSwitch><MSM><security><authEncryption><authentication>";
    doc += AuthenticationPiece(auth);

    const wchar_t* encryption = KeyedEncryption(cipher);
    if (!encryption) {
        // No key goes into the document, whatever was typed.
        doc += L"none</encryption><useOneX>false</useOneX></authEncryption>";
        doc += kClose;
        xml = std::move(doc);
        return true;
    }
    if (key.empty()) return false;
    std::wstring material;
    if (!EscapeProfileText(key, material)) return false;
    // The key type follows the key as typed: 64 characters are a hexadecimal key, even
    // when a shorter pass phrase grows to 64 characters by its escapes.
    const bool networkKey = cipher == 257 || key.size() == 64;
    doc += encryption;
    doc += L"</encryption><useOneX>false</useOneX></authEncryption><sharedKey><keyType>";
    doc += networkKey ? L"networkKey" : L"passPhrase";
    doc += L"</keyType><protected>false</protected><keyMaterial>" + material + L"</keyMaterial></sharedKey>";
    doc += kClose;
    xml = std::move(doc);
    return true;
}

bool MakeWLANProfileXml(const std::wstring& key, const std::wstring& ssid, DWORD cipher, DWORD auth)
{
    std::wstring xml;
    if (!BuildWLANProfileXml(key, ssid, cipher, auth, xml)) return false;
    g_strProfileXml.Set(xml);
    return true;
}

std::wstring MaskedKey(const std::wstring& key) { return std::wstring(key.size(), L'*'); }
