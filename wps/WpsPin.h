#pragma once
// The device PIN of a WPS join by PIN: seven random digits and the WPS checksum digit.
// The router's user types it in; a PIN a registrar could guess lets a rogue one in, so
// the digits come from the runtime's random source, never from a clock-seeded generator.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

// Fills a buffer with random bytes (rt::RandomBytes in the program).
using RandomSource = std::function<void(void* buffer, std::size_t bytes)>;

// The checksum digit of a seven-digit value: three times the 1st, 3rd, 5th and 7th digit
// from the left plus the others, then what completes that sum to a multiple of ten.
int WpsChecksumDigit(std::uint32_t sevenDigits);
// The seven leading digits: three random bytes as one number modulo 10,000,000; when its
// first digit would be 0, a first digit 1 to 8 and six fresh lower digits are drawn.
std::uint32_t WpsPinDigits(const RandomSource& random);
// Eight-digit text: the seven digits and their checksum.
std::string MakeWpsPin(const RandomSource& random);
// True for eight decimal digits whose last is the checksum of the first seven.
bool IsValidWpsPin(const std::string& text);

// The current PIN as the page shows it and the join takes it: narrow text, empty until
// the first one is made. Shared between threads under its own lock.
class WpsPinText {
public:
    std::string Get() const { std::lock_guard<std::mutex> lock(m_mutex); return m_text; }
    void Set(const std::string& text) { std::lock_guard<std::mutex> lock(m_mutex); m_text = text; }
private:
    mutable std::mutex m_mutex;
    std::string m_text;
};
extern WpsPinText g_szWpsPin;
std::string CurrentWpsPin();
