// The platform's text conversion: UTF-8 and wide text both ways, and case folding.
#include <gtest/gtest.h>

#include "platform/Text.h"

namespace {

struct Utf8Case {
    const char* what;
    std::string utf8;
    std::wstring wide;
};

TEST(Text, Utf8ToWideDecodesAndReplacesWhatIsMalformed)
{
    const Utf8Case cases[] = {
        {"ASCII", "Home net", L"Home net"},
        {"two-byte", "Gr\xC3\xBC\xC3\x9F" "e", L"Gr\u00FC\u00DFe"},
        {"three-byte Thai", "\xE0\xB8\x81", L"\u0E01"},
        {"four-byte", "\xF0\x9F\x93\xB6", L"\U0001F4F6"},
        {"lone continuation byte", "a\x80" "b", L"a\uFFFDb"},
        {"truncated at the end", "a\xE0\xB8", L"a\uFFFD"},
        {"truncated before ASCII", "\xC3" "A", L"\uFFFDA"},
        {"overlong slash", "\xC0\xAF", L"\uFFFD\uFFFD"},
        {"encoded surrogate", "\xED\xA0\x80", L"\uFFFD"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", L"\uFFFD"},
        {"invalid lead byte", "\xFF", L"\uFFFD"},
        {"zero byte kept", std::string("a\0b", 3), std::wstring(L"a\0b", 3)},
    };
    for (const auto& c : cases) EXPECT_EQ(Utf8ToWide(c.utf8), c.wide) << c.what;
}

TEST(Text, WideToUtf8EncodesAndRoundTrips)
{
    const std::wstring texts[] = {L"", L"Home", L"\u0645\u0631\u062D\u0628\u0627", L"\u0E2A\u0E27\u0E31\u0E2A",
                                  L"\U0001F4F6 net", L"\u00E9t\u00E9"};
    for (const auto& t : texts) EXPECT_EQ(Utf8ToWide(WideToUtf8(t)), t);
    EXPECT_EQ(WideToUtf8(L"\u00FC"), "\xC3\xBC");
    EXPECT_EQ(WideToUtf8(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xEF\xBF\xBD");
    EXPECT_EQ(WideToUtf8(std::wstring(1, static_cast<wchar_t>(0x110000))), "\xEF\xBF\xBD");
}

TEST(Text, LowerCaseFoldsEveryScript)
{
    EXPECT_EQ(LowerCase(L"HKLM\\Software\\Tesra Systems"), L"hklm\\software\\tesra systems");
    EXPECT_EQ(LowerCase(L"\u00C4RGER \u0393\u0395\u0399\u0391 \u041F\u0420\u0418"), L"\u00E4rger \u03B3\u03B5\u03B9\u03B1 \u043F\u0440\u0438");
    EXPECT_EQ(LowerCase(L"\u0645 \u0E01 123"), L"\u0645 \u0E01 123");
}

}  // namespace
