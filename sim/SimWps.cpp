// The WPS exchange of the chip vendor's library on the simulated PC, played against the
// routers of the scenario on the runtime's clock.
//
// Push button: the adapter looks for a router whose button window is open (2 minutes from
// the press). None: it reports one of its "no access point in push-button mode" codes;
// two or more at once: the overlap (257), which ends the attempt's chances; exactly one:
// a short exchange (in-progress codes 4 to 14 over 4 seconds), then the router's outcome.
// PIN: the exchange runs with the router (the one the mode record names, else any) into
// which the same PIN was typed within the last 2 minutes; until then the adapter keeps
// trying (in-progress codes). The router is chosen at the moment its conditions hold
// (the attempt starting, a button press, a PIN typed, a network coming into range), so
// how often the program asks does not change what it is told.
#include <cstring>

#include "sim/SimHardware.h"

namespace sim {

namespace {

constexpr std::int64_t kButtonWindowMs = 2 * 60 * 1000;
constexpr std::int64_t kPinKeptMs = 2 * 60 * 1000;
constexpr std::int64_t kExchangeMs = 4000;
constexpr DWORD kIdle = 0;
constexpr DWORD kFirstProgress = 4, kLastProgress = 14;
// A router that goes silent stops answering after the identity exchange.
constexpr DWORD kSilentStall = 7;
// The top four bits of the status carry the attempt's mode (the code is the low 28).
constexpr DWORD kPbcStatusBits = 0x20000000, kPinStatusBits = 0x10000000;

DWORD ProgressCode(std::int64_t sinceExchange)
{
    const std::int64_t step = sinceExchange * (kLastProgress - kFirstProgress + 1) / kExchangeMs;
    return static_cast<DWORD>(std::min<std::int64_t>(kFirstProgress + step, kLastProgress));
}

// Push button, no router in its window: "scanning" first, then the adapter's round of
// "no access point found", "no registrar selected", "no PBC access point".
DWORD NoPbcCode(std::int64_t sinceStart)
{
    static const DWORD kRound[] = {258, 3, 258, 24};
    if (sinceStart < 2000) return 2;
    return kRound[(sinceStart / 1000) % 4];
}

// PIN, no router with the PIN: scanning, associating, starting the exchange, again.
DWORD PinWaitingCode(std::int64_t sinceStart)
{
    static const DWORD kRound[] = {4, 5, 6};
    return kRound[(sinceStart / 1000) % 3];
}

DWORD OutcomeCode(const std::string& outcome)
{
    if (outcome == "credentials") return wpsstatus::kCredentialsReady;
    if (outcome == "eap-fail") return wpsstatus::kEapFail;
    if (outcome == "wrong-nonce") return wpsstatus::kWrongNonce;
    if (outcome == "no-integrity") return wpsstatus::kNoIntegrity;
    return 0;  // silent
}

void Put32(unsigned char* at, std::uint32_t v) { std::memcpy(at, &v, 4); }

// What the router hands out, laid out as the profile record.
WpsProfileRecord CredentialsRecord(const NetworkSettings& n)
{
    std::string ssid = n.ssidBytes, key = n.key;
    int auth = WpsAuthOf(n.auth), encryption = WpsEncryptionOf(n.cipher);
    if (const auto& c = n.wps.credentials) {
        ssid = c->ssid;
        key = c->key;
        auth = ParseWpsAuthName(c->auth).value_or(auth);
        encryption = ParseWpsEncryptionName(c->encryption).value_or(encryption);
    }
    WpsProfileRecord r;
    std::memset(r.bytes, 0, sizeof r.bytes);
    // The SSID field holds 32 bytes: a longer SSID fills it without a terminator.
    std::memcpy(r.bytes + wpsprofile::kSsid, ssid.data(), std::min<std::size_t>(ssid.size(), 32));
    Put32(r.bytes + wpsprofile::kAuthType, static_cast<std::uint32_t>(auth));
    Put32(r.bytes + wpsprofile::kEncryption, static_cast<std::uint32_t>(encryption));
    // The key runs to the end of the record at most, its terminator included.
    const std::size_t room = sizeof r.bytes - wpsprofile::kKey - 1;
    std::memcpy(r.bytes + wpsprofile::kKey, key.data(), std::min(key.size(), room));
    return r;
}

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

}  // namespace

int SimHardware::FindNetworkLocked(const std::string& ssid) const
{
    // The first of that name in range, else the first of that name.
    int first = -1;
    for (std::size_t i = 0; i < m_networks.size(); ++i)
        if (m_networks[i].ssidBytes == ssid) {
            if (m_networks[i].present) return static_cast<int>(i);
            if (first < 0) first = static_cast<int>(i);
        }
    return first;
}

bool SimHardware::PbcWindowOpenLocked(std::size_t i, std::int64_t now) const
{
    if (i >= m_routers.size() || !m_networks[i].wps.pbc) return false;
    const std::int64_t at = m_routers[i].buttonAt;
    return at >= 0 && now < at + kButtonWindowMs;
}

bool SimHardware::PinTypedLocked(std::size_t i, std::int64_t now) const
{
    if (i >= m_routers.size() || !m_networks[i].wps.pin) return false;
    const std::int64_t at = m_routers[i].pinAt;
    return at >= 0 && now < at + kPinKeptMs && !m_routers[i].pin.empty();
}

void SimHardware::EndWpsAttemptLocked()
{
    if (m_wps) TraceLocked(std::string(m_wps->pin ? "wps: PIN" : "wps: push-button") + " attempt ended");
    m_wps.reset();
}

DWORD SimHardware::WpsCodeLocked()
{
    if (!m_wps) return kIdle;
    WpsAttempt& a = *m_wps;
    const std::int64_t now = rt::NowMs();
    if (a.overlap) return wpsstatus::kTooManyPbcAps;
    if (a.router >= 0 && !a.finalCode) {
        // An exchange whose time is up has ended, whatever happened to the router since.
        const NetworkSettings& n = m_networks[static_cast<std::size_t>(a.router)];
        const DWORD outcome = OutcomeCode(n.wps.outcome);
        if (outcome && now - a.exchangeAt >= kExchangeMs) {
            a.finalCode = outcome;
            if (outcome == wpsstatus::kCredentialsReady) m_wpsCredentials = CredentialsRecord(n);
            // Entered at the moment the exchange ended, not when the adapter was asked.
            TraceLocked("wps: " + Quoted(n.ssidBytes) +
                            (outcome == wpsstatus::kCredentialsReady ? " hands out its credentials"
                                                                     : " ends the exchange with code " + std::to_string(outcome)),
                        a.exchangeAt + kExchangeMs);
        }
    }
    if (a.finalCode) return a.finalCode;
    if (a.router >= 0 && !m_networks[static_cast<std::size_t>(a.router)].present) {
        // The router went out of range in the middle: the adapter looks again.
        TraceLocked("wps: " + Quoted(m_networks[static_cast<std::size_t>(a.router)].ssidBytes) + " lost in the exchange");
        a.router = -1;
        a.exchangeAt = -1;
    }
    if (a.router < 0) {
        std::vector<std::size_t> candidates;
        for (std::size_t i = 0; i < m_networks.size(); ++i) {
            const NetworkSettings& n = m_networks[i];
            if (!n.present) continue;
            if (!a.pin) {
                if (PbcWindowOpenLocked(i, now)) candidates.push_back(i);
                continue;
            }
            if (!PinTypedLocked(i, now) || m_routers[i].pin != a.pinDigits) continue;
            if (!a.ssid.empty()) {
                static const unsigned char kAny[6] = {};
                if (n.ssidBytes != a.ssid) continue;
                unsigned char bssid[6];
                BssidBytes(n.bssid, bssid);
                if (std::memcmp(a.bssid, kAny, 6) != 0 && std::memcmp(a.bssid, bssid, 6) != 0) continue;
            }
            candidates.push_back(i);
        }
        if (!a.pin && candidates.size() >= 2) {
            a.overlap = true;
            TraceLocked("wps: two or more routers in their push-button windows");
            return wpsstatus::kTooManyPbcAps;
        }
        if (candidates.empty())
            return a.pin ? PinWaitingCode(now - a.startedAt) : NoPbcCode(now - a.startedAt);
        a.router = static_cast<int>(candidates.front());
        a.exchangeAt = now;
        TraceLocked("wps: exchange with " + Quoted(m_networks[candidates.front()].ssidBytes));
    }
    const std::int64_t since = now - a.exchangeAt;
    if (!OutcomeCode(m_networks[static_cast<std::size_t>(a.router)].wps.outcome))
        return std::min(ProgressCode(since), kSilentStall);
    return ProgressCode(since);
}

// ---- The program's calls ---------------------------------------------------------------------

int SimHardware::RAWL_WriteWPSFlag(int on)
{
    std::lock_guard lock(m_mutex);
    if (!AdapterUsableLocked()) return 0;
    m_wpsFlag = on != 0;
    if (!m_wpsFlag) EndWpsAttemptLocked();
    return 1;
}

int SimHardware::RAWL_WPSDisconnect()
{
    std::lock_guard lock(m_mutex);
    if (!AdapterUsableLocked()) return 0;
    EndWpsAttemptLocked();
    return 1;
}

int SimHardware::RAWL_SetWPSMode(WpsModeRecord mode)
{
    std::lock_guard lock(m_mutex);
    EndWpsAttemptLocked();
    m_wpsCredentials.reset();
    if (!AdapterUsableLocked()) return 0;
    std::uint32_t kind;
    std::memcpy(&kind, mode.bytes + wpsmode::kMode, 4);
    if (kind != wpsmode::kPushButton && kind != wpsmode::kPin) return 0;
    WpsAttempt a;
    a.pin = kind == wpsmode::kPin;
    a.startedAt = rt::NowMs();
    if (a.pin) {
        a.pinDigits.assign(reinterpret_cast<const char*>(mode.bytes + wpsmode::kPinDigits), 8);
        std::uint32_t ssidLength;
        std::memcpy(&ssidLength, mode.bytes + wpsmode::kSsidLength, 4);
        a.ssid.assign(reinterpret_cast<const char*>(mode.bytes + wpsmode::kSsid), std::min<std::uint32_t>(ssidLength, 32));
        std::memcpy(a.bssid, mode.bytes + wpsmode::kBssid, 6);
    }
    m_wps = a;
    TraceLocked(std::string(a.pin ? "wps: PIN" : "wps: push-button") + " attempt started");
    WpsCodeLocked();
    return 1;
}

int SimHardware::RAWL_QueryWPSStatus(DWORD* status)
{
    std::lock_guard lock(m_mutex);
    if (!status || !AdapterUsableLocked()) return 0;
    const DWORD code = WpsCodeLocked();
    *status = code | (m_wps ? (m_wps->pin ? kPinStatusBits : kPbcStatusBits) : 0);
    return 1;
}

int SimHardware::RAWL_QueryWPSProfile(WpsProfileRecord* profile)
{
    std::lock_guard lock(m_mutex);
    if (!profile || !AdapterUsableLocked()) return 0;
    WpsCodeLocked();
    if (!m_wpsCredentials) return 0;
    *profile = *m_wpsCredentials;
    return 1;
}

// ---- World events ----------------------------------------------------------------------------

bool SimHardware::PressWpsButton(const std::string& ssid)
{
    std::lock_guard lock(m_mutex);
    UpdateAirLocked();
    const int i = FindNetworkLocked(ssid);
    if (i < 0) return false;
    TraceLocked("world: wps-button " + Quoted(ssid));
    m_routers[static_cast<std::size_t>(i)].buttonAt = rt::NowMs();
    WpsCodeLocked();
    return true;
}

bool SimHardware::TypePinIntoRouter(const std::string& ssid)
{
    std::function<std::string()> source;
    {
        std::lock_guard lock(m_mutex);
        source = m_pinSource;
    }
    return TypePinIntoRouter(ssid, source ? source() : std::string());
}

bool SimHardware::TypePinIntoRouter(const std::string& ssid, const std::string& pin)
{
    std::lock_guard lock(m_mutex);
    UpdateAirLocked();
    const int i = FindNetworkLocked(ssid);
    if (i < 0) return false;
    TraceLocked("world: router-pin " + Quoted(ssid));
    RouterWps& r = m_routers[static_cast<std::size_t>(i)];
    r.pinAt = rt::NowMs();
    r.pin = pin;
    WpsCodeLocked();
    return true;
}

void SimHardware::SetWizardPinSource(std::function<std::string()> source)
{
    std::lock_guard lock(m_mutex);
    m_pinSource = std::move(source);
}

void SimHardware::VendorViewLocked(HardwareView& v)
{
    const std::int64_t now = rt::NowMs();
    auto secondsLeft = [now](std::int64_t at, std::int64_t lasts) {
        return at >= 0 && now < at + lasts ? static_cast<int>((at + lasts - now + 999) / 1000) : 0;
    };
    for (std::size_t i = 0; i < v.networks.size() && i < m_networks.size(); ++i) {
        const NetworkSettings& n = m_networks[i];
        HardwareView::Network& out = v.networks[i];
        out.wpsPbc = n.wps.pbc;
        out.wpsPin = n.wps.pin;
        out.buttonSeconds = n.wps.pbc ? secondsLeft(m_routers[i].buttonAt, kButtonWindowMs) : 0;
        out.pinSeconds = n.wps.pin && !m_routers[i].pin.empty() ? secondsLeft(m_routers[i].pinAt, kPinKeptMs) : 0;
        out.typedPin = out.pinSeconds ? m_routers[i].pin : std::string();
    }
    v.vendorInitialised = m_vendorInitialised;
    v.wpsFlag = m_wpsFlag;
    const std::pair<const char*, int> settings[] = {{"auth mode", m_authMode},       {"PHY type", m_preferPhyType},
                                                    {"auto-select", m_autoSelect},   {"association IE", m_associateIe},
                                                    {"probe request IE", m_probeReqIe}};
    for (const auto& [name, value] : settings)
        if (value >= 0) v.vendorSettings += (v.vendorSettings.empty() ? "" : ", ") + std::string(name) + " " + std::to_string(value);
    const DWORD code = WpsCodeLocked();
    if (!m_wps) return;
    const WpsAttempt& a = *m_wps;
    std::string who = a.router >= 0 ? " with " + Quoted(m_networks[static_cast<std::size_t>(a.router)].ssidBytes) : "";
    std::string what;
    if (a.overlap) what = "two or more routers in their push-button windows";
    else if (code == wpsstatus::kCredentialsReady) what = "credentials handed out";
    else if (code == wpsstatus::kEapFail) what = "EAP failure";
    else if (code == wpsstatus::kWrongNonce) what = "EAP message with a wrong nonce";
    else if (code == wpsstatus::kNoIntegrity) what = "EAP message failing its integrity check";
    else if (a.router >= 0) what = "exchange";
    else if (a.pin) what = "no router with this PIN";
    else what = "no router in its push-button window";
    std::string mode = a.pin ? "PIN " + a.pinDigits + (a.ssid.empty() ? "" : " for " + Quoted(a.ssid)) : "push button";
    v.wpsAttempt = mode + who + ": " + what + " (code " + std::to_string(code) + ")";
}

}  // namespace sim
