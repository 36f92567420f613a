#include "wps/VendorLibrary.h"

#include <atomic>
#include <cstring>
#include <vector>

#include "platform/Platform.h"

namespace {
std::atomic<bool> g_bInitialised{false};
std::atomic<bool> g_bSelected{false};
// The selected adapter's record.
unsigned char g_SelectedAdapter[kRawlAdapterRecordBytes];

void NoCallback() {}
}  // namespace

void InitVendorLibrary(std::uintptr_t mainWindow)
{
    VendorWlan* rawl = Os().vendor;
    rawl->RAWL_Initial("Vendor", mainWindow);
    g_bInitialised = true;
    std::vector<unsigned char> buffer(4 + kRawlAdapterRecordBytes, 0);
    int result = rawl->RAWL_GetAvailableAdapters(buffer, 1);
    if (result == kRawlBufferTooSmall) {
        std::uint32_t needed = 0;
        std::memcpy(&needed, buffer.data(), 4);
        buffer.assign(needed * kRawlAdapterRecordBytes + 4, 0);
        result = rawl->RAWL_GetAvailableAdapters(buffer, static_cast<int>(needed));
    }
    std::int32_t count = 0;
    std::memcpy(&count, buffer.data(), 4);
    if (result >= 0 && count > 0 && buffer.size() >= 4 + kRawlAdapterRecordBytes) {
        std::memcpy(g_SelectedAdapter, buffer.data() + 4, kRawlAdapterRecordBytes);
        g_bSelected = rawl->RAWL_AdapterSelect(g_SelectedAdapter, &NoCallback, mainWindow) == 1;
    }
}

void DeInitVendorLibrary()
{
    if (!g_bInitialised.exchange(false)) return;
    g_bSelected = false;
    Os().vendor->RAWL_DeInitial();
}

bool VendorAdapterSelected() { return g_bSelected; }
