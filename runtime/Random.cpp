// Random bytes: the operating system's cryptographic source on the real clock, a seeded
// generator on the virtual clock (a virtual run must replay exactly).
#include <sys/random.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "runtime/Runtime.h"

namespace rt {

namespace {

std::mutex g_randomMutex;
std::uint64_t g_seed = kDefaultRandomSeed;
std::uint64_t g_state = kDefaultRandomSeed;

// SplitMix64: small, fast, and every seed gives a full-period sequence.
std::uint64_t NextLocked()
{
    std::uint64_t z = (g_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

void SystemRandomBytes(unsigned char* out, std::size_t bytes)
{
    while (bytes > 0) {
        ssize_t got = ::getrandom(out, bytes, 0);
        if (got < 0) {
            if (errno == EINTR) continue;
            // Without the system's source there is no PIN worth showing.
            std::abort();
        }
        out += got;
        bytes -= static_cast<std::size_t>(got);
    }
}

}  // namespace

void RandomBytes(void* buffer, std::size_t bytes)
{
    auto* out = static_cast<unsigned char*>(buffer);
    if (!IsVirtual()) {
        SystemRandomBytes(out, bytes);
        return;
    }
    std::lock_guard lock(g_randomMutex);
    while (bytes > 0) {
        std::uint64_t word = NextLocked();
        std::size_t n = bytes < sizeof word ? bytes : sizeof word;
        std::memcpy(out, &word, n);
        out += n;
        bytes -= n;
    }
}

void SetRandomSeed(std::uint64_t seed)
{
    std::lock_guard lock(g_randomMutex);
    g_seed = seed;
    g_state = seed;
}

std::uint64_t RandomSeed()
{
    std::lock_guard lock(g_randomMutex);
    return g_seed;
}

}  // namespace rt
