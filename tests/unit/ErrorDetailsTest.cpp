// The error details: the description of every error index in every language, the
// operating-system line, the version text, the exact clipboard text in both reading
// directions, where the rows stand, and the dialog itself: its Copy link with the
// message box, Close, and the adapter watchdog's message 0x8012.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QString>

#include <string>

#include "app/Globals.h"
#include "app/LocalizedText.h"
#include "controls/GrayDlg.h"
#include "dialogs/ErrorCodeDlg.h"
#include "diag/ErrorDetails.h"
#include "lab/DesktopClipboard.h"
#include "platform/Platform.h"
#include "runtime/Runtime.h"

#include "FakeSystem.h"
#include "TestApp.h"

namespace {

std::string U8(const std::wstring& w) { return QString::fromStdWString(w).toStdString(); }

}  // namespace

TEST(ErrorDetails, EveryIndexHasItsDescriptionInEveryTable)
{
    struct Row {
        int index;
        UINT id;
        const wchar_t* english;
    };
    const Row rows[] = {{0, 291, L" Driver install Failure"}, {1, 290, L" Open network Failure"},
                        {2, 289, L" Invalid key Manual"},     {3, 292, L" WPS PBC Failure"},
                        {4, 293, L" WPS PIN Failure"},        {5, 294, L" OS not support"},
                        {6, 295, L" Adapter can't be Found"}, {7, 296, L" Administrator privileges required"}};
    for (const Row& r : rows) {
        EXPECT_EQ(ErrorDescriptionStringId(r.index), r.id) << r.index;
        EXPECT_EQ(LoadText(1033, r.id), r.english) << r.index;
        for (int langid : StringTableLanguages()) EXPECT_FALSE(LoadText(langid, r.id).empty()) << langid << " " << r.id;
    }
    for (int outside : {-1, 8, 1000}) EXPECT_EQ(ErrorDescriptionStringId(outside), 0u) << outside;
}

TEST(ErrorDetails, OperatingSystemLineAndVersion)
{
    struct Case {
        bool win7, vista;
        const wchar_t* sp;
        const wchar_t* line;
    };
    for (const Case& c : {Case{true, false, L"SP 1 ", L" Windows 7 SP 1 \r\n"}, Case{true, true, L"", L" Windows 7 \r\n"},
                          Case{false, true, L"SP 2 ", L" Windows Vista SP 2 \r\n"},
                          Case{false, false, L"SP 3 ", L" Windows XP SP 3 \r\n"}, Case{false, false, L"", L" Windows XP \r\n"}})
        EXPECT_EQ(OperatingSystemLine(c.win7, c.vista, c.sp), c.line);
    EXPECT_EQ(SoftwareVersionText(FileVersion{1, 0, 0, 4}, false), L" 1.0.0.4");
    EXPECT_EQ(SoftwareVersionText(FileVersion{2, 10, 300, 65535}, true), L"2.10.300.65535 ");
    EXPECT_EQ(SoftwareVersionText(std::nullopt, false), L"");
    EXPECT_EQ(ModelDisplayText(false), L"QW4100");
    EXPECT_EQ(ModelDisplayText(true), L"QW2100/QW2600");
}

TEST(ErrorDetails, ClipboardTextLeftToRight)
{
    struct Case {
        int langid;
        bool win7, vista;
        const wchar_t* sp;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {1033, true, false, L"SP 1 ",
         L"Error description:   WPS PBC Failure\r\nModel name:   QW4100\r\nOperating system:   Windows 7 SP 1 \r\n"
         L"Software version:   1.0.0.4"},
        {1033, false, false, L"",
         L"Error description:   WPS PBC Failure\r\nModel name:   QW4100\r\nOperating system:   Windows XP \r\n"
         L"Software version:   1.0.0.4"},
        {1033, false, true, L"SP 2 ",
         L"Error description:   WPS PBC Failure\r\nModel name:   QW4100\r\nOperating system:   Windows Vista SP 2 \r\n"
         L"Software version:   1.0.0.4"},
    };
    for (const Case& c : cases) {
        auto t = BuildErrorDetailsTexts(c.langid, LoadText(c.langid, 292), L"QW4100",
                                        OperatingSystemLine(c.win7, c.vista, c.sp), SoftwareVersionText(FileVersion{1, 0, 0, 4}, false));
        EXPECT_EQ(t.clipboard, c.expected) << U8(t.clipboard);
        EXPECT_EQ(t.model, L" QW4100\r\n");
        EXPECT_EQ(t.title, L"Error details");
        EXPECT_EQ(t.copy, L" Copy ");
        EXPECT_EQ(t.close, L"Close");
    }
    // German: the same shape in German words.
    auto de = BuildErrorDetailsTexts(1031, LoadText(1031, 291), L"QW2100/QW2600", OperatingSystemLine(true, false, L""),
                                     SoftwareVersionText(FileVersion{1, 0, 0, 4}, false));
    EXPECT_EQ(de.clipboard, LoadText(1031, 288) + LoadText(1031, 291) + L"\r\n" + LoadText(1031, 351) +
                                L" QW2100/QW2600\r\n" + LoadText(1031, 352) + L" Windows 7 \r\n" + LoadText(1031, 353) +
                                L" 1.0.0.4");
}

TEST(ErrorDetails, ClipboardTextRightToLeft)
{
    // The right-to-left tables' reading forms of the labels, the bare model, and the
    // version with its blank at the end.
    for (int langid : {1025, 5121, 6145}) {
        auto t = BuildErrorDetailsTexts(langid, LoadText(langid, 295), L"QW4100", OperatingSystemLine(true, false, L"SP 1 "),
                                        SoftwareVersionText(FileVersion{1, 0, 0, 4}, true));
        const std::wstring expected = std::wstring(L"وصف الخطأ:  ") + LoadText(1025, 295) + L"\r\n" + L"اسم الطراز:  " +
                                      L"QW4100\r\n" + L"نظام التشغيل:  " + L" Windows 7 SP 1 \r\n" +
                                      L"إصدار البرنامج:  " + L"1.0.0.4 ";
        EXPECT_EQ(t.clipboard, expected) << langid << " " << U8(t.clipboard);
        EXPECT_EQ(t.model, L"QW4100");
    }
}

TEST(ErrorDetails, RowsStandWhereTheyShould)
{
    const int h = 16;
    // English: labels at x = 27, rows 62, 64 + h, 66 + 2h, 68 + 3h; values after the widest label.
    auto l = ComputeErrorDetailsLayout(1033, h, 120, 100, 150, 40);
    EXPECT_FALSE(l.descriptionWrapped);
    const int ys[4] = {62, 64 + h, 66 + 2 * h, 68 + 3 * h};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(l.labels[i].topLeft(), QPoint(27, ys[i])) << i;
        EXPECT_EQ(l.values[i].x(), 27 + 120) << i;
        EXPECT_EQ(l.values[i].y(), ys[i]) << i;
    }
    EXPECT_EQ(l.title.topLeft(), QPoint(27, 27));
    EXPECT_EQ(l.copy.y(), 77 + 4 * h);
    EXPECT_EQ(l.close, QRect(139, 168, 70, 27));

    // French needs four pixels more; a description wider than 200 wraps and moves the rows down.
    auto fr = ComputeErrorDetailsLayout(1036, h, 120, 100, 201, 40);
    EXPECT_EQ(fr.values[1].x(), 27 + 124);
    EXPECT_TRUE(fr.descriptionWrapped);
    EXPECT_EQ(fr.values[0].width(), 348 - 4 - 27 - 124) << "no wider than the room the labels leave";
    EXPECT_EQ(fr.labels[1].y(), 64 + h + 16);
    EXPECT_EQ(fr.copy.y(), 77 + 4 * h + 16);
    // Polish wraps from 185 on.
    EXPECT_TRUE(ComputeErrorDetailsLayout(1045, h, 120, 100, 186, 40).descriptionWrapped);
    EXPECT_FALSE(ComputeErrorDetailsLayout(1033, h, 100, 100, 200, 40).descriptionWrapped);
    EXPECT_EQ(ComputeErrorDetailsLayout(1033, h, 100, 100, 201, 40).values[0].width(), 200);
    // Long labels leave less room: a description that does not fit it wraps too.
    auto de = ComputeErrorDetailsLayout(1031, h, 130, 100, 195, 40);
    EXPECT_TRUE(de.descriptionWrapped);
    EXPECT_EQ(de.values[0].width(), 348 - 4 - 27 - 130);
    EXPECT_EQ(de.labels[1].y(), 64 + h + 16);

    // Right-to-left: mirrored, the labels end at the right margin and the values before them.
    auto ar = ComputeErrorDetailsLayout(1025, h, 110, 100, 150, 40);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ar.labels[i].right() + 1, 348 - 27) << i;
        EXPECT_EQ(ar.values[i].right() + 1, ar.labels[i].left()) << i;
    }
    EXPECT_EQ(ar.copy.right() + 1, 348 - 27);
    // A description whose lines need 49 pixels moves the rows below it and the Copy link
    // 33 pixels down instead of 16.
    auto tall = ComputeErrorDetailsLayout(1025, h, 110, 100, 400, 40, 49);
    EXPECT_TRUE(tall.descriptionWrapped);
    EXPECT_EQ(tall.values[0].height(), 49);
    EXPECT_EQ(tall.labels[1].y(), 64 + h + 33);
    EXPECT_EQ(tall.labels[3].y(), 68 + 3 * h + 33);
    EXPECT_EQ(tall.copy.y(), 77 + 4 * h + 33);
    // Lines within two rows' height keep the usual place; an unwrapped description ignores it.
    EXPECT_EQ(ComputeErrorDetailsLayout(1036, h, 120, 100, 201, 40, 30).copy, fr.copy);
    EXPECT_EQ(ComputeErrorDetailsLayout(1033, h, 120, 100, 150, 40, 49).copy, l.copy);
    EXPECT_EQ(ErrorDetailsFontHeight(1033), 14);
    EXPECT_EQ(ErrorDetailsFontHeight(1025), 15);
    EXPECT_EQ(ErrorDetailsFontHeight(1054), 15);
}

// ---- The dialog -------------------------------------------------------------------------

namespace {

struct VersionedSystem : FakeSystem {
    std::optional<FileVersion> GetFileVersionInfo(const std::wstring&) override { return FileVersion{1, 0, 0, 4}; }
};

struct TestClipboard : Clipboard {
    bool opens = true;
    std::wstring text;
    int sets = 0;
    bool SetText(const std::wstring& t) override
    {
        if (!opens) return false;
        text = t;
        ++sets;
        return true;
    }
    std::wstring GetText() override { return text; }
};

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

class ErrorCodeDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        rt::Init(rt::ClockMode::Virtual, 1000000, 1.0);
        if (!TestApp()) GTEST_SKIP() << "no widget application";
        m_saved = Os();
        Platform p = m_saved;
        p.system = &m_system;
        p.clipboard = &m_clipboard;
        InstallPlatform(p);
        m_nLanguage = g_nUiLanguage;
        g_nUiLanguage = 1033;
        g_nErrorIndex = 3;
        g_bOsWin7 = 1;
        g_bOsVista = 0;
        g_szServicePack.Set(L"SP 1 ");
        g_bSiblingModel = 0;
    }
    void TearDown() override
    {
        InstallPlatform(m_saved);
        g_nUiLanguage = m_nLanguage;
        g_nErrorIndex = -1;
        g_bOsWin7 = 0;
        g_szServicePack.Set(L"");
        if (g_pGrayDlg) {
            delete g_pGrayDlg;
            g_pGrayDlg = nullptr;
        }
        rt::Shutdown();
    }

    VersionedSystem m_system;
    TestClipboard m_clipboard;
    Platform m_saved;
    int m_nLanguage = 1033;
};

const wchar_t* const kEnglishWps =
    L"Error description:   WPS PBC Failure\r\nModel name:   QW4100\r\nOperating system:   Windows 7 SP 1 \r\n"
    L"Software version:   1.0.0.4";

}  // namespace

TEST_F(ErrorCodeDialog, ShowsTheFactsInBothReadingDirections)
{
    COwner owner;
    for (int langid : {1033, 1025}) {
        g_nUiLanguage = langid;
        CErrorCodeDlg dlg(&owner);
        dlg.Create();
        const bool rtl = langid == 1025;
        EXPECT_EQ(dlg.GetDlgItem(1170)->GetWindowTextW(), LoadText(langid, 287));
        EXPECT_EQ(dlg.GetDlgItem(1176)->GetWindowTextW(), LoadText(langid, 292));
        EXPECT_EQ(dlg.GetDlgItem(1177)->GetWindowTextW(), rtl ? L"QW4100" : L" QW4100\r\n");
        EXPECT_EQ(dlg.GetDlgItem(1178)->GetWindowTextW(), L" Windows 7 SP 1 \r\n");
        EXPECT_EQ(dlg.GetDlgItem(1179)->GetWindowTextW(), rtl ? L"1.0.0.4 " : L" 1.0.0.4");
        EXPECT_EQ(dlg.GetDlgItem(1175)->GetWindowTextW(), LoadText(langid, 354));
        EXPECT_EQ(dlg.GetDlgItem(IDOK)->GetWindowTextW(), LoadText(langid, 214));
        // 348 x 220, centred over the wizard and 30 pixels below its middle.
        EXPECT_EQ(dlg.WindowRect(), QRect((753 - 348) / 2, (530 - 220) / 2 + 30, 348, 220));
        EXPECT_EQ(dlg.GetDlgItem(1170)->GetFont().pixelSize(), rtl ? 21 : 20);
        EXPECT_TRUE(dlg.GetDlgItem(1170)->GetFont().bold());
        EXPECT_EQ(dlg.GetDlgItem(1176)->GetFont().pixelSize(), rtl ? 15 : 14);
        dlg.DestroyWindow();
    }
}

TEST_F(ErrorCodeDialog, CopyPutsTheTextOnTheClipboardAndShowsTheMessageBox)
{
    COwner owner;
    CErrorCodeDlg dlg(&owner);
    std::string boxClass;
    std::wstring boxText, boxCaption;
    rt::PostToUi([&] { dlg.SendMessage(WM_COMMAND, CErrorCodeDlg::kCopyId, 0); });
    rt::PostToUi([&] {
        // Runs inside the message box's modal loop.
        CDialogEx* box = CDialogEx::ActiveWindow();
        boxClass = box ? box->ClassName() : "";
        if (!box) return;
        boxText = box->GetDlgItem(0xFFFF)->GetWindowTextW();
        boxCaption = box->GetWindowTextW();
        box->SendMessage(WM_COMMAND, IDOK, 0);
    });
    rt::PostToUi([&] { dlg.SendMessage(WM_COMMAND, IDOK, 0); });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(boxClass, "MessageBox");
    EXPECT_EQ(boxText, L"These details has been copied to the clipboard.");
    EXPECT_EQ(boxCaption, L"Korvana Wireless-N USB Adapter");
    EXPECT_EQ(m_clipboard.text, kEnglishWps);

    // Opened again, the text is rebuilt, never added to.
    rt::PostToUi([&] { dlg.SendMessage(WM_COMMAND, IDOK, 0); });
    dlg.DoModal();
    EXPECT_EQ(dlg.ClipboardText(), kEnglishWps);
}

TEST_F(ErrorCodeDialog, AClipboardThatWillNotOpenChangesNothing)
{
    COwner owner;
    CErrorCodeDlg dlg(&owner);
    m_clipboard.opens = false;
    m_clipboard.text = L"before";
    std::string active;
    rt::PostToUi([&] { dlg.SendMessage(WM_COMMAND, CErrorCodeDlg::kCopyId, 0); });
    rt::PostToUi([&] {
        active = CDialogEx::ActiveWindow() ? CDialogEx::ActiveWindow()->ClassName() : "";
        dlg.SendMessage(WM_COMMAND, IDOK, 0);
    });
    dlg.DoModal();
    EXPECT_EQ(active, "CErrorCodeDlg") << "no message box";
    EXPECT_EQ(m_clipboard.text, L"before");
}

TEST_F(ErrorCodeDialog, AdapterRemovalClosesTheDetailsTheirMessageBoxAndHidesTheVeil)
{
    COwner owner;
    g_pGrayDlg = new CGrayDlg(&owner);
    g_pGrayDlg->Create();
    g_pGrayDlg->ShowWindow(SW_SHOW);
    for (bool withBox : {false, true}) {
        g_pGrayDlg->ShowWindow(SW_SHOW);
        CErrorCodeDlg dlg(&owner);
        if (withBox) rt::PostToUi([&] { dlg.SendMessage(WM_COMMAND, CErrorCodeDlg::kCopyId, 0); });
        // The watchdog sends from its own thread.
        rt::Worker watchdog;
        watchdog.Start("monitor", [&] {
            rt::Sleep(2000);
            dlg.SendMessage(CErrorCodeDlg::kCloseFromOutside, 0, 0);
        });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL) << withBox;
        watchdog.Join();
        EXPECT_FALSE(g_pGrayDlg->IsWindowVisible()) << withBox;
        EXPECT_TRUE(CDialogEx::ModalStack().empty()) << withBox;
    }
}

TEST_F(ErrorCodeDialog, InAnInteractiveRunTheCopyReachesTheDesktopClipboard)
{
    lab::DesktopClipboard desktop(m_clipboard);
    Platform p = Os();
    p.clipboard = &desktop;
    InstallPlatform(p);
    QGuiApplication::clipboard()->clear();
    COwner owner;
    CErrorCodeDlg dlg(&owner);
    rt::PostToUi([&] { dlg.SendMessage(WM_COMMAND, CErrorCodeDlg::kCopyId, 0); });
    rt::PostToUi([&] {
        if (CDialogEx* box = CDialogEx::ActiveWindow()) box->SendMessage(WM_COMMAND, IDOK, 0);
    });
    rt::PostToUi([&] { dlg.SendMessage(WM_COMMAND, IDOK, 0); });
    dlg.DoModal();
    EXPECT_EQ(m_clipboard.text, kEnglishWps);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdWString(), kEnglishWps);
}
