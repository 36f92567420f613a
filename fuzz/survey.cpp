// The vendor library's site survey: any bytes read as a survey list are walked with
// every length checked against the buffer, and each entry's elements are read within the
// entry (the entries are copied to allocations of exactly their stated length, so that a
// read past one is caught); and any list of networks is written into a buffer of any size
// and reads back as the networks that fit, each entry with its SSID, channel and WPS mark.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/FuzzCheck.h"
#include "sim/SurveyBuffer.h"

namespace {

// The record the element walk writes into: nothing but "TRUE" at byte 40, or nothing.
bool ParsedIsWps(const unsigned char* entry, std::size_t length)
{
    std::vector<unsigned char> exact(entry, entry + length);
    std::vector<unsigned char> record(kParsedIeRecordBytes, 0);
    FUZZ_CHECK(sim::ParseSurveyEntry(exact.data(), record.data()), "an entry of the list is read");
    const bool wps = std::memcmp(&record[kParsedIeWpsFlag], "TRUE", 5) == 0;
    for (std::size_t i = 0; i < record.size(); ++i)
        if (!wps || i < kParsedIeWpsFlag || i >= kParsedIeWpsFlag + 5)
            FUZZ_CHECK(record[i] == 0, "the walk writes nothing but the WPS mark");
    return wps;
}

void WalkAnyBytes(const std::uint8_t* data, std::size_t size)
{
    const std::vector<unsigned char> buffer(data, data + size);
    std::size_t end = 4;
    for (const sim::SurveyEntryView& e : sim::ReadSurvey(buffer.data(), buffer.size())) {
        FUZZ_CHECK(e.offset == end, "entries follow one another");
        FUZZ_CHECK(e.length >= survey::kIes && e.length <= buffer.size() - e.offset, "an entry lies inside the buffer");
        ParsedIsWps(buffer.data() + e.offset, e.length);
        end = e.offset + e.length;
    }
}

struct Reader {
    const std::uint8_t* data;
    std::size_t size;
    std::uint8_t Byte()
    {
        if (!size) return 0;
        --size;
        return *data++;
    }
};

void WriteAndReadBack(const std::uint8_t* data, std::size_t size)
{
    Reader in{data, size};
    const std::size_t bufferSize = (static_cast<std::size_t>(in.Byte()) << 8 | in.Byte()) % 8192;
    std::vector<sim::SurveyNetwork> networks;
    while (in.size && networks.size() < 64) {
        sim::SurveyNetwork n;
        const std::size_t ssidBytes = in.Byte() % 41;
        for (std::size_t i = 0; i < ssidBytes; ++i) n.ssid += static_cast<char>(in.Byte());
        const std::uint8_t flags = in.Byte();
        n.hidden = flags & 1;
        n.wps = flags & 2;
        n.pbcWindowOpen = flags & 4;
        n.infrastructure = flags & 8;
        n.channel = in.Byte();
        n.auth = in.Byte() % 9;
        n.cipher = in.Byte();
        n.signal = in.Byte();
        for (unsigned char& b : n.bssid) b = in.Byte();
        networks.push_back(n);
    }
    std::vector<unsigned char> buffer(bufferSize);
    std::size_t used = 0;
    const std::uint32_t count = sim::WriteSurvey(networks, buffer.data(), buffer.size(), &used);
    FUZZ_CHECK(used <= buffer.size(), "the list stays within its buffer");
    FUZZ_CHECK(count <= networks.size(), "no more entries than networks");
    const auto entries = sim::ReadSurvey(buffer.data(), used);
    FUZZ_CHECK(entries.size() == count, "the list reads back as many entries as it counts");
    if (count < networks.size())
        FUZZ_CHECK(sim::SurveyEntry(networks[count]).size() > buffer.size() - used, "only an entry that does not fit is left out");
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const sim::SurveyNetwork& n = networks[i];
        const unsigned char* e = buffer.data() + entries[i].offset;
        FUZZ_CHECK(entries[i].complete && entries[i].length % 4 == 0, "an entry holds its elements, 4-byte aligned");
        std::uint32_t ssidLength, kHz;
        std::memcpy(&ssidLength, e + survey::kSsidLength, 4);
        std::memcpy(&kHz, e + survey::kFrequency, 4);
        const std::string ssid = n.hidden ? std::string() : n.ssid.substr(0, 32);
        FUZZ_CHECK(ssidLength == ssid.size() && std::memcmp(e + survey::kSsid, ssid.data(), ssid.size()) == 0,
                   "the entry carries the SSID, empty for a hidden network");
        FUZZ_CHECK(std::memcmp(e + survey::kBssid, n.bssid, 6) == 0, "the entry carries the BSSID");
        if (sim::ChannelToFrequencyKHz(n.channel))
            FUZZ_CHECK(sim::FrequencyToChannel(kHz) == n.channel, "the frequency gives the channel back");
        FUZZ_CHECK(ParsedIsWps(e, entries[i].length) == n.wps, "the WPS mark is the router's");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    if (data[0] & 1) WriteAndReadBack(data + 1, size - 1);
    else WalkAnyBytes(data + 1, size - 1);
    return 0;
}
