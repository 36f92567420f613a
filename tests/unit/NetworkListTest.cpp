// The network records: the fetch's rules, the security texts, the sorts with their shared
// direction flag and the signal column's width.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "wlan/NetworkList.h"

namespace {

WLAN_AVAILABLE_NETWORK Net(const std::string& ssid, DWORD auth, DWORD cipher, DWORD quality = 50,
                           BOOL connectable = TRUE)
{
    WLAN_AVAILABLE_NETWORK n;
    n.dot11Ssid.uSSIDLength = static_cast<DWORD>(std::min<std::size_t>(ssid.size(), 32));
    std::memcpy(n.dot11Ssid.ucSSID, ssid.data(), n.dot11Ssid.uSSIDLength);
    n.dot11DefaultAuthAlgorithm = auth;
    n.dot11DefaultCipherAlgorithm = cipher;
    n.wlanSignalQuality = quality;
    n.bNetworkConnectable = connectable;
    return n;
}

WLAN_AVAILABLE_NETWORK_LIST ListOf(std::vector<WLAN_AVAILABLE_NETWORK> nets)
{
    WLAN_AVAILABLE_NETWORK_LIST list;
    list.dwNumberOfItems = static_cast<DWORD>(nets.size());
    list.Network = std::move(nets);
    return list;
}

std::vector<std::string> Ssids(const NetworkRecordStore& store)
{
    std::vector<std::string> out;
    for (int i = 0; i < store.Count(); ++i) out.push_back(RecordSsidBytes(store.Record(i)));
    return out;
}

struct Fresh : ::testing::Test {
    void SetUp() override { ResetNetworkListValues(); }
    NetworkRecordStore store;
    int Build(const WLAN_AVAILABLE_NETWORK_LIST& list)
    {
        return BuildNetworkRecords(list, store.List(), store.Images());
    }
};

}  // namespace

TEST(NetworkRecords, SignalBarsAtTheirBoundaries)
{
    const std::pair<DWORD, int> table[] = {{0, 0},  {10, 0}, {11, 1}, {30, 1}, {31, 2}, {50, 2}, {51, 3},
                                           {70, 3}, {71, 4}, {85, 4}, {86, 5}, {100, 5}};
    for (auto [quality, bars] : table) EXPECT_EQ(SignalBarsOf(quality), bars) << quality;
}

TEST(NetworkRecords, KeyRuleAndSecurityTexts)
{
    struct Case { DWORD auth, cipher; bool key; const wchar_t* text; const wchar_t* spanish; };
    const Case table[] = {
        {1, 0, false, L"Open", L"Abierta"}, {1, 257, true, L"WEP", L"WEP"},  {1, 1, true, L"WEP", L"WEP"},
        {1, 5, true, L"WEP", L"WEP"},       {1, 4, false, L"WEP", L"WEP"},   {2, 0, true, L"Open", L"Abierta"},
        {2, 1, true, L"WEP", L"WEP"},       {3, 2, true, L"WPA", L"WPA"},    {4, 2, true, L"WPA", L"WPA"},
        {5, 0, true, L"WPA", L"WPA"},       {6, 4, true, L"WPA2", L"WPA2"},  {7, 4, true, L"WPA2", L"WPA2"},
        {0, 0, true, L" ", L" "},           {8, 4, true, L" ", L" "},
        {0x80000000u, 0, true, L" ", L" "},
    };
    for (const Case& c : table) {
        EXPECT_EQ(NetworkNeedsKey(c.auth, c.cipher), c.key) << c.auth << "/" << c.cipher;
        EXPECT_EQ(SecurityText(c.auth, c.cipher, 1033), c.text) << c.auth << "/" << c.cipher;
        EXPECT_EQ(SecurityText(c.auth, c.cipher, 1034), c.spanish) << c.auth << "/" << c.cipher;
    }
}

TEST_F(Fresh, RecordsKeepTheServiceOrderAndSkipHiddenNotConnectableAndDuplicates)
{
    auto list = ListOf({Net("Home", 7, 4, 92), Net("", 7, 4, 80), Net("Cafe", 1, 0, 40),
                        Net("Home", 7, 4, 60),      // same SSID and cipher: the first one wins
                        Net("Home", 7, 2, 30),      // same SSID, other cipher: a record of its own
                        Net("home", 7, 4, 30),      // case counts
                        Net("Far", 7, 4, 99, FALSE), Net("Office", 1, 257, 10)});
    std::string hidden("\0abc", 4);
    list.Network.push_back(Net(hidden, 7, 4));  // a name whose first byte is zero is hidden too
    list.dwNumberOfItems = static_cast<DWORD>(list.Network.size());
    EXPECT_EQ(Build(list), 5);
    EXPECT_EQ(store.List().count, 5u);
    EXPECT_EQ(Ssids(store), (std::vector<std::string>{"Home", "Cafe", "Home", "home", "Office"}));
    const NetworkRecord& home = store.Record(0);
    EXPECT_EQ(home.ssidLength, 4);
    EXPECT_EQ(home.authAlgorithm, 7);
    EXPECT_EQ(home.cipherAlgorithm, 4);
    EXPECT_EQ(home.signalBars, 5);
    EXPECT_EQ(home.securityImage, kLockImage);
    EXPECT_EQ(store.Record(1).securityImage, kBlankImage);
    EXPECT_EQ(store.Record(2).cipherAlgorithm, 2);
    EXPECT_EQ(store.Record(4).securityImage, kLockImage);  // open with WEP needs a key
    for (int i = 0; i < store.Count(); ++i) {
        EXPECT_EQ(store.Images().pImageData[i].securityImage, store.Record(i).securityImage);
        EXPECT_EQ(store.Images().pImageData[i].signalImage, store.Record(i).signalBars);
    }
}

TEST_F(Fresh, TheCountIsCutTo127OnlyAbove128)
{
    const std::pair<int, int> table[] = {{0, 0}, {5, 5}, {127, 127}, {128, 128}, {129, 127}, {200, 127}};
    for (auto [visible, expected] : table) {
        std::vector<WLAN_AVAILABLE_NETWORK> nets;
        for (int i = 0; i < visible; ++i) nets.push_back(Net("Net" + std::to_string(i), 7, 4));
        EXPECT_EQ(ExaminedNetworkCount(static_cast<DWORD>(visible)), static_cast<DWORD>(expected)) << visible;
        EXPECT_EQ(Build(ListOf(nets)), expected) << visible;
        if (expected > 0) {
            EXPECT_EQ(RecordSsidBytes(store.Record(expected - 1)), "Net" + std::to_string(expected - 1));
        }
    }
}

TEST_F(Fresh, AFetchReplacesEveryRecordAndZeroesTheRest)
{
    Build(ListOf({Net("A", 7, 4), Net("B", 7, 4), Net("C", 7, 4)}));
    EXPECT_EQ(Build(ListOf({Net("D", 1, 0, 20)})), 1);
    EXPECT_EQ(Ssids(store), (std::vector<std::string>{"D"}));
    EXPECT_EQ(store.List().pSiteSurveyData[1].ssidLength, 0);
    EXPECT_EQ(store.Images().pImageData[1].securityImage, 0);
    EXPECT_EQ(Build(ListOf({})), 0);
}

TEST_F(Fresh, AnItemCountBeyondTheItemsGivenReadsOnlyTheItems)
{
    auto list = ListOf({Net("A", 7, 4)});
    list.dwNumberOfItems = 40;
    EXPECT_EQ(Build(list), 1);
}

TEST_F(Fresh, ThirtyTwoByteSsidsAreKeptWholeAndComparedOverAllBytes)
{
    std::string a(32, 'x'), b(32, 'x');
    b[31] = 'y';
    auto list = ListOf({Net(a, 7, 4), Net(b, 7, 4), Net(a, 7, 4)});
    EXPECT_EQ(Build(list), 2);
    EXPECT_EQ(RecordSsidBytes(store.Record(0)), a);
    EXPECT_EQ(RecordSsidBytes(store.Record(1)), b);
    EXPECT_EQ(store.Record(0).ssidLength, 32);
}

TEST_F(Fresh, SsidSortAlternatesAscendingAndDescendingIgnoringAsciiCase)
{
    Build(ListOf({Net("bravo", 7, 4), Net("Alpha", 7, 4), Net("charlie", 7, 4), Net("\xC4rger", 7, 4)}));
    ASSERT_TRUE(SortNetworkRecords(NetworkSort::Ssid, store.List(), store.Images()));
    EXPECT_EQ(Ssids(store), (std::vector<std::string>{"Alpha", "bravo", "charlie", "\xC4rger"}));
    EXPECT_EQ(g_bSsidSortDescending, 1);
    SortNetworkRecords(NetworkSort::Ssid, store.List(), store.Images());
    EXPECT_EQ(Ssids(store), (std::vector<std::string>{"\xC4rger", "charlie", "bravo", "Alpha"}));
    EXPECT_EQ(g_bSsidSortDescending, 0);
    EXPECT_EQ(g_bValueSortAscending, 0);
}

TEST_F(Fresh, SignalAndSecuritySortsShareOneDirectionFlag)
{
    Build(ListOf({Net("wpa", 3, 2, 40), Net("open", 1, 0, 95), Net("wpa2", 7, 4, 60), Net("wep", 1, 257, 20)}));
    SortNetworkRecords(NetworkSort::Signal, store.List(), store.Images());  // strongest first
    EXPECT_EQ(Ssids(store), (std::vector<std::string>{"open", "wpa2", "wpa", "wep"}));
    for (int i = 0; i < store.Count(); ++i) {
        EXPECT_EQ(store.Images().pImageData[i].signalImage, store.Record(i).signalBars);
        EXPECT_EQ(store.Images().pImageData[i].securityImage, store.Record(i).securityImage);
    }
    EXPECT_EQ(g_bValueSortAscending, 1);
    // The signal sort turned the flag: the first security sort is ascending by auth + cipher.
    SortNetworkRecords(NetworkSort::Security, store.List(), store.Images());
    EXPECT_EQ(Ssids(store), (std::vector<std::string>{"open", "wpa", "wpa2", "wep"}));
    EXPECT_EQ(g_bValueSortAscending, 0);
    SortNetworkRecords(NetworkSort::Security, store.List(), store.Images());
    EXPECT_EQ(Ssids(store), (std::vector<std::string>{"wep", "wpa2", "wpa", "open"}));
    EXPECT_EQ(g_bSsidSortDescending, 0);
}

TEST_F(Fresh, FewerThanTwoRecordsAreNotSortedAndTheFlagStays)
{
    Build(ListOf({Net("only", 7, 4)}));
    EXPECT_FALSE(SortNetworkRecords(NetworkSort::Ssid, store.List(), store.Images()));
    EXPECT_FALSE(SortNetworkRecords(NetworkSort::Signal, store.List(), store.Images()));
    EXPECT_EQ(g_bSsidSortDescending, 0);
    EXPECT_EQ(g_bValueSortAscending, 0);
}

TEST(NetworkRecords, SignalColumnWidthByCountAndDpi)
{
    struct Case { int records, dpi, width; };
    const Case table[] = {{0, 96, 114}, {4, 96, 114}, {4, 144, 114}, {5, 96, 97},  {128, 96, 97},
                          {5, 72, 97},  {5, 120, 92}, {5, 144, 88},  {5, 192, 79}, {5, 97, 96}};
    for (const Case& c : table) EXPECT_EQ(SignalColumnWidth(c.records, c.dpi), c.width) << c.records << "@" << c.dpi;
}

TEST(NetworkRecords, TheArraysAreAllocatedOnceWithTheirTracedSizes)
{
    NetworkRecordStore store;
    EXPECT_NE(store.List().pSiteSurveyData, nullptr);
    EXPECT_NE(store.Images().pImageData, nullptr);
    EXPECT_EQ(store.List().count, 0u);
    EXPECT_EQ(kMaxNetworkRecords * static_cast<int>(sizeof(ImageRecord)), kImageDataBytes);
}
