// The WPS device PIN: its checksum digit, the rule for a leading zero, and the runtime's
// random source it is drawn from.
#include <gtest/gtest.h>

#include <deque>

#include "runtime/Runtime.h"
#include "wps/WpsPin.h"

namespace {

// A random source that hands out the given bytes, then zeros.
RandomSource Bytes(std::deque<unsigned char> bytes)
{
    auto queue = std::make_shared<std::deque<unsigned char>>(std::move(bytes));
    return [queue](void* buffer, std::size_t n) {
        auto* out = static_cast<unsigned char*>(buffer);
        for (std::size_t i = 0; i < n; ++i) {
            out[i] = queue->empty() ? 0 : queue->front();
            if (!queue->empty()) queue->pop_front();
        }
    };
}

}  // namespace

TEST(WpsPin, ChecksumDigitTable)
{
    struct Case {
        std::uint32_t seven;
        int digit;
    } cases[] = {
        {1234567, 0},   // 3*(1+3+5+7) + (2+4+6) = 60: a multiple of ten gives 0, not 10
        {0, 0},
        {1, 7},         // the last digit weighs three
        {10, 9},        // the one before it weighs one
        {9999999, 5},   // 3*36 + 27 = 135
        {1000000, 7},   // the first digit weighs three
        {4213372, 8},   // 3*(4+1+3+2) + (2+3+7) = 42
        {7654321, 0},   // 3*(7+5+3+1) + (6+4+2) = 60
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seven);
        EXPECT_EQ(WpsChecksumDigit(c.seven), c.digit);
    }
}

TEST(WpsPin, ThreeBytesGiveTheSevenDigitsModuloTenMillion)
{
    // 0x98967F = 9,999,999; 0xFFFFFF = 16,777,215 -> 6,777,215.
    EXPECT_EQ(WpsPinDigits(Bytes({0x98, 0x96, 0x7F})), 9999999u);
    EXPECT_EQ(WpsPinDigits(Bytes({0xFF, 0xFF, 0xFF})), 6777215u);
    EXPECT_EQ(MakeWpsPin(Bytes({0xFF, 0xFF, 0xFF})), "67772155");
}

TEST(WpsPin, ALeadingZeroIsReplacedByADigitOneToEightAndFreshLowerDigits)
{
    // Three zero bytes: v = 0. The first digit is a draw modulo 8 plus one (byte 7 gives
    // 8, byte 0 gives 1); the six lower digits follow, lowest first.
    EXPECT_EQ(WpsPinDigits(Bytes({0, 0, 0, 7, 1, 2, 3, 4, 5, 6})), 8654321u);
    EXPECT_EQ(WpsPinDigits(Bytes({0, 0, 0, 0})), 1000000u);
    std::string pin = MakeWpsPin(Bytes({0, 0, 0}));
    EXPECT_EQ(pin.size(), 8u);
    EXPECT_GE(pin[0], '1');
    EXPECT_LE(pin[0], '8');
    EXPECT_TRUE(IsValidWpsPin(pin));
    // A value below a million keeps its own digits under the drawn ones: 0x0F423F = 999,999.
    EXPECT_EQ(WpsPinDigits(Bytes({0x0F, 0x42, 0x3F, 0})), 1999999u);
}

TEST(WpsPin, DigitDrawsFromTheUnevenTopOfTheByteRangeAreRepeated)
{
    // For a digit (modulo 10) the bytes 250..255 would favour 0..5: they are drawn again.
    EXPECT_EQ(WpsPinDigits(Bytes({0, 0, 0, 0, 250, 255, 9, 0, 0, 0, 0, 0})), 1000009u);
}

TEST(WpsPin, ValidityNeedsEightDigitsAndTheirChecksum)
{
    EXPECT_TRUE(IsValidWpsPin("12345670"));
    EXPECT_FALSE(IsValidWpsPin("12345671"));
    EXPECT_FALSE(IsValidWpsPin("1234567"));
    EXPECT_FALSE(IsValidWpsPin("123456700"));
    EXPECT_FALSE(IsValidWpsPin("1234567a"));
    EXPECT_FALSE(IsValidWpsPin(""));
}

TEST(WpsPin, TheVirtualClockDrawsFromItsSeedSoARunReplays)
{
    rt::Init(rt::ClockMode::Virtual, 0, 1.0);
    auto draw = [] { return MakeWpsPin([](void* b, std::size_t n) { rt::RandomBytes(b, n); }); };
    rt::SetRandomSeed(42);
    std::string a1 = draw(), a2 = draw();
    rt::SetRandomSeed(42);
    EXPECT_EQ(draw(), a1);
    EXPECT_EQ(draw(), a2);
    EXPECT_NE(a1, a2);
    rt::SetRandomSeed(43);
    EXPECT_NE(draw(), a1);
    EXPECT_TRUE(IsValidWpsPin(a1));
    // A new run starts again from the seed.
    rt::Shutdown();
    rt::Init(rt::ClockMode::Virtual, 0, 1.0);
    EXPECT_EQ(rt::RandomSeed(), 43u);
    std::string b1 = draw();
    rt::SetRandomSeed(43);
    EXPECT_EQ(draw(), b1);
    rt::SetRandomSeed(rt::kDefaultRandomSeed);
    rt::Shutdown();
}

TEST(WpsPin, TheRealClockDrawsFromTheSystemNotFromTheTime)
{
    // Two PINs made within the same second differ (one chance in ten million apart).
    rt::Init(rt::ClockMode::Real, 0, 1.0);
    auto draw = [] { return MakeWpsPin([](void* b, std::size_t n) { rt::RandomBytes(b, n); }); };
    std::string a = draw(), b = draw(), c = draw();
    EXPECT_TRUE(a != b || b != c);
    EXPECT_TRUE(IsValidWpsPin(a));
    rt::Shutdown();
}

TEST(WpsPin, ThePinTextIsSharedAcrossThreadsAndEmptyAtFirst)
{
    WpsPinText text;
    EXPECT_EQ(text.Get(), "");
    text.Set("12345670");
    EXPECT_EQ(text.Get(), "12345670");
}
