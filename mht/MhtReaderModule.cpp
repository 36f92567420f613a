// The reader as a loadable module: one exported entry, everything else hidden.
#include "mht/MhtArchive.h"

extern "C" __attribute__((visibility("default"))) void tc_mht_read_archive(const char* bytes, std::size_t size,
                                                                          const MhtLimits* limits, MhtDocument* out)
{
    *out = ReadMhtArchive(std::string_view(bytes, size), limits ? *limits : MhtLimits{});
}

// The entry's type is the one the program calls through.
static_assert(std::is_same_v<decltype(tc_mht_read_archive), MhtReadEntry>);
