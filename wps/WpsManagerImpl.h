#pragma once
// Inside the WPS manager: what its two files share.
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "wps/WpsManager.h"

struct CWpsManager::Impl {
    // Started workers stay stored after they end, as the handles did; StopJoin drops
    // only one that was still running. Swapped under `workers`, never held across a wait.
    std::mutex workers;
    std::shared_ptr<rt::Worker> pbcThread;
    std::shared_ptr<rt::Worker> pinThread;

    // The texts; whole-value reads and writes under `texts`.
    mutable std::mutex texts;
    std::wstring ssid;      // m_szSsid
    std::wstring key;       // m_szKey
    std::string apSsid;     // m_szApSsid: the access point chosen last
    std::string pin;        // m_szPin
    std::vector<unsigned char> bssidList;  // pWpsBssidList (allocated per choice, unused)
    int apIndex = 0;

    CDialogEx* mainWindow = nullptr;  // receives 0x800C

    // The latest survey result, handed over under the process-wide survey lock.
    std::unique_ptr<std::vector<unsigned char>> surveyList;

    // A join stopped the wireless service for its exchange and has not started it again
    // (it was stopped in between): the manager's end starts it.
    std::atomic<bool> serviceStopped{false};
};

namespace wpsjoin {
// Waits through the runtime; false when the worker has been asked to stop.
inline bool Pause(std::int64_t ms) { return rt::Sleep(ms); }
// The survey list handed over to the PIN worker (null when none came).
std::unique_ptr<std::vector<unsigned char>> TakeSurveyList(CWpsManager::Impl& impl);
}  // namespace wpsjoin
