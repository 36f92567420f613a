#pragma once
// Finding the adapter: by its hardware ID among the network devices, and by its
// description among the wireless service's interfaces.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Guid.h"
#include "platform/WlanLibrary.h"

// Accepted hardware IDs, in the order they are tried.
std::vector<std::wstring> AcceptedHardwareIds(bool siblingModel);
// True when the device's first hardware ID, upper-cased, begins with an accepted ID.
bool HardwareIdMatches(const std::wstring& firstHardwareId, bool siblingModel);
// True when the interface description begins with one of the model's names (case-sensitive).
bool DescriptionMatches(const std::wstring& description, bool siblingModel);

// The adapter's identity, process-wide (Reset at the start of a process).
std::wstring AdapterPnpId();          // empty until the first successful match
std::wstring AdapterNetCfgInstanceId();
GUID AdapterInterfaceGuid();
void ResetAdapterIdentity();

// True when a present network device has an accepted hardware ID and a readable
// NetCfgInstanceId; that value then becomes the adapter's.
bool FindAdapterDevice();

// One wireless operation's own client handle: opened by OpenAdapter and closed when the
// operation ends, so that overlapping operations on other threads never close each
// other's handle.
class CWlanClient {
public:
    CWlanClient() = default;
    ~CWlanClient() { Close(); }
    CWlanClient(const CWlanClient&) = delete;
    CWlanClient& operator=(const CWlanClient&) = delete;
    WLAN_HANDLE Handle() const { return m_hClient; }
    void Close();

private:
    friend bool OpenAdapter(CWlanClient& client);
    WLAN_HANDLE m_hClient = 0;
};

// Opens a new client handle (closing the one the client still holds) and selects the
// adapter's interface; on true the adapter's interface GUID is known. The handle stays
// open on both results until the caller closes it.
bool OpenAdapter(CWlanClient& client);
