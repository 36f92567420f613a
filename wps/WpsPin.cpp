#include "wps/WpsPin.h"

WpsPinText g_szWpsPin;

namespace {

constexpr std::uint32_t kSevenDigits = 10000000;
constexpr std::uint32_t kSixDigits = 1000000;

// A uniform number below n (n <= 256) from random bytes: bytes in the uneven tail of
// the range are drawn again rather than folded onto the low numbers.
std::uint32_t UniformBelow(const RandomSource& random, std::uint32_t n)
{
    const std::uint32_t limit = 256 - 256 % n;
    for (;;) {
        unsigned char byte = 0;
        random(&byte, 1);
        if (byte < limit) return byte % n;
    }
}

}  // namespace

int WpsChecksumDigit(std::uint32_t sevenDigits)
{
    // Digits from the right: the 7th digit from the left is the lowest and weighs 3.
    std::uint32_t sum = 0;
    std::uint32_t v = sevenDigits % kSevenDigits;
    for (int position = 0; position < 7; ++position) {
        sum += (position % 2 == 0 ? 3 : 1) * (v % 10);
        v /= 10;
    }
    return static_cast<int>((10 - sum % 10) % 10);
}

std::uint32_t WpsPinDigits(const RandomSource& random)
{
    unsigned char b[3] = {0, 0, 0};
    random(b, sizeof b);
    std::uint32_t v = ((std::uint32_t{b[0]} << 16) | (std::uint32_t{b[1]} << 8) | b[2]) % kSevenDigits;
    if (v < kSixDigits) {
        v += (UniformBelow(random, 8) + 1) * kSixDigits;
        std::uint32_t weight = 1;
        for (int i = 0; i < 6; ++i, weight *= 10) v += UniformBelow(random, 10) * weight;
    }
    return v;
}

std::string MakeWpsPin(const RandomSource& random)
{
    std::uint32_t v = WpsPinDigits(random);
    return std::to_string(v * 10 + static_cast<std::uint32_t>(WpsChecksumDigit(v)));
}

bool IsValidWpsPin(const std::string& text)
{
    if (text.size() != 8) return false;
    std::uint32_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return WpsChecksumDigit(v / 10) == static_cast<int>(v % 10);
}

std::string CurrentWpsPin() { return g_szWpsPin.Get(); }
