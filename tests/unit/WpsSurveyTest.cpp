// The access point a PIN join chooses from the vendor library's survey list, and the
// walk's limits: entries shorter than they say, entries past the buffer's end.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/VendorWlan.h"
#include "wps/WpsSurvey.h"

namespace {

struct Entry {
    std::string ssid;
    bool wps = true;
    unsigned char lastBssidByte = 1;
    std::uint32_t ieLength = 8;
    std::int64_t lengthDelta = 0;    // added to the stated entry length
    std::uint32_t ssidLength = ~0u;  // default: the SSID's size
    std::uint32_t frequency = 2437000;
};

void Put32(std::vector<unsigned char>& b, std::size_t at, std::uint32_t v) { std::memcpy(b.data() + at, &v, 4); }

// A survey list as the library lays it out; the first IE byte 0xDD marks a WPS entry
// for the test's own parser.
std::vector<unsigned char> List(const std::vector<Entry>& entries, std::size_t bufferBytes = kSurveyBufferBytes,
                                std::uint32_t count = ~0u)
{
    std::vector<unsigned char> b(bufferBytes, 0);
    Put32(b, 0, count == ~0u ? static_cast<std::uint32_t>(entries.size()) : count);
    std::size_t at = 4;
    for (const Entry& e : entries) {
        std::size_t size = survey::kIes + e.ieLength;
        if (at + size > b.size()) b.resize(at + size, 0);  // written whole; the test cuts
        Put32(b, at + survey::kLength, static_cast<std::uint32_t>(static_cast<std::int64_t>(size) + e.lengthDelta));
        for (int i = 0; i < 6; ++i) b[at + survey::kBssid + i] = static_cast<unsigned char>(0x10 + i);
        b[at + survey::kBssid + 5] = e.lastBssidByte;
        Put32(b, at + survey::kSsidLength, e.ssidLength == ~0u ? static_cast<std::uint32_t>(e.ssid.size()) : e.ssidLength);
        std::memcpy(b.data() + at + survey::kSsid, e.ssid.data(), std::min<std::size_t>(e.ssid.size(), 32));
        Put32(b, at + survey::kFrequency, e.frequency);
        Put32(b, at + survey::kIeLength, e.ieLength);
        if (e.ieLength > 0) b[at + survey::kIes] = e.wps ? 0xDD : 0x00;
        // The next entry starts where the stated length says (a zero would not move on).
        std::int64_t stated = static_cast<std::int64_t>(size) + e.lengthDelta;
        at += static_cast<std::size_t>(stated > 0 ? stated : static_cast<std::int64_t>(size));
    }
    return b;
}

const WpsEntryTest kTest = [](const unsigned char* entry) {
    std::uint32_t ie = 0;
    std::memcpy(&ie, entry + survey::kIeLength, 4);
    return ie > 0 && entry[survey::kIes] == 0xDD;
};

std::string Choose(const std::vector<unsigned char>& list, const std::string& avoid = "",
                   std::size_t bytes = kSurveyBufferBytes)
{
    auto ap = ChooseWpsAccessPoint(list.data(), std::min(bytes, list.size()), avoid, kTest);
    return ap ? ap->ssid : std::string("(none)");
}

}  // namespace

TEST(WpsSurvey, TheFirstWpsEntryIsChosenWithItsAddressAndFrequency)
{
    auto list = List({{.ssid = "Plain", .wps = false}, {.ssid = "First", .lastBssidByte = 7, .frequency = 2412000},
                      {.ssid = "Second"}});
    auto ap = ChooseWpsAccessPoint(list.data(), list.size(), "", kTest);
    ASSERT_TRUE(ap);
    EXPECT_EQ(ap->ssid, "First");
    EXPECT_EQ(ap->bssid, (std::array<unsigned char, 6>{0x10, 0x11, 0x12, 0x13, 0x14, 7}));
    EXPECT_EQ(ap->frequencyKHz, 2412000u);
}

TEST(WpsSurvey, ChoiceTable)
{
    struct Case {
        const char* what;
        std::vector<Entry> entries;
        std::string avoid;
        std::string chosen;
        std::uint32_t count = ~0u;
    } cases[] = {
        {"no entries", {}, "", "(none)"},
        {"no WPS entry", {{.ssid = "A", .wps = false}, {.ssid = "B", .wps = false}}, "", "(none)"},
        {"the SSID tried last time is passed over", {{.ssid = "Home"}, {.ssid = "Work"}}, "Home", "Work"},
        {"every WPS entry was the one tried", {{.ssid = "Home"}, {.ssid = "Home", .lastBssidByte = 2}}, "Home",
         "(none)"},
        {"an entry shorter than its IEs is skipped", {{.ssid = "Short", .lengthDelta = -1}, {.ssid = "Next"}}, "",
         "Next"},
        {"an entry shorter than the fixed part is skipped",
         {{.ssid = "Tiny", .ieLength = 0, .lengthDelta = -100}, {.ssid = "Next"}}, "", "Next"},
        {"the count ends the walk", {{.ssid = "A", .wps = false}, {.ssid = "B"}}, "", "(none)", 1},
        {"a count beyond the entries stops at the zero after them", {{.ssid = "A", .wps = false}}, "", "(none)", 5000},
        {"an SSID length beyond 32 is cut to the field", {{.ssid = std::string(32, 'x'), .ssidLength = 4000}}, "",
         std::string(32, 'x')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Choose(List(c.entries, kSurveyBufferBytes, c.count), c.avoid), c.chosen);
    }
}

TEST(WpsSurvey, AnEntryOverrunningTheBufferEndsTheWalkUnread)
{
    // 600 entries of 124 bytes do not fit 65,536 bytes: the 528th runs past the end.
    std::vector<Entry> entries(600, Entry{.ssid = "Far", .wps = false});
    entries.back() = Entry{.ssid = "Beyond"};
    auto list = List(entries);
    ASSERT_GT(list.size(), kSurveyBufferBytes);
    int asked = 0;
    auto ap = ChooseWpsAccessPoint(list.data(), kSurveyBufferBytes, "", [&](const unsigned char* entry) {
        ++asked;
        EXPECT_LE(entry + survey::kIes + 8, list.data() + kSurveyBufferBytes);
        return kTest(entry);
    });
    EXPECT_FALSE(ap);
    EXPECT_EQ(asked, static_cast<int>((kSurveyBufferBytes - 4) / (survey::kIes + 8)));

    // An entry whose stated length reaches past the end is not read either.
    auto one = List({{.ssid = "Liar", .lengthDelta = 70000}});
    EXPECT_EQ(Choose(one), "(none)");
    // Nor one whose fixed part is cut by the buffer's end.
    auto cut = List({{.ssid = "Cut"}});
    EXPECT_EQ(Choose(cut, "", 4 + survey::kIes - 1), "(none)");
    // A stated length of zero cannot lead on: the walk stops instead of reading it again.
    auto zero = List({{.ssid = "Zero", .lengthDelta = -124}, {.ssid = "After"}});
    EXPECT_EQ(Choose(zero), "(none)");
}
