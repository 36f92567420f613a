// The simulated PC's wireless world: the networks in range, the wireless service's scan,
// its list of visible networks, its stored profiles and the adapter's association.
#include <algorithm>
#include <cstring>

#include "platform/ServiceControl.h"
#include "platform/Text.h"
#include "sim/SimHardware.h"

namespace sim {

namespace {

constexpr DWORD ERROR_INVALID_HANDLE_CODE = 6;
// A scan takes this long; the list shows the world as it is at its end.
constexpr std::int64_t kScanMs = 3000;
// Without a scan asked for, the service looks around by itself this often.
constexpr std::int64_t kBackgroundScanMs = 60000;
// A connection request is decided this long after it was accepted.
constexpr std::int64_t kAssociateMs = 2000;

// Where the service keeps its profiles on the PC: one document a line, as hex of its UTF-8.
const wchar_t* const kProfileFolder = L"C:\\ProgramData\\Microsoft\\Wlansvc\\Profiles";
const wchar_t* const kProfileFile = L"C:\\ProgramData\\Microsoft\\Wlansvc\\Profiles\\profiles.txt";

constexpr DWORD WLAN_AVAILABLE_NETWORK_CONNECTED = 1;
constexpr DWORD WLAN_AVAILABLE_NETWORK_HAS_PROFILE = 2;
constexpr int kInterfaceConnected = 1;

std::wstring W(const std::string& utf8) { return Utf8ToWide(utf8); }

bool IsHex(const std::wstring& s)
{
    return std::all_of(s.begin(), s.end(), [](wchar_t c) { return std::iswxdigit(c) && c < 0x80; });
}

// A WEP key as its bytes: 5 or 13 characters, or 10 or 26 hexadecimal digits.
std::optional<std::string> WepKeyBytes(const std::wstring& key)
{
    if ((key.size() == 10 || key.size() == 26) && IsHex(key)) {
        std::string bytes;
        for (std::size_t i = 0; i < key.size(); i += 2)
            bytes += static_cast<char>(std::stoi(WideToUtf8(key.substr(i, 2)), nullptr, 16));
        return bytes;
    }
    if (key.size() == 5 || key.size() == 13) {
        std::string bytes;
        for (wchar_t c : key) {
            if (c < 0x20 || c > 0x7E) return std::nullopt;
            bytes += static_cast<char>(c);
        }
        return bytes;
    }
    return std::nullopt;
}

// A WPA pass phrase: 8 to 63 printable ASCII characters.
bool IsPassPhrase(const std::wstring& key)
{
    return key.size() >= 8 && key.size() <= 63 &&
           std::all_of(key.begin(), key.end(), [](wchar_t c) { return c >= 0x20 && c <= 0x7E; });
}

std::wstring LowerAscii(std::wstring s)
{
    for (auto& c : s)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return s;
}

void ToSsid(const std::string& bytes, DOT11_SSID& out)
{
    out.uSSIDLength = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), DOT11_SSID_MAX_LENGTH));
    std::memset(out.ucSSID, 0, sizeof out.ucSSID);
    std::memcpy(out.ucSSID, bytes.data(), out.uSSIDLength);
}

std::string FromHex(const std::string& hex)
{
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        auto digit = [](char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; };
        out += static_cast<char>(digit(hex[i]) * 16 + digit(hex[i + 1]));
    }
    return out;
}

std::string ToHex(const std::string& bytes)
{
    static const char kHex[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += kHex[c >> 4];
        out += kHex[c & 15];
    }
    return out;
}

// The profile a PC had made for a network before the run: the network's own security.
WlanProfile ProfileFor(const std::string& ssid, const NetworkSettings* network)
{
    WlanProfile p;
    p.name = W(ssid);
    p.ssid = ssid;
    if (!network) return p;
    p.nonBroadcast = network->hidden;
    p.connectionType = network->bssType == "independent" ? "IBSS" : "ESS";
    std::string a = AuthenticationWord(network->auth), e = EncryptionWord(network->cipher);
    if (!a.empty()) p.authentication = a;
    if (!e.empty()) p.encryption = e;
    if (p.encryption != "none") {
        p.hasKey = true;
        p.keyMaterial = W(network->key);
        p.keyType = p.encryption == "WEP" || (p.keyMaterial.size() == 64 && IsHex(p.keyMaterial)) ? "networkKey"
                                                                                                   : "passPhrase";
    }
    return p;
}

}  // namespace

// ---- The world -----------------------------------------------------------------------------

void SimHardware::InitAirLocked(bool freshMachine)
{
    m_networks = m_scenario.networks;
    bool loaded = false;
    if (!freshMachine) {
        if (auto text = m_files.ReadFile(kProfileFile)) {
            loaded = true;
            std::size_t start = 0;
            while (start < text->size()) {
                std::size_t end = text->find('\n', start);
                if (end == std::string::npos) end = text->size();
                std::string line = text->substr(start, end - start);
                if (!line.empty() && line.back() == '\r') line.pop_back();
                WlanProfileParse parsed = ParseWlanProfile(W(FromHex(line)));
                if (parsed.ok) m_profiles.push_back(parsed.profile);
                start = end + 1;
            }
        }
    }
    auto networkOf = [&](const std::string& ssid) -> const NetworkSettings* {
        for (const NetworkSettings& n : m_networks)
            if (n.ssidBytes == ssid) return &n;
        return nullptr;
    };
    if (!loaded) {
        for (const std::string& ssid : m_scenario.wlanProfiles)
            if (!FindProfileLocked(W(ssid))) m_profiles.push_back(ProfileFor(ssid, networkOf(ssid)));
    }
    if (const auto& to = m_scenario.adapter.connectedTo) {
        for (std::size_t i = 0; i < m_networks.size() && m_associated < 0; ++i)
            if (m_networks[i].ssidBytes == *to && m_networks[i].present) m_associated = static_cast<int>(i);
        if (m_associated >= 0) {
            if (!FindProfileLocked(W(*to))) m_profiles.push_back(ProfileFor(*to, networkOf(*to)));
            m_associatedProfile = W(*to);
        }
    }
    if (!loaded) SaveProfilesLocked();
}

void SimHardware::SaveProfilesLocked()
{
    std::string text;
    for (const WlanProfile& p : m_profiles)
        text += ToHex(WideToUtf8(p.document.empty() ? WriteWlanProfile(p) : p.document)) + "\r\n";
    m_files.CreateDirectoryTree(kProfileFolder);
    if (auto file = m_files.CreateFileForWriting(kProfileFile)) file->Write(text.data(), text.size());
}

const WlanProfile* SimHardware::FindProfileLocked(const std::wstring& name) const
{
    for (const WlanProfile& p : m_profiles)
        if (LowerCase(p.name) == LowerCase(name)) return &p;
    return nullptr;
}

std::vector<WLAN_AVAILABLE_NETWORK> SimHardware::SeenNowLocked()
{
    std::vector<WLAN_AVAILABLE_NETWORK> seen;
    for (const NetworkSettings& n : m_networks) {
        if (!n.present) continue;
        WLAN_AVAILABLE_NETWORK a;
        if (!n.hidden) ToSsid(n.ssidBytes, a.dot11Ssid);
        a.dot11BssType = n.bssType == "independent" ? dot11_BSS_type_independent : dot11_BSS_type_infrastructure;
        a.bNetworkConnectable = n.connectable ? TRUE : FALSE;
        a.wlanSignalQuality = static_cast<DWORD>(std::clamp(n.signal, 0, 100));
        a.dot11DefaultAuthAlgorithm = static_cast<DWORD>(n.auth);
        a.dot11DefaultCipherAlgorithm = static_cast<DWORD>(n.cipher);
        a.bSecurityEnabled = n.auth == DOT11_AUTH_ALGO_80211_OPEN && n.cipher == DOT11_CIPHER_ALGO_NONE ? FALSE : TRUE;
        seen.push_back(a);
    }
    return seen;
}

void SimHardware::UpdateAirLocked()
{
    std::int64_t now = rt::NowMs();
    bool up = AdapterUsableLocked() && WirelessServiceRunningLocked();
    if (!up) {
        m_associated = -1;
        m_pending.reset();
        m_scanEndsAt = -1;
    }
    // Every world event brings the air up to its moment first, so a scan that ended
    // before now saw what is in range now.
    bool looked = false;
    if (m_scanEndsAt >= 0 && now >= m_scanEndsAt) {
        m_seen = SeenNowLocked();
        m_seenAt = m_scanEndsAt;
        m_scanEndsAt = -1;
        looked = true;
    } else if (m_scanEndsAt < 0 && (m_seenAt < 0 || now - m_seenAt >= kBackgroundScanMs)) {
        m_seen = SeenNowLocked();
        m_seenAt = now;
        looked = true;
    }
    if (looked) {
        std::string names;
        for (const WLAN_AVAILABLE_NETWORK& n : m_seen)
            names += (names.empty() ? " " : ", ") +
                     (n.dot11Ssid.uSSIDLength ? "\"" + std::string(reinterpret_cast<const char*>(n.dot11Ssid.ucSSID),
                                                               n.dot11Ssid.uSSIDLength) + "\""
                                              : std::string("(hidden)"));
        TraceLocked("scan: " + std::to_string(m_seen.size()) + " in range" + (names.empty() ? "" : ":") + names,
                    m_seenAt);
    }
    if (m_pending && now >= m_pending->at) {
        if (const WlanProfile* p = FindProfileLocked(m_pending->profile))
            for (std::size_t i = 0; i < m_networks.size(); ++i)
                if (FitsLocked(*p, m_networks[i])) {
                    m_associated = static_cast<int>(i);
                    m_associatedProfile = p->name;
                    break;
                }
        TraceAssociationLocked(m_pending->at);
        m_pending.reset();
    }
    if (m_associated >= 0 && !m_networks[static_cast<std::size_t>(m_associated)].present) m_associated = -1;
    TraceAssociationLocked();
}

void SimHardware::TraceAssociationLocked(std::int64_t atMs)
{
    if (m_associated == m_tracedAssociation) return;
    if (m_tracedAssociation >= 0)
        TraceLocked("association with \"" + m_networks[static_cast<std::size_t>(m_tracedAssociation)].ssidBytes +
                    "\" ends", atMs);
    if (m_associated >= 0)
        TraceLocked("associated with \"" + m_networks[static_cast<std::size_t>(m_associated)].ssidBytes + "\"",
                    atMs);
    m_tracedAssociation = m_associated;
}

void SimHardware::TraceLocked(std::string what, std::int64_t atMs)
{
    m_trace.push_back({atMs >= 0 ? atMs : rt::NowMs(), std::move(what)});
}

std::vector<SimHardware::TraceEntry> SimHardware::WorldTrace()
{
    std::lock_guard lock(m_mutex);
    std::vector<TraceEntry> trace = m_trace;
    // A scan is entered at the moment it ended, which may be before entries made meanwhile.
    std::stable_sort(trace.begin(), trace.end(), [](const TraceEntry& a, const TraceEntry& b) { return a.atMs < b.atMs; });
    return trace;
}

bool SimHardware::FitsLocked(const WlanProfile& p, const NetworkSettings& n) const
{
    if (!n.present || !n.connectable || p.ssid != n.ssidBytes) return false;
    if ((p.connectionType == "IBSS") != (n.bssType == "independent")) return false;
    if (n.hidden && !p.nonBroadcast) return false;  // a network that hides its name is only asked for by name
    std::string auth = AuthenticationWord(static_cast<DWORD>(n.auth));
    std::string enc = EncryptionWord(static_cast<DWORD>(n.cipher));
    if (auth != p.authentication || enc != p.encryption) return false;
    // Enterprise networks want an 802.1X server; none answers in this world.
    if (auth == "WPA" || auth == "WPA2" || p.useOneX) return false;
    if (enc == "none") return true;
    if (!p.hasKey || p.keyProtected) return false;
    std::wstring key = W(n.key);
    if (enc == "WEP") {
        auto mine = WepKeyBytes(p.keyMaterial), theirs = WepKeyBytes(key);
        return p.keyType == "networkKey" && mine && theirs && *mine == *theirs;
    }
    if (p.keyType == "passPhrase") return IsPassPhrase(p.keyMaterial) && p.keyMaterial == key;
    return p.keyMaterial.size() == 64 && IsHex(p.keyMaterial) && LowerAscii(p.keyMaterial) == LowerAscii(key);
}

template <class T>
T* SimHardware::KeepBlockLocked(std::unique_ptr<T> block)
{
    T* raw = block.get();
    m_wlanBlocks[raw] = std::shared_ptr<void>(std::move(block));
    return raw;
}

DWORD SimHardware::CheckWlanCallLocked(WLAN_HANDLE handle, const GUID& interfaceGuid)
{
    if (!m_wlanHandles.count(handle)) return ERROR_INVALID_HANDLE_CODE;
    if (!WirelessServiceRunningLocked()) return ERROR_SERVICE_NOT_ACTIVE;
    if (!AdapterUsableLocked() || GuidFromString(W(m_scenario.adapter.interfaceGuid)) != interfaceGuid)
        return ERROR_NOT_FOUND;
    UpdateAirLocked();
    return ERROR_SUCCESS;
}

// ---- The wireless service's network functions -------------------------------------------------

DWORD SimHardware::WlanScan(WLAN_HANDLE handle, const GUID& interfaceGuid, const DOT11_SSID* ssid, const void*)
{
    std::lock_guard lock(m_mutex);
    if (DWORD e = CheckWlanCallLocked(handle, interfaceGuid)) return e;
    if (ssid && ssid->uSSIDLength > DOT11_SSID_MAX_LENGTH) return ERROR_INVALID_PARAMETER;
    if (m_scanEndsAt < 0) m_scanEndsAt = rt::NowMs() + kScanMs;
    return ERROR_SUCCESS;
}

DWORD SimHardware::WlanGetAvailableNetworkList(WLAN_HANDLE handle, const GUID& interfaceGuid, DWORD,
                                               WLAN_AVAILABLE_NETWORK_LIST** list)
{
    std::lock_guard lock(m_mutex);
    if (!list) return ERROR_INVALID_PARAMETER;
    if (DWORD e = CheckWlanCallLocked(handle, interfaceGuid)) return e;
    TraceLocked("list fetched: " + std::to_string(m_seen.size()) + " networks");
    auto block = std::make_unique<WLAN_AVAILABLE_NETWORK_LIST>();
    const std::string connected =
        m_associated >= 0 ? m_networks[static_cast<std::size_t>(m_associated)].ssidBytes : std::string();
    for (const WLAN_AVAILABLE_NETWORK& a : m_seen) {
        std::string ssid(reinterpret_cast<const char*>(a.dot11Ssid.ucSSID), a.dot11Ssid.uSSIDLength);
        // A network the service has a profile for is listed once with the profile, then as itself.
        if (!ssid.empty())
            for (const WlanProfile& p : m_profiles)
                if (p.ssid == ssid) {
                    WLAN_AVAILABLE_NETWORK withProfile = a;
                    withProfile.strProfileName = p.name;
                    withProfile.dwFlags = WLAN_AVAILABLE_NETWORK_HAS_PROFILE;
                    if (ssid == connected && LowerCase(p.name) == LowerCase(m_associatedProfile))
                        withProfile.dwFlags |= WLAN_AVAILABLE_NETWORK_CONNECTED;
                    block->Network.push_back(withProfile);
                }
        block->Network.push_back(a);
    }
    block->dwNumberOfItems = static_cast<DWORD>(block->Network.size());
    *list = KeepBlockLocked(std::move(block));
    return ERROR_SUCCESS;
}

DWORD SimHardware::WlanSetProfile(WLAN_HANDLE handle, const GUID& interfaceGuid, DWORD, const std::wstring& profileXml,
                                  const wchar_t*, BOOL overwrite, DWORD* reasonCode)
{
    std::lock_guard lock(m_mutex);
    if (DWORD e = CheckWlanCallLocked(handle, interfaceGuid)) return e;
    m_lastProfileDocument = profileXml;
    WlanProfileParse parsed = ParseWlanProfile(profileXml);
    if (reasonCode) *reasonCode = parsed.reasonCode;
    if (!parsed.ok) return ERROR_BAD_PROFILE;
    for (WlanProfile& p : m_profiles)
        if (LowerCase(p.name) == LowerCase(parsed.profile.name)) {
            if (!overwrite) return ERROR_ALREADY_EXISTS;
            p = parsed.profile;
            SaveProfilesLocked();
            return ERROR_SUCCESS;
        }
    m_profiles.push_back(parsed.profile);
    SaveProfilesLocked();
    return ERROR_SUCCESS;
}

DWORD SimHardware::WlanDeleteProfile(WLAN_HANDLE handle, const GUID& interfaceGuid, const std::wstring& profileName)
{
    std::lock_guard lock(m_mutex);
    if (DWORD e = CheckWlanCallLocked(handle, interfaceGuid)) return e;
    for (auto it = m_profiles.begin(); it != m_profiles.end(); ++it)
        if (LowerCase(it->name) == LowerCase(profileName)) {
            // The association made with it ends with it.
            if (m_associated >= 0 && LowerCase(m_associatedProfile) == LowerCase(profileName)) m_associated = -1;
            m_profiles.erase(it);
            SaveProfilesLocked();
            return ERROR_SUCCESS;
        }
    return ERROR_NOT_FOUND;
}

DWORD SimHardware::WlanConnect(WLAN_HANDLE handle, const GUID& interfaceGuid,
                               const WLAN_CONNECTION_PARAMETERS& parameters)
{
    std::lock_guard lock(m_mutex);
    if (DWORD e = CheckWlanCallLocked(handle, interfaceGuid)) return e;
    // Only connections by a stored profile are offered by this service.
    if (parameters.wlanConnectionMode != wlan_connection_mode_profile) return ERROR_NOT_SUPPORTED;
    const WlanProfile* p = FindProfileLocked(parameters.strProfile);
    if (!p) return ERROR_NOT_FOUND;
    if (parameters.pDot11Ssid) {
        const DOT11_SSID& s = *parameters.pDot11Ssid;
        if (s.uSSIDLength > DOT11_SSID_MAX_LENGTH ||
            std::string(reinterpret_cast<const char*>(s.ucSSID), s.uSSIDLength) != p->ssid)
            return ERROR_INVALID_PARAMETER;
    }
    m_associated = -1;
    TraceAssociationLocked();
    TraceLocked("connect requested: \"" + p->ssid + "\"");
    m_pending = PendingConnect{p->name, rt::NowMs() + kAssociateMs};
    return ERROR_SUCCESS;
}

DWORD SimHardware::WlanDisconnect(WLAN_HANDLE handle, const GUID& interfaceGuid)
{
    std::lock_guard lock(m_mutex);
    if (DWORD e = CheckWlanCallLocked(handle, interfaceGuid)) return e;
    m_associated = -1;
    m_pending.reset();
    TraceAssociationLocked();
    return ERROR_SUCCESS;
}

DWORD SimHardware::WlanQueryInterface(WLAN_HANDLE handle, const GUID& interfaceGuid, int opCode, DWORD* dataSize,
                                      void** data, int* valueType)
{
    std::lock_guard lock(m_mutex);
    if (!dataSize || !data) return ERROR_INVALID_PARAMETER;
    if (DWORD e = CheckWlanCallLocked(handle, interfaceGuid)) return e;
    if (opCode != wlan_intf_opcode_current_connection) return ERROR_NOT_SUPPORTED;
    if (m_associated < 0) return ERROR_INVALID_STATE;
    const NetworkSettings& n = m_networks[static_cast<std::size_t>(m_associated)];
    auto block = std::make_unique<WLAN_CONNECTION_ATTRIBUTES>();
    block->isState = kInterfaceConnected;
    block->wlanConnectionMode = wlan_connection_mode_profile;
    block->strProfileName = m_associatedProfile;
    ToSsid(n.ssidBytes, block->wlanAssociationAttributes.dot11Ssid);
    block->wlanAssociationAttributes.dot11BssType =
        n.bssType == "independent" ? dot11_BSS_type_independent : dot11_BSS_type_infrastructure;
    for (std::size_t i = 0; i < 6 && i * 3 + 1 < n.bssid.size(); ++i)
        block->wlanAssociationAttributes.dot11Bssid[i] = static_cast<unsigned char>(std::stoi(n.bssid.substr(i * 3, 2), nullptr, 16));
    block->wlanAssociationAttributes.wlanSignalQuality = static_cast<DWORD>(std::clamp(n.signal, 0, 100));
    block->wlanSecurityAttributes.bSecurityEnabled =
        n.auth == DOT11_AUTH_ALGO_80211_OPEN && n.cipher == DOT11_CIPHER_ALGO_NONE ? FALSE : TRUE;
    block->wlanSecurityAttributes.dot11AuthAlgorithm = static_cast<DWORD>(n.auth);
    block->wlanSecurityAttributes.dot11CipherAlgorithm = static_cast<DWORD>(n.cipher);
    *dataSize = sizeof(WLAN_CONNECTION_ATTRIBUTES);
    if (valueType) *valueType = 0;
    *data = KeepBlockLocked(std::move(block));
    return ERROR_SUCCESS;
}

// ---- World events --------------------------------------------------------------------------------

void SimHardware::SetInternet(bool on)
{
    std::lock_guard lock(m_mutex);
    UpdateAirLocked();
    TraceLocked(std::string("world: internet ") + (on ? "on" : "off"));
    m_internetUp = on;
}

void SimHardware::SetGateway(bool on)
{
    std::lock_guard lock(m_mutex);
    UpdateAirLocked();
    TraceLocked(std::string("world: gateway ") + (on ? "on" : "off"));
    m_gatewayUp = on;
}

bool SimHardware::SetNetworkPresent(const std::string& ssid, bool present)
{
    std::lock_guard lock(m_mutex);
    UpdateAirLocked();
    TraceLocked(std::string("world: ") + (present ? "network-on" : "network-off") + " \"" + ssid + "\"");
    bool found = false;
    for (NetworkSettings& n : m_networks)
        if (n.ssidBytes == ssid) {
            n.present = present;
            found = true;
        }
    UpdateAirLocked();
    WpsCodeLocked();  // a router come into range may be the one a WPS attempt waits for
    return found;
}

bool SimHardware::Associate(const std::string& ssid)
{
    std::lock_guard lock(m_mutex);
    UpdateAirLocked();
    TraceLocked("world: associate \"" + ssid + "\"");
    int index = -1;
    for (std::size_t i = 0; i < m_networks.size() && index < 0; ++i)
        if (m_networks[i].ssidBytes == ssid) index = static_cast<int>(i);
    if (index < 0) return false;
    const NetworkSettings& n = m_networks[static_cast<std::size_t>(index)];
    if (n.present && AdapterUsableLocked() && WirelessServiceRunningLocked()) {
        if (!FindProfileLocked(W(ssid))) {
            m_profiles.push_back(ProfileFor(ssid, &n));
            SaveProfilesLocked();
        }
        m_pending.reset();
        m_associated = index;
        m_associatedProfile = FindProfileLocked(W(ssid))->name;
        TraceAssociationLocked();
    }
    return true;
}

std::wstring SimHardware::LastProfileDocument()
{
    std::lock_guard lock(m_mutex);
    return m_lastProfileDocument;
}

void SimHardware::AirViewLocked(HardwareView& v)
{
    UpdateAirLocked();
    for (std::size_t i = 0; i < m_networks.size(); ++i) {
        const NetworkSettings& n = m_networks[i];
        HardwareView::Network out;
        out.ssid = n.ssidBytes;
        std::string a = AuthenticationWord(static_cast<DWORD>(n.auth)), e = EncryptionWord(static_cast<DWORD>(n.cipher));
        out.security = (a.empty() ? std::to_string(n.auth) : a) + "/" + (e.empty() ? std::to_string(n.cipher) : e);
        out.key = n.key;
        out.signal = n.signal;
        out.present = n.present;
        out.hidden = n.hidden;
        out.associated = static_cast<int>(i) == m_associated;
        v.networks.push_back(out);
    }
    v.internet = m_internetUp;
    v.gateway = m_gatewayUp;
    if (m_associated >= 0) v.association = m_networks[static_cast<std::size_t>(m_associated)].ssidBytes;
    IpConfig ip = AdapterIpLocked();
    v.address = ip.address;
    v.gatewayAddress = ip.gateway;
    for (const WlanProfile& p : m_profiles) v.profiles.push_back(WideToUtf8(p.name));
    v.commands = m_commandsRun;
}

}  // namespace sim
