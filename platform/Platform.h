#pragma once
#include "platform/DeviceInstaller.h"
#include "platform/Files.h"
#include "platform/IpHelper.h"
#include "platform/NamedMutex.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "platform/ServiceControl.h"
#include "platform/Shell.h"
#include "platform/SystemInfo.h"
#include "platform/VendorWlan.h"
#include "platform/WlanLibrary.h"

// The operating system as the wizard sees it: one bundle per process.
struct Platform {
    SystemInfo* system = nullptr;
    Registry* registry = nullptr;
    Files* files = nullptr;
    NamedMutex* mutex = nullptr;
    Shell* shell = nullptr;
    Clipboard* clipboard = nullptr;
    WlanLibrary* wlan = nullptr;
    DeviceInstaller* devices = nullptr;
    ServiceControl* services = nullptr;
    Processes* processes = nullptr;
    VendorWlan* vendor = nullptr;
    IpHelper* ip = nullptr;
};

// The installed platform. Installed once by the start-up code (or a test) before use.
Platform& Os();
void InstallPlatform(const Platform& platform);
