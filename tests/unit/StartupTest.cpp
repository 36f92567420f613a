// Start-up decisions: the model marker, the test options, the first state from the
// metrics, and the environment checks.
#include <gtest/gtest.h>

#include "app/Environment.h"
#include "app/Globals.h"
#include "app/InstallSetupApp.h"
#include "wizard/SetupDlg.h"

TEST(ModelMarker, FoundAnywhereInTheFirst512Bytes)
{
    struct Case { std::string bytes; bool sibling; };
    std::string late(512, 'x');
    std::string straddling(505, 'x');
    std::string withZero = std::string("abc") + '\0' + "QW2100QW2600";
    const Case cases[] = {
        {"QW2100QW2600", true},
        {"[Adapter]\r\nModels=QW2100QW2600\r\n", true},
        {std::string(500, ' ') + "QW2100QW2600", true},
        {straddling + "QW2100QW2600", false},  // the marker runs past byte 512
        {late + "QW2100QW2600", false},
        {"qw2100qw2600", false},
        {"QW2100 QW2600", false},
        {"", false},
        {withZero, false},  // the search stops at the first zero byte
    };
    for (const auto& c : cases) EXPECT_EQ(HasSiblingMarker(c.bytes), c.sibling) << c.bytes.substr(0, 40);
}

TEST(ShowOptions, WholeTextExactAndCaseSensitive)
{
    struct Case { const wchar_t* text; int option; };
    const Case cases[] = {
        {L"/show driver", ShowDriver},      {L"/show open", ShowOpen},
        {L"/show security", ShowSecurity},  {L"/show internet", ShowInternet},
        {L"/show internetng", ShowInternetNg}, {L"/show xp", ShowXp},
        {L"/show vista", ShowVista},        {L"/show admin", ShowAdmin},
        {L"", -1},                          {L"/show driver ", -1},
        {L"/Show driver", -1},              {L"/show  driver", -1},
        {L" /show driver", -1},             {L"/show", -1},
        {L"/show internetngx", -1},
    };
    for (const auto& c : cases) EXPECT_EQ(MatchShowOption(c.text), c.option) << std::wstring(c.text).size();
}

TEST(FirstState, FromTheMetrics)
{
    struct Case { int version; std::optional<SetupMetrics> metrics; bool sibling; int state; };
    const Case cases[] = {
        {1004, std::nullopt, false, StateWelcome},                                  // no key or value
        {1004, SetupMetrics{L"QW4100", L"1033", L"1004"}, false, StateCheckSystem}, // same run again
        {1004, SetupMetrics{L"QW4100", L"1033", L"1005"}, false, StateCheckSystem}, // older program
        {1005, SetupMetrics{L"QW4100", L"1033", L"1004"}, false, StateWelcome},     // newer program
        {1004, SetupMetrics{L"", L"1033", L"1004"}, false, StateCheckSystem},       // empty adapter
        {1004, SetupMetrics{L"QW2100QW2600_V2", L"1033", L"1004"}, false, StateWelcome},
        {1004, SetupMetrics{L"QW2100QW2600_V2", L"1033", L"1004"}, true, StateCheckSystem},
        {1004, SetupMetrics{L"QW4100", L"1033", L"1004"}, true, StateWelcome},
        {1004, SetupMetrics{L"qw4100", L"1033", L"1004"}, false, StateWelcome},      // case matters
        {1004, SetupMetrics{L"QW4100", L"1033", L"abc"}, false, StateWelcome},       // no number: 0
        {0, SetupMetrics{L"QW4100", L"1033", L"abc"}, false, StateCheckSystem},      // no version resource
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseFirstState(c.version, c.metrics, c.sibling), c.state)
            << c.version << " " << (c.metrics ? "metrics" : "none");
}

TEST(EnvironmentChecks, StateForEachSystem)
{
    struct Case { const char* what; bool xp, vista, win7, is64; const wchar_t* sp; bool admin; bool binds; int state; };
    const Case cases[] = {
        {"XP SP3 32-bit", true, false, false, false, L"Service Pack 3", true, true, 2},
        {"XP SP2 32-bit", true, false, false, false, L"Service Pack 2", true, true, 21},
        {"XP SP3 64-bit", true, false, false, true, L"Service Pack 3", true, true, 21},
        {"Vista SP1", false, true, false, false, L"Service Pack 1", true, true, 2},
        {"Vista SP2 64-bit", false, true, false, true, L"Service Pack 2", true, true, 2},
        {"Vista no SP", false, true, false, false, L"", true, true, 22},
        {"Vista SP3", false, true, false, false, L"Service Pack 3", true, true, 22},
        {"7 no SP user", false, false, true, true, L"", false, true, 23},
        {"7 SP1 admin", false, false, true, true, L"Service Pack 1", true, true, 2},
        {"6.2", false, false, false, true, L"", true, true, 21},
        {"XP SP2 user", true, false, false, false, L"Service Pack 2", false, true, 21},
        {"no WLAN API", true, false, false, false, L"Service Pack 3", true, false, 21},
        {"user, no WLAN API", false, false, true, false, L"", false, false, 23},
    };
    for (const auto& c : cases) {
        bool asked = false;
        int state = ChooseStateAfterChecks(c.xp, c.vista, c.win7, c.is64, c.sp, c.admin, [&] {
            asked = true;
            return c.binds;
        });
        EXPECT_EQ(state, c.state) << c.what;
        // The WLAN API is bound only when everything else passed.
        EXPECT_EQ(asked, c.state == 2 || (c.state == 21 && !c.binds && c.admin)) << c.what;
    }
}
