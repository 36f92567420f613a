// The licence viewer's web archive reader: any bytes give a document whose page is
// UTF-8 without anything that could run, and whose parts the page's addresses find.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>

#include "mht/MhtArchive.h"
#include "fuzz/FuzzCheck.h"

namespace {

bool ValidUtf8(const std::string& s)
{
    std::size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        std::size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += n;
    }
    return true;
}

std::string Lower(std::string s)
{
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    MhtLimits limits;
    limits.maxPartBytes = 1u << 20;
    MhtDocument doc = ReadMhtArchive(bytes, limits);
    FUZZ_CHECK(ValidUtf8(doc.html), "the page is UTF-8");
    FUZZ_CHECK(doc.html.size() <= limits.maxPageBytes, "the page keeps to its limit");
    std::string lower = Lower(doc.html);
    for (const char* tag : {"<script", "<iframe", "<object", "<embed", "<applet"}) {
        std::size_t at = lower.find(tag);
        bool whole = at != std::string::npos && (at + std::char_traits<char>::length(tag) >= lower.size() ||
                                                  !std::isalnum(static_cast<unsigned char>(lower[at + std::char_traits<char>::length(tag)])));
        FUZZ_CHECK(!whole, "nothing that could run is left in the page");
    }
    FUZZ_CHECK(doc.resources.size() <= limits.maxParts, "no more parts than the limit");
    for (const auto& r : doc.resources) {
        if (!r.location.empty() && Lower(r.location).rfind("cid:", 0) != 0) FUZZ_CHECK(doc.Find(r.location) != nullptr, "a part is found by its own location");
        FUZZ_CHECK(r.data.size() <= limits.maxPartBytes, "no part beyond the limit");
    }
    FUZZ_CHECK(!doc.resources.empty() || doc.Find("http://example.com/remote.png") == nullptr,
               "an empty archive finds nothing");
    return 0;
}
