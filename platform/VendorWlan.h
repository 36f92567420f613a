#pragma once
// RaWLAPI.dll, the wireless chip vendor's library. Its functions join this interface as
// the operations that call them are built.
#include <cstdint>
#include <vector>

#include "platform/Win32Types.h"

// Adapter records of RAWL_GetAvailableAdapters.
constexpr std::size_t kRawlAdapterRecordBytes = 1300;
constexpr int kRawlBufferTooSmall = -10;

class VendorWlan {
public:
    virtual ~VendorWlan() = default;
    virtual int RAWL_Initial(const char* vendor, std::uintptr_t mainWindow) = 0;
    // buffer: a 32-bit count, then `capacity` records of 1300 bytes. Returns the count
    // written, or -10 with the count needed in the first four bytes.
    virtual int RAWL_GetAvailableAdapters(std::vector<unsigned char>& buffer, int capacity) = 0;
    // The first adapter record; 1 on success.
    virtual int RAWL_AdapterSelect(const unsigned char* record, void (*callback)(), std::uintptr_t mainWindow) = 0;
    virtual int RAWL_DeInitial() = 0;
};
