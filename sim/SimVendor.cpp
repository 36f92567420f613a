// The chip vendor's library on the simulated PC: initialisation and the adapter's
// selection, the site survey (answered on a thread of the library's own), and the calls
// that only set the adapter up and are kept for the panel. The WPS exchange itself is in
// SimWps.cpp.
#include <algorithm>
#include <cstring>

#include "sim/SimHardware.h"

namespace sim {

namespace {

// A survey is done this long after it was asked for.
constexpr std::int64_t kSurveyMs = 2500;

}  // namespace

bool SimHardware::VendorReadyLocked() { return m_vendorInitialised && AdapterUsableLocked(); }

// ---- Initialisation and the adapter ----------------------------------------------------

int SimHardware::RAWL_Initial(const char*, std::uintptr_t)
{
    std::lock_guard lock(m_mutex);
    m_vendorInitialised = true;
    return 1;
}

int SimHardware::RAWL_GetAvailableAdapters(std::vector<unsigned char>& buffer, int capacity)
{
    std::lock_guard lock(m_mutex);
    int count = m_vendorInitialised && AdapterUsableLocked() ? 1 : 0;
    if (buffer.size() < 4) buffer.resize(4);
    std::uint32_t n = static_cast<std::uint32_t>(count);
    std::memcpy(buffer.data(), &n, 4);
    if (count > capacity) return kRawlBufferTooSmall;
    buffer.resize(std::max<std::size_t>(buffer.size(), 4 + count * kRawlAdapterRecordBytes));
    if (count == 1) {
        // The record: the adapter's description, then its interface GUID, as narrow texts.
        unsigned char* record = buffer.data() + 4;
        std::memset(record, 0, kRawlAdapterRecordBytes);
        std::string desc = m_scenario.adapter.description.substr(0, 255);
        std::memcpy(record, desc.data(), desc.size());
        std::string guid = m_scenario.adapter.interfaceGuid.substr(0, 63);
        std::memcpy(record + 256, guid.data(), guid.size());
    }
    return count;
}

int SimHardware::RAWL_AdapterSelect(const unsigned char* record, void (*)(), std::uintptr_t)
{
    std::lock_guard lock(m_mutex);
    if (!record || !m_vendorInitialised || !AdapterUsableLocked()) return 0;
    std::string guid(reinterpret_cast<const char*>(record + 256));
    return guid == m_scenario.adapter.interfaceGuid ? 1 : 0;
}

int SimHardware::RAWL_DeInitial()
{
    std::lock_guard lock(m_mutex);
    m_vendorInitialised = false;
    return 1;
}

// ---- The site survey -----------------------------------------------------------------------

std::vector<SurveyNetwork> SimHardware::SurveyNowLocked()
{
    std::vector<SurveyNetwork> out;
    const std::int64_t now = rt::NowMs();
    for (std::size_t i = 0; i < m_networks.size(); ++i) {
        const NetworkSettings& n = m_networks[i];
        if (!n.present) continue;
        SurveyNetwork s;
        s.ssid = n.ssidBytes;
        s.hidden = n.hidden;
        BssidBytes(n.bssid, s.bssid);
        s.channel = n.channel;
        s.signal = n.signal;
        s.auth = n.auth;
        s.cipher = n.cipher;
        s.infrastructure = n.bssType != "independent";
        s.wps = n.wps.pbc || n.wps.pin;
        s.pbcWindowOpen = PbcWindowOpenLocked(i, now);
        out.push_back(s);
    }
    return out;
}

int SimHardware::RAWL_SiteSurveyScan(void (*done)())
{
    {
        std::lock_guard lock(m_mutex);
        if (!VendorReadyLocked()) return 0;
    }
    bool restarted = false;
    {
        // The library's thread: started with the first survey of a process (the end of
        // the process stops it). Starting never waits: a thread not running has ended.
        std::lock_guard start(m_surveyStart);
        if (!m_surveyWorker.Running()) {
            m_surveyWorker.Start(kVendorSurveyThread, [this] { SurveyLoop(); });
            restarted = true;
        }
    }
    {
        // A request while one runs joins it: one end, the latest callback told.
        std::lock_guard lock(m_mutex);
        if (!m_surveyPending || restarted) m_surveyEndsAt = rt::NowMs() + kSurveyMs;
        m_surveyPending = true;
        m_surveyDone = done;
    }
    m_surveyWake.Set();
    return 1;
}

void SimHardware::SurveyLoop()
{
    while (m_surveyWake.Wait() == rt::Event::Result::Signalled) {
        for (;;) {
            void (*done)() = nullptr;
            std::int64_t wait = 0;
            {
                std::lock_guard lock(m_mutex);
                if (!m_surveyPending) break;
                wait = m_surveyEndsAt - rt::NowMs();
                if (wait <= 0) {
                    // The survey sees the world as it is at its end.
                    m_surveyed = VendorReadyLocked() ? SurveyNowLocked() : std::vector<SurveyNetwork>{};
                    m_surveyedOnce = true;
                    m_surveyPending = false;
                    done = m_surveyDone;
                    m_surveyDone = nullptr;
                }
            }
            if (wait > 0) {
                if (!rt::Sleep(wait)) return;
                continue;
            }
            // The program's callback runs on this thread, without the PC's lock.
            if (done) done();
        }
    }
}

int SimHardware::RAWL_SiteSurveyQuery(unsigned char* buffer, ULONG* sizeBytes)
{
    std::lock_guard lock(m_mutex);
    if (!buffer || !sizeBytes) return 0;
    if (!VendorReadyLocked()) {
        // No adapter to ask: an empty list.
        std::size_t used = 0;
        WriteSurvey({}, buffer, *sizeBytes, &used);
        *sizeBytes = static_cast<ULONG>(used);
        return 0;
    }
    // The list of the last survey; before any, what is in range now.
    std::size_t used = 0;
    WriteSurvey(m_surveyedOnce ? m_surveyed : SurveyNowLocked(), buffer, *sizeBytes, &used);
    *sizeBytes = static_cast<ULONG>(used);
    return 1;
}

int SimHardware::RAWL_ParseInfoElement(const unsigned char* entry, unsigned char* record)
{
    return ParseSurveyEntry(entry, record) ? 1 : 0;
}

int SimHardware::RAWL_FrequencyToChannel(ULONG frequencyKHz) { return FrequencyToChannel(frequencyKHz); }

// ---- Settings the library keeps ------------------------------------------------------------

int SimHardware::RAWL_SetAuthMode(int mode)
{
    std::lock_guard lock(m_mutex);
    if (!AdapterUsableLocked()) return 0;
    m_authMode = mode;
    return 1;
}

int SimHardware::RAWL_SetPreferWPSAPPhyType(int type)
{
    std::lock_guard lock(m_mutex);
    if (!AdapterUsableLocked()) return 0;
    m_preferPhyType = type;
    return 1;
}

int SimHardware::RAWL_SetWPSAutoSelect(int on)
{
    std::lock_guard lock(m_mutex);
    if (!AdapterUsableLocked()) return 0;
    m_autoSelect = on;
    return 1;
}

int SimHardware::RAWL_SetWPSProfile(WpsProfileRecord)
{
    std::lock_guard lock(m_mutex);
    return AdapterUsableLocked() ? 1 : 0;
}

int SimHardware::RAWL_SetWPSAssociateIE(int on)
{
    std::lock_guard lock(m_mutex);
    if (!AdapterUsableLocked()) return 0;
    m_associateIe = on;
    return 1;
}

int SimHardware::RAWL_SetWPSProbeReqIE(int on)
{
    std::lock_guard lock(m_mutex);
    if (!AdapterUsableLocked()) return 0;
    m_probeReqIe = on;
    return 1;
}

// ---- The adapter's association and the service's profiles ----------------------------------

int SimHardware::RAWL_WlanDisconnect()
{
    std::lock_guard lock(m_mutex);
    if (!AdapterUsableLocked()) return 0;
    m_associated = -1;
    m_pending.reset();
    return 1;
}

int SimHardware::RAWL_WlanDeleteAllWindowsProfiles()
{
    std::lock_guard lock(m_mutex);
    if (!AdapterUsableLocked()) return 0;
    m_profiles.clear();
    SaveProfilesLocked();
    // An association made with a profile ends with it.
    m_associated = -1;
    m_pending.reset();
    return 1;
}

int SimHardware::RAWL_Disassociate()
{
    std::lock_guard lock(m_mutex);
    if (!AdapterUsableLocked()) return 0;
    m_associated = -1;
    m_pending.reset();
    EndWpsAttemptLocked();
    return 1;
}

}  // namespace sim
