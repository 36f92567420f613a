// The log's names of the authentication and cipher values.
#include <gtest/gtest.h>

#include <string>

#include "wlan/AlgorithmNames.h"

TEST(AlgorithmNames, EveryValueHasItsNameAndUnknownValuesReadOpenAndNone)
{
    const std::pair<DWORD, std::wstring> auth[] = {
        {1, L"OPEN"}, {2, L"SHARED_KEY"}, {3, L"WPA"}, {4, L"WPA_PSK"}, {5, L"WPA_NONE"}, {6, L"RSNA"},
        {7, L"RSNA_PSK"}, {0x80000000u, L"IHV_START"}, {0xFFFFFFFFu, L"IHV_END"}, {0, L"OPEN"}, {8, L"OPEN"},
        {0x80000001u, L"OPEN"}};
    for (const auto& [value, name] : auth) EXPECT_EQ(AuthAlgorithmName(value), name) << value;
    const std::pair<DWORD, std::wstring> cipher[] = {
        {0, L"NONE"}, {1, L"WEP40"}, {2, L"TKIP"}, {4, L"CCMP"}, {5, L"WEP104"}, {256, L"WPA_USE_GROUP"},
        {257, L"WEP"}, {0x80000000u, L"IHV_START"}, {0xFFFFFFFFu, L"IHV_END"}, {3, L"NONE"}, {6, L"NONE"},
        {258, L"NONE"}};
    for (const auto& [value, name] : cipher) EXPECT_EQ(CipherAlgorithmName(value), name) << value;
}
