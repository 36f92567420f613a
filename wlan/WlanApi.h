#pragma once
// The wireless service's API, bound at run time from wlanapi.dll.
#include <atomic>
#include <cstdint>

#include "platform/Win32Types.h"

// Loads the library and resolves its eleven functions; true only when all are there.
// The library stays loaded whatever the answer.
bool LoadWlanApi();
bool WlanApiBound();

// The one client handle of the process; 0 while no wireless operation holds one.
extern std::atomic<std::uintptr_t> g_hWlanClient;

void ResetWlanBinding();
