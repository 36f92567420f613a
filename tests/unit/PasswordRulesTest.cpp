// The password dialog's key rules and security choices, as tables.
#include <gtest/gtest.h>

#include "dialogs/PasswordRules.h"

namespace {
constexpr int kOpen = 1, kWpaPsk = 4, kRsnaPsk = 7;
constexpr int kNone = 0, kTkip = 2, kCcmp = 4, kWep = 257;
}  // namespace

TEST(PasswordRules, IsKeyValid)
{
    struct Case {
        std::wstring key;
        int mode, auth, cipher;
        bool valid;
    };
    const std::wstring hex64 = std::wstring(32, L'a') + std::wstring(32, L'F');
    const Case cases[] = {
        // Empty: only the security page accepts it.
        {L"", 2, kRsnaPsk, kCcmp, false},
        {L"", 1, kRsnaPsk, kCcmp, true},
        {L"", 1, kOpen, kWep, true},
        {L"", 2, kOpen, kNone, false},
        // WPA2 and WPA: 8 to 63 of anything, 64 hexadecimal digits.
        {L"1234567", 2, kRsnaPsk, kCcmp, false},
        {L"12345678", 2, kRsnaPsk, kCcmp, true},
        {std::wstring(63, L'!'), 2, kRsnaPsk, kCcmp, true},
        {hex64, 2, kRsnaPsk, kCcmp, true},
        {std::wstring(63, L'0') + L"G", 2, kRsnaPsk, kCcmp, false},
        {std::wstring(63, L'0') + L"!", 2, kWpaPsk, kTkip, false},
        {std::wstring(65, L'0'), 2, kWpaPsk, kTkip, false},
        {L"pässwörd", 2, kWpaPsk, kTkip, true},
        // WEP: 5 or 13 of anything, 10 or 26 hexadecimal digits in either case.
        {L"ab!de", 2, kOpen, kWep, true},
        {L"thirteen char", 2, kOpen, kWep, true},
        {L"0123456789", 2, kOpen, kWep, true},
        {L"abcdef0123", 2, kOpen, kWep, true},
        {std::wstring(26, L'c'), 2, kOpen, kWep, true},
        {L"abcdef012g", 2, kOpen, kWep, false},
        {std::wstring(25, L'c') + L"z", 2, kOpen, kWep, false},
        {L"twelve chars", 2, kOpen, kWep, false},
        {L"123456", 1, kOpen, kWep, false},
        // Open networks without WEP take any key.
        {L"x", 2, kOpen, kNone, true},
        {L"anything at all", 1, kOpen, kNone, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsKeyValid(c.key, c.mode, c.auth, c.cipher), c.valid)
            << "key length " << c.key.size() << " mode " << c.mode << " auth " << c.auth << " cipher " << c.cipher;
}

TEST(PasswordRules, SecurityWhileEditing)
{
    EXPECT_EQ(SecurityFromSelection(L"", SecurityWpa2), (SecurityChoice{kOpen, kNone}));
    EXPECT_EQ(SecurityFromSelection(L"", SecurityWep), (SecurityChoice{kOpen, kNone}));
    EXPECT_EQ(SecurityFromSelection(L"k", SecurityWpa2), (SecurityChoice{kRsnaPsk, kCcmp}));
    EXPECT_EQ(SecurityFromSelection(L"k", SecurityWpa), (SecurityChoice{kWpaPsk, kTkip}));
    EXPECT_EQ(SecurityFromSelection(L"k", SecurityWep), (SecurityChoice{kOpen, kWep}));
    EXPECT_EQ(SecurityFromSelection(L"k", 7), (SecurityChoice{kRsnaPsk, kCcmp}));
}

TEST(PasswordRules, ConnectionTargetOnNext)
{
    struct Case {
        std::wstring key;
        int selection;
        bool xp;
        ConnectTarget target;
    };
    const Case cases[] = {
        {L"", SecurityWpa2, false, {kOpen, kNone, 20}},
        {L"", SecurityWep, true, {kOpen, kNone, 32}},
        {L"twelve chars", SecurityWpa2, false, {kRsnaPsk, kCcmp, 5}},
        {L"twelve chars", SecurityWpa2, true, {kRsnaPsk, kTkip, 10}},
        {L"twelve chars", SecurityWpa, false, {kWpaPsk, kTkip, 5}},
        {L"twelve chars", SecurityWpa, true, {kWpaPsk, kCcmp, 10}},
        {L"abcde", SecurityWep, false, {kOpen, kWep, 20}},
        {L"abcde", SecurityWep, true, {kOpen, kWep, 32}},
        {L"twelve chars", 5, false, {kRsnaPsk, kCcmp, 20}},
        {L"twelve chars", 5, true, {kRsnaPsk, kCcmp, 32}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConnectTargetForSecurityPage(c.key, c.selection, c.xp), c.target)
            << c.selection << " xp " << c.xp << " key length " << c.key.size();
}

TEST(PasswordRules, SecurityPageNextGoesOnOnlyForAKeyThatFits)
{
    struct Case {
        std::wstring key;
        int selection;
        bool ok;
    };
    const Case cases[] = {
        {L"", SecurityWpa2, true},           {L"", SecurityWep, true},
        {L"abcde", SecurityWep, true},       {L"abcdef", SecurityWep, false},
        {L"abcdefg", SecurityWpa, false},    {L"abcdefgh", SecurityWpa, true},
        {L"abcdefghi", SecurityWep, false},  // 8 to 64, yet no WEP key
        {L"0123456789", SecurityWep, true},  {L"thirteen char", SecurityWep, true},
        {std::wstring(64, L'a'), SecurityWpa2, true},
        {std::wstring(64, L'z'), SecurityWpa2, false},
        {L"abcde", SecurityWpa2, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SecurityPageKeyAcceptable(c.key, c.selection), c.ok) << c.key.size() << " " << c.selection;
}

TEST(PasswordRules, TitleShowsEveryAmpersand)
{
    EXPECT_EQ(DoubleAmpersands(L"Tom & Jerry"), L"Tom && Jerry");
    EXPECT_EQ(DoubleAmpersands(L"&&"), L"&&&&");
    EXPECT_EQ(DoubleAmpersands(L"Home"), L"Home");
}
