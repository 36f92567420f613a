// The simulated PC's ANSI conversion in the code pages the scenarios name.
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "sim/SimPC.h"

namespace fs = std::filesystem;

TEST(SimCodePages, TextReadAndWrittenInThePcsCodePage)
{
    fs::path dir = fs::temp_directory_path() / ("tc-codepage-" + std::to_string(getpid()));
    struct Case { int codePage; std::string bytes; std::wstring text; };
    const Case table[] = {
        {1252, "\xC9toile \x80", L"\u00C9toile \u20AC"},
        {1256, "\xE3\xDE\xE5\xEC", L"\u0645\u0642\u0647\u0649"},
        {874, "\xBA\xE9\xD2\xB9", L"\u0E1A\u0E49\u0E32\u0E19"},
        {65001, "\xC3\x89t\xC3\xA9", L"\u00C9t\u00E9"},
        {932, "\x82\xA0", L"\u3042"},
    };
    int n = 0;
    for (const Case& c : table) {
        sim::Scenario s = sim::DefaultScenario();
        s.os.ansiCodePage = c.codePage;
        sim::SimPC pc(s, dir / std::to_string(n++), dir / "disc");
        EXPECT_EQ(pc.MultiByteToWideChar(c.bytes), c.text) << c.codePage;
        EXPECT_EQ(pc.WideCharToMultiByte(c.text), c.bytes) << c.codePage;
    }
    // What a code page cannot read or write is replaced, never dropped or crashed on.
    sim::Scenario s = sim::DefaultScenario();
    s.os.ansiCodePage = 932;
    sim::SimPC pc(s, dir / "bad", dir / "disc");
    EXPECT_EQ(pc.MultiByteToWideChar("a\x82"), L"a\uFFFD");
    EXPECT_EQ(pc.WideCharToMultiByte(L"a\u0E1Ab"), "a?b");
    fs::remove_all(dir);
}
