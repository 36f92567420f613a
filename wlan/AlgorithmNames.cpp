#include "wlan/AlgorithmNames.h"

namespace {
constexpr DWORD kIhvStart = 0x80000000u;
constexpr DWORD kIhvEnd = 0xFFFFFFFFu;
}  // namespace

const wchar_t* AuthAlgorithmName(DWORD value)
{
    switch (value) {
    case 1: return L"OPEN";
    case 2: return L"SHARED_KEY";
    case 3: return L"WPA";
    case 4: return L"WPA_PSK";
    case 5: return L"WPA_NONE";
    case 6: return L"RSNA";
    case 7: return L"RSNA_PSK";
    case kIhvStart: return L"IHV_START";
    case kIhvEnd: return L"IHV_END";
    default: return L"OPEN";
    }
}

const wchar_t* CipherAlgorithmName(DWORD value)
{
    switch (value) {
    case 0: return L"NONE";
    case 1: return L"WEP40";
    case 2: return L"TKIP";
    case 4: return L"CCMP";
    case 5: return L"WEP104";
    case 0x100: return L"WPA_USE_GROUP";
    case 0x101: return L"WEP";
    case kIhvStart: return L"IHV_START";
    case kIhvEnd: return L"IHV_END";
    default: return L"NONE";
    }
}
