#include "sim/WlanProfileDoc.h"

#include <expat.h>

#include <memory>
#include <vector>

#include "platform/Text.h"
#include "platform/WlanLibrary.h"

namespace sim {

namespace {

constexpr char kNsSeparator = '\x01';
constexpr std::size_t kMaxDocumentChars = 64 * 1024;
constexpr std::size_t kMaxNameChars = 255;

struct Node {
    std::string ns, local, text;
    std::vector<std::unique_ptr<Node>> kids;
    Node* parent = nullptr;

    const Node* Child(const std::string& name) const
    {
        for (const auto& k : kids)
            if (k->local == name && k->ns == ns) return k.get();
        return nullptr;
    }
};

struct Reader {
    XML_Parser parser = nullptr;
    std::unique_ptr<Node> root;
    Node* current = nullptr;
    bool doctype = false;
};

void XMLCALL OnStart(void* data, const XML_Char* name, const XML_Char**)
{
    auto* r = static_cast<Reader*>(data);
    auto node = std::make_unique<Node>();
    std::string full = name;
    std::size_t sep = full.find(kNsSeparator);
    if (sep == std::string::npos) node->local = full;
    else {
        node->ns = full.substr(0, sep);
        node->local = full.substr(sep + 1);
    }
    node->parent = r->current;
    Node* raw = node.get();
    if (!r->current) r->root = std::move(node);
    else r->current->kids.push_back(std::move(node));
    r->current = raw;
}

void XMLCALL OnEnd(void* data, const XML_Char*)
{
    auto* r = static_cast<Reader*>(data);
    if (r->current) r->current = r->current->parent;
}

void XMLCALL OnText(void* data, const XML_Char* s, int len)
{
    auto* r = static_cast<Reader*>(data);
    if (r->current) r->current->text.append(s, static_cast<std::size_t>(len));
}

void XMLCALL OnDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int)
{
    auto* r = static_cast<Reader*>(data);
    r->doctype = true;
    XML_StopParser(r->parser, XML_FALSE);
}

std::string Trim(const std::string& s)
{
    std::size_t b = s.find_first_not_of(" \t\r\n"), e = s.find_last_not_of(" \t\r\n");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

class Refusal {
public:
    WlanProfileParse& out;
    bool Fail(DWORD reason, std::string problem)
    {
        out.ok = false;
        out.reasonCode = reason;
        out.problem = std::move(problem);
        return false;
    }
};

// An element the schema requires, by path from `from`.
const Node* Need(const Node* from, std::initializer_list<const char*> path)
{
    const Node* n = from;
    for (const char* step : path) {
        n = n ? n->Child(step) : nullptr;
        if (!n) return nullptr;
    }
    return n;
}

// xs:boolean: "true", "false", "1", "0", whitespace collapsed.
bool ReadBool(const Node* n, bool fallback, bool* value)
{
    if (!n) {
        *value = fallback;
        return true;
    }
    std::string t = Trim(n->text);
    if (t == "true" || t == "1") *value = true;
    else if (t == "false" || t == "0") *value = false;
    else return false;
    return true;
}

bool Compatible(const std::string& auth, const std::string& enc)
{
    if (auth == "open") return enc == "none" || enc == "WEP";
    if (auth == "shared") return enc == "WEP";
    return enc == "TKIP" || enc == "AES";  // the WPA family
}

bool ReadDocument(const Node& root, WlanProfile& p, Refusal& r)
{
    if (root.local != "WLANProfile" || root.ns != kWlanProfileNamespace)
        return r.Fail(WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA,
                      "the root element is not WLANProfile of the profile schema's namespace");
    const Node* name = root.Child("name");
    if (!name) return r.Fail(WLAN_REASON_CODE_INVALID_PROFILE_NAME, "the profile has no name");
    p.name = Utf8ToWide(name->text);
    if (p.name.empty() || p.name.size() > kMaxNameChars)
        return r.Fail(WLAN_REASON_CODE_INVALID_PROFILE_NAME, "the profile's name is empty or longer than 255 characters");

    const Node* ssid = Need(&root, {"SSIDConfig", "SSID"});
    if (!ssid) return r.Fail(WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA, "no SSIDConfig/SSID element");
    if (const Node* hex = ssid->Child("hex")) {
        std::string h = Trim(hex->text);
        if (h.size() % 2) return r.Fail(WLAN_REASON_CODE_BAD_PROFILE, "the SSID's hex has an odd number of digits");
        for (std::size_t i = 0; i < h.size(); i += 2) {
            int hi = HexDigit(h[i]), lo = HexDigit(h[i + 1]);
            if (hi < 0 || lo < 0) return r.Fail(WLAN_REASON_CODE_BAD_PROFILE, "the SSID's hex is not hexadecimal");
            p.ssid += static_cast<char>(hi * 16 + lo);
        }
    } else if (const Node* n = ssid->Child("name")) {
        p.ssid = n->text;  // the service keeps the name's UTF-8 bytes
    } else {
        return r.Fail(WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA, "the SSID element has neither hex nor name");
    }
    if (p.ssid.empty() || p.ssid.size() > DOT11_SSID_MAX_LENGTH)
        return r.Fail(WLAN_REASON_CODE_BAD_PROFILE, "the SSID is empty or longer than 32 bytes");
    if (!ReadBool(Need(&root, {"SSIDConfig", "nonBroadcast"}), false, &p.nonBroadcast))
        return r.Fail(WLAN_REASON_CODE_BAD_PROFILE, "nonBroadcast is not a boolean");

    const Node* type = root.Child("connectionType");
    if (!type) return r.Fail(WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA, "no connectionType element");
    p.connectionType = type->text;
    if (p.connectionType != "ESS" && p.connectionType != "IBSS")
        return r.Fail(WLAN_REASON_CODE_BAD_PROFILE, "unknown connectionType \"" + p.connectionType + "\"");
    if (const Node* mode = root.Child("connectionMode"); mode && mode->text != "auto" && mode->text != "manual")
        return r.Fail(WLAN_REASON_CODE_BAD_PROFILE, "unknown connectionMode \"" + mode->text + "\"");
    bool autoSwitch = false;
    if (!ReadBool(root.Child("autoSwitch"), false, &autoSwitch))
        return r.Fail(WLAN_REASON_CODE_BAD_PROFILE, "autoSwitch is not a boolean");

    const Node* ae = Need(&root, {"MSM", "security", "authEncryption"});
    const Node* auth = ae ? ae->Child("authentication") : nullptr;
    const Node* enc = ae ? ae->Child("encryption") : nullptr;
    if (!auth || !enc)
        return r.Fail(WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA, "no MSM/security/authEncryption with authentication and encryption");
    p.authentication = auth->text;
    p.encryption = enc->text;
    static const char* const kAuths[] = {"open", "shared", "WPA", "WPAPSK", "WPA2", "WPA2PSK"};
    static const char* const kEncs[] = {"none", "WEP", "TKIP", "AES"};
    bool knownAuth = false, knownEnc = false;
    for (const char* a : kAuths) knownAuth = knownAuth || p.authentication == a;
    for (const char* e : kEncs) knownEnc = knownEnc || p.encryption == e;
    if (!knownAuth) return r.Fail(WLAN_REASON_CODE_BAD_PROFILE, "unknown authentication \"" + p.authentication + "\"");
    if (!knownEnc) return r.Fail(WLAN_REASON_CODE_BAD_PROFILE, "unknown encryption \"" + p.encryption + "\"");
    if (!Compatible(p.authentication, p.encryption))
        return r.Fail(WLAN_REASON_CODE_BAD_PROFILE,
                      "authentication \"" + p.authentication + "\" cannot go with encryption \"" + p.encryption + "\"");
    if (!ReadBool(ae->Child("useOneX"), false, &p.useOneX))
        return r.Fail(WLAN_REASON_CODE_BAD_PROFILE, "useOneX is not a boolean");

    if (const Node* key = Need(&root, {"MSM", "security", "sharedKey"})) {
        const Node* kt = key->Child("keyType");
        const Node* km = key->Child("keyMaterial");
        if (!kt || !km) return r.Fail(WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA, "sharedKey lacks keyType or keyMaterial");
        p.keyType = kt->text;
        if (p.keyType != "networkKey" && p.keyType != "passPhrase")
            return r.Fail(WLAN_REASON_CODE_BAD_PROFILE, "unknown keyType \"" + p.keyType + "\"");
        if (!ReadBool(key->Child("protected"), false, &p.keyProtected))
            return r.Fail(WLAN_REASON_CODE_BAD_PROFILE, "protected is not a boolean");
        if (p.encryption == "none") return r.Fail(WLAN_REASON_CODE_BAD_PROFILE, "a shared key with no encryption");
        p.hasKey = true;
        p.keyMaterial = Utf8ToWide(km->text);
    }
    return true;
}

std::string Escape(const std::string& s)
{
    std::string out;
    for (char c : s) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        // Written as references so that a reader gets them back as they were.
        case '\t': out += "&#9;"; break;
        case '\n': out += "&#10;"; break;
        case '\r': out += "&#13;"; break;
        default: out += c;
        }
    }
    return out;
}

}  // namespace

WlanProfileParse ParseWlanProfile(const std::wstring& document)
{
    WlanProfileParse out;
    Refusal r{out};
    if (document.size() > kMaxDocumentChars) {
        r.Fail(WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA, "the document is longer than 64K characters");
        return out;
    }
    // The document arrives as text: it is parsed as such, whatever its declaration names.
    std::string utf8 = WideToUtf8(document);
    Reader reader;
    std::unique_ptr<std::remove_pointer_t<XML_Parser>, void (*)(XML_Parser)> parser(
        XML_ParserCreateNS("UTF-8", kNsSeparator), XML_ParserFree);
    if (!parser) {
        r.Fail(WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA, "out of memory");
        return out;
    }
    reader.parser = parser.get();
    XML_SetUserData(parser.get(), &reader);
    XML_SetElementHandler(parser.get(), OnStart, OnEnd);
    XML_SetCharacterDataHandler(parser.get(), OnText);
    XML_SetStartDoctypeDeclHandler(parser.get(), OnDoctype);
    XML_Status status = XML_Parse(parser.get(), utf8.data(), static_cast<int>(utf8.size()), XML_TRUE);
    if (reader.doctype) {
        r.Fail(WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA, "a document type declaration");
        return out;
    }
    if (status != XML_STATUS_OK || !reader.root) {
        r.Fail(WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA,
               std::string("not well-formed XML: ") + XML_ErrorString(XML_GetErrorCode(parser.get())) + " at line " +
                   std::to_string(XML_GetCurrentLineNumber(parser.get())) + ", column " +
                   std::to_string(XML_GetCurrentColumnNumber(parser.get())));
        return out;
    }
    out.profile.document = document;
    if (ReadDocument(*reader.root, out.profile, r)) {
        out.ok = true;
        out.reasonCode = WLAN_REASON_CODE_SUCCESS;
    }
    return out;
}

std::wstring WriteWlanProfile(const WlanProfile& p)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string hex;
    for (unsigned char c : p.ssid) {
        hex += kHex[c >> 4];
        hex += kHex[c & 15];
    }
    std::string doc = std::string("<?xml version=\"1.0\"?><WLANProfile xmlns=\"") + kWlanProfileNamespace + "\"><name>" +
                      Escape(WideToUtf8(p.name)) + "</name><SSIDConfig><SSID><hex>" + hex + "</hex></SSID>" +
                      "<nonBroadcast>" + (p.nonBroadcast ? "true" : "false") + "</nonBroadcast></SSIDConfig>" +
                      "<connectionType>" + p.connectionType + "</connectionType><connectionMode>auto</connectionMode>" +
                      "<MSM><security><authEncryption><authentication>" + p.authentication + "</authentication>" +
                      "<encryption>" + p.encryption + "</encryption><useOneX>" + (p.useOneX ? "true" : "false") +
                      "</useOneX></authEncryption>";
    if (p.hasKey)
        doc += "<sharedKey><keyType>" + p.keyType + "</keyType><protected>" + (p.keyProtected ? "true" : "false") +
               "</protected><keyMaterial>" + Escape(WideToUtf8(p.keyMaterial)) + "</keyMaterial></sharedKey>";
    doc += "</security></MSM></WLANProfile>";
    return Utf8ToWide(doc);
}

std::string AuthenticationWord(DWORD auth)
{
    switch (auth) {
    case DOT11_AUTH_ALGO_80211_OPEN: return "open";
    case DOT11_AUTH_ALGO_80211_SHARED_KEY: return "shared";
    case DOT11_AUTH_ALGO_WPA: case DOT11_AUTH_ALGO_WPA_NONE: return "WPA";
    case DOT11_AUTH_ALGO_WPA_PSK: return "WPAPSK";
    case DOT11_AUTH_ALGO_RSNA: return "WPA2";
    case DOT11_AUTH_ALGO_RSNA_PSK: return "WPA2PSK";
    default: return "";
    }
}

std::string EncryptionWord(DWORD cipher)
{
    switch (cipher) {
    case DOT11_CIPHER_ALGO_NONE: return "none";
    case DOT11_CIPHER_ALGO_WEP40: case DOT11_CIPHER_ALGO_WEP104: case DOT11_CIPHER_ALGO_WEP: return "WEP";
    case DOT11_CIPHER_ALGO_TKIP: return "TKIP";
    case DOT11_CIPHER_ALGO_CCMP: case DOT11_CIPHER_ALGO_WPA_USE_GROUP: return "AES";
    default: return "";
    }
}

}  // namespace sim
