#pragma once
// The chip vendor's library: initialisation and the adapter's selection.
#include <cstdint>

// RAWL_Initial, then the first available adapter is selected. Once per monitor, two
// seconds after it first found the adapter.
void InitVendorLibrary(std::uintptr_t mainWindow);
// RAWL_DeInitial when the wizard's window goes, if the library was initialised.
void DeInitVendorLibrary();
bool VendorAdapterSelected();
