// The network password dialog driven as a person would: typing into its boxes, the
// security type, the check box, Next, Back, Cancel, Enter and Escape, the watchdog's
// message, and the places of its controls in both reading directions. It also draws
// each page in several languages into the folder TC_SHOTS_DIR names (password-shots/ in
// the test's working folder without it), for a person to look at.
#include <gtest/gtest.h>

#include <QDir>
#include <QTest>

#include "app/Globals.h"
#include "app/LocalizedText.h"
#include "controls/GrayDlg.h"
#include "controls/MyComboBox.h"
#include "dialogs/PasswordDlg.h"
#include "dialogs/PrefixText.h"
#include "framework/Edit.h"
#include "framework/Framework.h"
#include "runtime/Runtime.h"

#include "TestApp.h"

namespace {

class COwner : public CDialogEx {
public:
    COwner() : CDialogEx(195)
    {
        MoveWindow(0, 0, 753, 530);
        Create();
        ShowWindow(SW_SHOW);
    }
    const char* ClassName() const override { return "COwner"; }
};

class PasswordDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        rt::Init(rt::ClockMode::Virtual, 1000000, 1.0);
        if (!TestApp()) GTEST_SKIP() << "no widget application";
        m_nLanguage = g_nUiLanguage;
        g_nUiLanguage = 1033;
        g_bOsXp = 0;
        g_szTargetSsid.Set(L"");
        g_szNetworkKey.Set(L"");
        g_nAuthAlgorithm = 0;
        g_nCipherAlgorithm = 0;
        g_nLinkChecks = 0;
    }
    void TearDown() override
    {
        g_nUiLanguage = m_nLanguage;
        g_bOsXp = 0;
        g_szTargetSsid.Set(L"");
        g_szNetworkKey.Set(L"");
        rt::Shutdown();
    }

    static CEdit* Edit(CPasswordDlg& dlg, int id) { return static_cast<CEdit*>(dlg.GetDlgItem(id)); }
    static void Type(CPasswordDlg& dlg, int id, const QString& text)
    {
        Edit(dlg, id)->SetFocus();
        QTest::keyClicks(Edit(dlg, id)->Widget(), text);
    }
    static void Key(CPasswordDlg& dlg, int id, Qt::Key key)
    {
        QTest::keyClick(dlg.GetDlgItem(id)->Widget(), key);
    }
    static bool NextEnabled(CPasswordDlg& dlg) { return dlg.GetDlgItem(IDOK)->IsWindowEnabled(); }

    int m_nLanguage = 1033;
};

}  // namespace

TEST_F(PasswordDialog, PasswordPageEnablesNextForAWellFormedKeyOnly)
{
    COwner owner;
    g_szTargetSsid.Set(L"Tom & Jerry");
    struct Case {
        int auth, cipher;
        QString key;
        bool enabled;
    };
    const Case cases[] = {
        {7, 4, QStringLiteral("1234567"), false},
        {7, 4, QStringLiteral("12345678"), true},
        {7, 4, QString(63, QLatin1Char('x')), true},
        {7, 4, QString(64, QLatin1Char('e')), true},
        {7, 4, QString(63, QLatin1Char('e')) + QLatin1Char('G'), false},
        {4, 2, QString(63, QLatin1Char('e')) + QLatin1Char('!'), false},
        {1, 257, QStringLiteral("a!c:e"), true},
        {1, 257, QStringLiteral("abcdef0123"), true},
        {1, 257, QStringLiteral("abcdef012g"), false},
        {1, 257, QStringLiteral("twelve chars"), false},
    };
    for (const auto& c : cases) {
        g_nAuthAlgorithm = c.auth;
        g_nCipherAlgorithm = c.cipher;
        CPasswordDlg dlg(&owner);
        dlg.m_nMode = PasswordModePassword;
        dlg.Create();
        EXPECT_FALSE(NextEnabled(dlg));
        Type(dlg, CPasswordDlg::IdKeyEdit, c.key);
        EXPECT_EQ(NextEnabled(dlg), c.enabled) << c.key.toStdString();
        // The security stays as the wizard set it from the list.
        EXPECT_EQ(g_nAuthAlgorithm, c.auth);
        dlg.DestroyWindow();
    }
}

TEST_F(PasswordDialog, PasswordPageNextHandsTheKeyOverAndStartsConnecting)
{
    COwner owner;
    g_szTargetSsid.Set(L"Tom & Jerry");
    g_nAuthAlgorithm = 7;
    g_nCipherAlgorithm = 4;
    g_nLinkChecks = 5;
    CPasswordDlg dlg(&owner);
    dlg.m_nMode = PasswordModePassword;
    int connecting = 0;
    std::wstring keyWhenConnecting;
    dlg.SetConnectingHandler([&] {
        ++connecting;
        keyWhenConnecting = g_szNetworkKey.Get();
        // The dialog is still open when the wizard shows its connecting page.
        EXPECT_TRUE(dlg.IsModalRunning());
    });
    rt::PostToUi([&] {
        auto* title = static_cast<CPrefixText*>(dlg.GetDlgItem(CPasswordDlg::IdTitle));
        EXPECT_EQ(title->GetWindowTextW(), LoadText(197) + L" Tom && Jerry");
        EXPECT_EQ(title->ShownText().toStdWString(), LoadText(197) + L" Tom & Jerry");
        // 65 characters cannot be typed: the box holds 64.
        Type(dlg, CPasswordDlg::IdKeyEdit, QString(65, QLatin1Char('a')));
        EXPECT_EQ(Edit(dlg, CPasswordDlg::IdKeyEdit)->GetWindowTextW(), std::wstring(64, L'a'));
        Edit(dlg, CPasswordDlg::IdKeyEdit)->SetWindowTextW(L"correct horse");
        // Masked with one "*" per character.
        EXPECT_EQ(Edit(dlg, CPasswordDlg::IdKeyEdit)->DisplayedText(), std::wstring(13, L'*'));
        Key(dlg, IDOK, Qt::Key_Space);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(connecting, 1);
    EXPECT_EQ(keyWhenConnecting, L"correct horse");
    EXPECT_EQ(g_szNetworkKey.Get(), L"correct horse");
    EXPECT_EQ(g_nAuthAlgorithm, 7);
    EXPECT_EQ(g_nCipherAlgorithm, 4);
    EXPECT_EQ(g_nLinkChecks, 5);
}

TEST_F(PasswordDialog, HiddenNetworkNameThenSecurity)
{
    struct Case {
        int selection;
        QString key;
        bool xp;
        bool acceptable;
        int auth, cipher, checks;
    };
    const Case cases[] = {
        {SecurityWpa2, QString(), false, true, 1, 0, 20},
        {SecurityWpa2, QString(), true, true, 1, 0, 32},
        {SecurityWpa2, QStringLiteral("twelve chars"), false, true, 7, 4, 5},
        {SecurityWpa2, QStringLiteral("twelve chars"), true, true, 7, 2, 10},
        {SecurityWpa, QStringLiteral("twelve chars"), false, true, 4, 2, 5},
        {SecurityWep, QStringLiteral("abcde"), false, true, 1, 257, 20},
        {SecurityWep, QStringLiteral("abcdef"), false, false, 0, 0, 0},
        {SecurityWpa, QStringLiteral("abcdefg"), false, false, 0, 0, 0},
        {SecurityWep, QStringLiteral("abcdefghi"), false, false, 0, 0, 0},
    };
    COwner owner;
    for (const auto& c : cases) {
        g_bOsXp = c.xp ? 1 : 0;
        g_nAuthAlgorithm = 0;
        g_nCipherAlgorithm = 0;
        g_nLinkChecks = 0;
        g_szNetworkKey.Set(L"");
        CPasswordDlg dlg(&owner);
        dlg.m_nMode = PasswordModeSsid;
        int connecting = 0;
        dlg.SetConnectingHandler([&] { ++connecting; });
        dlg.Create();
        EXPECT_TRUE(dlg.GetDlgItem(CPasswordDlg::IdSsidEdit)->IsWindowVisible());
        EXPECT_FALSE(dlg.GetDlgItem(CPasswordDlg::IdKeyEdit)->IsWindowVisible());
        EXPECT_FALSE(NextEnabled(dlg));
        EXPECT_FALSE(dlg.GetDlgItem(CPasswordDlg::IdBack)->IsWindowEnabled());
        // Enter on an empty name does nothing.
        Key(dlg, CPasswordDlg::IdSsidEdit, Qt::Key_Return);
        EXPECT_FALSE(dlg.GetDlgItem(CPasswordDlg::IdKeyEdit)->IsWindowVisible());
        Type(dlg, CPasswordDlg::IdSsidEdit, QString(40, QLatin1Char('N')));
        EXPECT_EQ(Edit(dlg, CPasswordDlg::IdSsidEdit)->GetWindowTextW(), std::wstring(32, L'N'));
        EXPECT_TRUE(NextEnabled(dlg));
        dlg.Dispatch(WM_COMMAND, IDOK, 0);
        EXPECT_EQ(g_szTargetSsid.Get(), std::wstring(32, L'N'));
        EXPECT_TRUE(dlg.GetDlgItem(CPasswordDlg::IdKeyEdit)->IsWindowVisible());
        EXPECT_TRUE(dlg.GetDlgItem(CPasswordDlg::IdSecurityCombo)->IsWindowVisible());
        EXPECT_TRUE(dlg.GetDlgItem(CPasswordDlg::IdBack)->IsWindowEnabled());

        static_cast<CMyComboBox*>(dlg.GetDlgItem(CPasswordDlg::IdSecurityCombo))->ChooseAsUser(c.selection);
        EXPECT_EQ(dlg.SecuritySelection(), c.selection);
        if (!c.key.isEmpty()) Type(dlg, CPasswordDlg::IdKeyEdit, c.key);
        EXPECT_EQ(NextEnabled(dlg), c.acceptable) << c.key.toStdString();
        // Enter in the key box is Next, even while Next is disabled: then nothing happens.
        Key(dlg, CPasswordDlg::IdKeyEdit, Qt::Key_Return);
        EXPECT_EQ(connecting, c.acceptable ? 1 : 0);
        if (c.acceptable) {
            EXPECT_EQ(g_szNetworkKey.Get(), c.key.toStdWString());
            EXPECT_EQ(g_nAuthAlgorithm, c.auth);
            EXPECT_EQ(g_nCipherAlgorithm, c.cipher);
            EXPECT_EQ(g_nLinkChecks, c.checks);
        } else {
            EXPECT_EQ(g_szNetworkKey.Get(), L"");
            EXPECT_EQ(g_nLinkChecks, 0);
        }
        dlg.DestroyWindow();
    }
    g_bOsXp = 0;
}

TEST_F(PasswordDialog, BackReturnsToTheNameAndRetryShowsThePreviousEntries)
{
    COwner owner;
    {
        CPasswordDlg dlg(&owner);
        dlg.m_nMode = PasswordModeSsid;
        dlg.Create();
        Type(dlg, CPasswordDlg::IdSsidEdit, QStringLiteral("Attic"));
        dlg.Dispatch(WM_COMMAND, IDOK, 0);
        dlg.Dispatch(WM_COMMAND, CPasswordDlg::IdBack, 0);
        EXPECT_TRUE(dlg.GetDlgItem(CPasswordDlg::IdSsidEdit)->IsWindowVisible());
        EXPECT_FALSE(dlg.GetDlgItem(CPasswordDlg::IdKeyEdit)->IsWindowVisible());
        EXPECT_EQ(Edit(dlg, CPasswordDlg::IdSsidEdit)->GetWindowTextW(), L"Attic");
        EXPECT_TRUE(NextEnabled(dlg));
        dlg.DestroyWindow();
    }
    // The wizard keeps one dialog and reopens it with the retry flag after a failure.
    g_szTargetSsid.Set(L"Attic");
    g_szNetworkKey.Set(L"abcde");
    CPasswordDlg dlg(&owner);
    dlg.m_nMode = PasswordModeSsid;
    dlg.Create();
    Type(dlg, CPasswordDlg::IdSsidEdit, QStringLiteral("Attic"));
    dlg.Dispatch(WM_COMMAND, IDOK, 0);
    static_cast<CMyComboBox*>(dlg.GetDlgItem(CPasswordDlg::IdSecurityCombo))->ChooseAsUser(SecurityWep);
    dlg.Dispatch(WM_COMMAND, IDCANCEL, 0);
    dlg.DestroyWindow();

    dlg.m_nMode = PasswordModeSsid;
    dlg.m_bRetry = 1;
    dlg.Create();
    EXPECT_EQ(Edit(dlg, CPasswordDlg::IdSsidEdit)->GetWindowTextW(), L"Attic");
    dlg.Dispatch(WM_COMMAND, IDOK, 0);
    EXPECT_EQ(static_cast<CMyComboBox*>(dlg.GetDlgItem(CPasswordDlg::IdSecurityCombo))->GetCurSel(), SecurityWep);
    EXPECT_EQ(Edit(dlg, CPasswordDlg::IdKeyEdit)->GetWindowTextW(), L"abcde");
    EXPECT_TRUE(NextEnabled(dlg));
    dlg.DestroyWindow();

    // A fresh opening starts empty, on the first security type.
    dlg.m_bRetry = 0;
    dlg.m_nMode = PasswordModeSsid;
    dlg.Create();
    EXPECT_EQ(Edit(dlg, CPasswordDlg::IdSsidEdit)->GetWindowTextW(), L"");
    EXPECT_EQ(dlg.SecuritySelection(), SecurityWpa2);
    dlg.DestroyWindow();
}

TEST_F(PasswordDialog, DisplayCharactersShowsAndMasksTheKey)
{
    COwner owner;
    g_nAuthAlgorithm = 7;
    g_nCipherAlgorithm = 4;
    CPasswordDlg dlg(&owner);
    dlg.m_nMode = PasswordModePassword;
    dlg.Create();
    CEdit* key = Edit(dlg, CPasswordDlg::IdKeyEdit);
    Type(dlg, CPasswordDlg::IdKeyEdit, QStringLiteral("secret key"));
    EXPECT_EQ(key->DisplayedText(), L"**********");
    EXPECT_TRUE(dlg.GetDlgItem(CPasswordDlg::IdBoxEmpty)->IsWindowVisible());
    EXPECT_FALSE(dlg.GetDlgItem(CPasswordDlg::IdBoxTicked)->IsWindowVisible());
    dlg.Dispatch(WM_COMMAND, CPasswordDlg::IdBoxEmpty, 0);
    EXPECT_TRUE(dlg.CharactersShown());
    EXPECT_EQ(key->DisplayedText(), L"secret key");
    EXPECT_FALSE(dlg.GetDlgItem(CPasswordDlg::IdBoxEmpty)->IsWindowVisible());
    EXPECT_TRUE(dlg.GetDlgItem(CPasswordDlg::IdBoxTicked)->IsWindowVisible());
    dlg.Dispatch(WM_COMMAND, CPasswordDlg::IdBoxTicked, 0);
    EXPECT_EQ(key->DisplayedText(), L"**********");
    // The label does whichever the flag calls for.
    dlg.Dispatch(WM_COMMAND, CPasswordDlg::IdBoxLabel, 0);
    EXPECT_EQ(key->DisplayedText(), L"secret key");
    dlg.Dispatch(WM_COMMAND, CPasswordDlg::IdBoxLabel, 0);
    EXPECT_EQ(key->DisplayedText(), L"**********");
    EXPECT_FALSE(dlg.CharactersShown());
    dlg.DestroyWindow();
}

TEST_F(PasswordDialog, EscapeIsSwallowedAndTheWatchdogClosesIt)
{
    COwner owner;
    g_pGrayDlg = new CGrayDlg(&owner);
    g_pGrayDlg->Create();
    g_pGrayDlg->ShowWindow(SW_SHOW);
    CPasswordDlg dlg(&owner);
    dlg.m_nMode = PasswordModePassword;
    int connecting = 0;
    dlg.SetConnectingHandler([&] { ++connecting; });
    rt::PostToUi([&] {
        Type(dlg, CPasswordDlg::IdKeyEdit, QStringLiteral("a key of twelve"));
        Key(dlg, CPasswordDlg::IdKeyEdit, Qt::Key_Escape);
        EXPECT_TRUE(dlg.IsModalRunning());
    });
    rt::PostToUi([&] { dlg.SendMessage(CPasswordDlg::WM_PASSWORD_CLOSE, 0, 0); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(connecting, 0);
    EXPECT_FALSE(g_pGrayDlg->IsWindowVisible());
    EXPECT_EQ(g_szNetworkKey.Get(), L"");
    delete g_pGrayDlg;
    g_pGrayDlg = nullptr;
}

TEST_F(PasswordDialog, EnterOnCancelCancels)
{
    COwner owner;
    CPasswordDlg dlg(&owner);
    dlg.m_nMode = PasswordModePassword;
    rt::PostToUi([&] {
        dlg.GetDlgItem(IDCANCEL)->SetFocus();
        Key(dlg, IDCANCEL, Qt::Key_Return);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(PasswordDialog, ButtonRowAndPagesStandWhereTheyShould)
{
    COwner owner;
    struct Row {
        int lang;
        QRect back, next, cancel;
    };
    const Row rows[] = {
        {1033, {132, 215, 70, 27}, {207, 215, 70, 27}, {282, 215, 70, 27}},
        {1036, {119, 215, 93, 27}, {217, 215, 70, 27}, {292, 215, 70, 27}},
        {3084, {119, 215, 93, 27}, {217, 215, 70, 27}, {292, 215, 70, 27}},
        {1035, {122, 215, 70, 27}, {197, 215, 93, 27}, {295, 215, 70, 27}},
        {1043, {122, 215, 70, 27}, {197, 215, 93, 27}, {295, 215, 70, 27}},
        {1025, {282, 215, 70, 27}, {207, 215, 70, 27}, {132, 215, 70, 27}},
    };
    for (const auto& r : rows) {
        g_nUiLanguage = r.lang;
        CPasswordDlg dlg(&owner);
        dlg.m_nMode = PasswordModePassword;
        dlg.Create();
        EXPECT_EQ(dlg.WindowRect(), QRect((753 - 483) / 2, (530 - 274) / 2, 483, 274));
        EXPECT_EQ(dlg.GetDlgItem(CPasswordDlg::IdBack)->GetClientRectInParent(), r.back) << r.lang;
        EXPECT_EQ(dlg.GetDlgItem(IDOK)->GetClientRectInParent(), r.next) << r.lang;
        EXPECT_EQ(dlg.GetDlgItem(IDCANCEL)->GetClientRectInParent(), r.cancel) << r.lang;
        const bool rtl = r.lang == 1025;
        EXPECT_EQ(dlg.GetDlgItem(CPasswordDlg::IdKeyEdit)->GetClientRectInParent(),
                  rtl ? QRect(253, 70, 160, 20) : QRect(45, 80, 160, 20));
        // Arabic: the Display characters label's marks need two pixels more each side of
        // its centred line, so the box and the label stand two pixels lower.
        EXPECT_EQ(dlg.GetDlgItem(CPasswordDlg::IdBoxEmpty)->GetClientRectInParent(),
                  rtl ? QRect(398, 102, 16, 16) : QRect(48, 106, 16, 16));
        EXPECT_EQ(dlg.GetDlgItem(CPasswordDlg::IdKeyEdit)->GetFont().pixelSize(), 16);
        EXPECT_TRUE(dlg.GetDlgItem(CPasswordDlg::IdKeyEdit)->GetFont().bold());
        EXPECT_EQ(dlg.GetDlgItem(CPasswordDlg::IdTitle)->GetFont().pixelSize(), 20);
        dlg.DestroyWindow();
    }
}

TEST_F(PasswordDialog, ALongThaiTitleSplitsItsNameOntoASecondLine)
{
    COwner owner;
    const std::wstring ssid = L"A rather long & wordy network name";
    g_szTargetSsid.Set(ssid);
    // Only Thai moves the name onto a line of its own (its title is wider than 269 pixels).
    for (int lang : {1033, 1054}) {
        g_nUiLanguage = lang;
        CPasswordDlg dlg(&owner);
        dlg.m_nMode = PasswordModePassword;
        dlg.Create();
        const bool split = lang == 1054;
        EXPECT_EQ(dlg.GetDlgItem(CPasswordDlg::IdTitle2)->IsWindowVisible(), split);
        EXPECT_EQ(dlg.GetDlgItem(CPasswordDlg::IdTitle)->GetWindowTextW(),
                  split ? LoadText(197) : LoadText(197) + L" " + DoubleAmpersands(ssid));
        if (split) {
            EXPECT_EQ(dlg.GetDlgItem(CPasswordDlg::IdTitle2)->GetWindowTextW(), DoubleAmpersands(ssid));
            EXPECT_EQ(dlg.GetDlgItem(CPasswordDlg::IdTitle2)->GetFont().pixelSize(), 20);
        }
        EXPECT_EQ(dlg.GetDlgItem(CPasswordDlg::IdKeyEdit)->GetFont().pixelSize(), split ? 18 : 16);
        dlg.DestroyWindow();
    }
}

TEST_F(PasswordDialog, PagesDrawnForAPersonToLookAt)
{
    QByteArray dir = qgetenv("TC_SHOTS_DIR");
    if (dir.isEmpty()) dir = "password-shots";
    QDir().mkpath(QString::fromLocal8Bit(dir));
    COwner owner;
    g_szTargetSsid.Set(L"Tom & Jerry's place");
    g_nAuthAlgorithm = 7;
    g_nCipherAlgorithm = 4;
    for (int lang : {1033, 1031, 1025, 1054, 1036, 1045, 1049, 1066, 1035, 1043, 1032, 1046, 1055}) {
        g_nUiLanguage = lang;
        for (int mode : {0, 1, 2}) {
            CPasswordDlg dlg(&owner);
            dlg.m_nMode = PasswordModeSsid;
            dlg.Create();
            dlg.ShowWindow(SW_SHOW);
            if (mode >= 1) {
                Type(dlg, CPasswordDlg::IdSsidEdit, QStringLiteral("Attic"));
                dlg.Dispatch(WM_COMMAND, IDOK, 0);
                Type(dlg, CPasswordDlg::IdKeyEdit, QStringLiteral("secret"));
            }
            if (mode == 2) {
                g_szTargetSsid.Set(lang == 1031 || lang == 1054 ? std::wstring(32, L'W') : L"Tom & Jerry's place");
                dlg.DestroyWindow();
                dlg.m_nMode = PasswordModePassword;
                dlg.Create();
                dlg.ShowWindow(SW_SHOW);
                Type(dlg, CPasswordDlg::IdKeyEdit, QStringLiteral("Secret key, shown"));
                dlg.Dispatch(WM_COMMAND, CPasswordDlg::IdBoxEmpty, 0);
            }
            rt::PumpStep(false);
            QImage shot = Framework::GrabScreen(753, 530);
            EXPECT_TRUE(shot.save(QString::fromLocal8Bit(dir) + QStringLiteral("/password-%1-page%2.png").arg(lang).arg(mode)));
            dlg.DestroyWindow();
        }
    }
}
