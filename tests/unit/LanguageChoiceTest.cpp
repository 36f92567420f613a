// The UI language chosen at start: the stored metrics value first, else the user's UI
// language when it is accepted, normalised onto the 21 languages of the combo.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "app/Globals.h"
#include "app/LocalizedText.h"
#include "sim/SimPC.h"

namespace fs = std::filesystem;

TEST(LanguageChoice, StoredValueThenUserLanguage)
{
    struct Case { std::optional<std::string> stored; int user; int chosen; };
    const Case cases[] = {
        {std::nullopt, 2057, 1033},  // English (United Kingdom) is not accepted
        {std::nullopt, 3082, 1034},  // Spanish, modern sort: the neutral Spanish table
        {std::nullopt, 7169, 1033},  // an accepted Arabic variant that is not right-to-left
        {std::nullopt, 5121, 5121},  // right-to-left, and its title text is found
        {std::nullopt, 1025, 1025},
        {std::nullopt, 2064, 1040},
        {std::nullopt, 3079, 1031},
        {std::nullopt, 2067, 1043},
        {std::nullopt, 4108, 1036},
        {std::nullopt, 2077, 1053},
        {std::nullopt, 1041, 1033},  // Japanese: no table
        {std::string("1031"), 1036, 1031},
        {std::string("xyz"), 1031, 1033},     // no digits: 0, which ends as English
        {std::string("1054abc"), 1033, 1054}, // leading digits
        {std::string("2057"), 1031, 1033},    // a stored value is normalised too
        {std::string("99999999999"), 1031, 1033},  // too large for a number: English
        {std::string("2147483648"), 1031, 1033},
        {std::string("00000000000001031"), 1033, 1031},  // leading zeros do not overflow
    };
    fs::path dir = fs::temp_directory_path() / ("tc-lang-" + std::to_string(::getpid()));
    int n = 0;
    for (const auto& c : cases) {
        sim::Scenario s = sim::DefaultScenario();
        s.os.uiLanguage = c.user;
        if (c.stored)
            s.registry["HKLM\\Software\\Tesra Systems\\Tesra connect\\Metrics\\AdapterSetup"] = {{"language", *c.stored}};
        fs::remove_all(dir / std::to_string(n));
        sim::SimPC pc(s, dir / std::to_string(n++), dir);
        InstallPlatform(pc.AsPlatform());
        ResetProcessGlobals();
        ChooseUiLanguage();
        EXPECT_EQ(g_nUiLanguage, c.chosen) << "stored " << c.stored.value_or("none") << ", user " << c.user;
    }
    fs::remove_all(dir);
}

TEST(LanguageChoice, RightToLeftAndComboIndex)
{
    for (int l : {1025, 2049, 3073, 4097, 5121, 6145}) EXPECT_TRUE(IsRtlLanguage(l)) << l;
    for (int l : {1033, 7169, 1054, 1037}) EXPECT_FALSE(IsRtlLanguage(l)) << l;
    EXPECT_EQ(UiLanguageIndex(1057), 0);
    EXPECT_EQ(UiLanguageIndex(1033), 3);
    EXPECT_EQ(UiLanguageIndex(1025), 19);
    EXPECT_EQ(UiLanguageIndex(1054), 20);
    EXPECT_EQ(UiLanguageIndex(5121), 3);  // an Arabic variant not in the combo selects English's entry
}
