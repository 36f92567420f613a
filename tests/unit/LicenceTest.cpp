// The licence agreement: which document each UI language reads, the path it is read
// from, and the document view: pictures only from the archive, nothing fetched from
// outside it, a missing file shown as the viewer's own error page.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <map>

#include "app/Globals.h"
#include "app/LocalizedText.h"
#include "dialogs/EULADlg.h"
#include "dialogs/MhtViewer.h"
#include "platform/Platform.h"
#include "runtime/Runtime.h"

#include "TestApp.h"

TEST(LicenceDocument, FileNameByLanguage)
{
    const std::map<int, const wchar_t*> table = {
        {1033, L"\\Terms-World-Regions-en_101006.mht"}, {2057, L"\\Terms-World-Regions-en_101006.mht"},
        {0, L"\\Terms-World-Regions-en_101006.mht"},    {1030, L"\\Terms-World-Regions-DK_100922.mht"},
        {1031, L"\\Terms-World-Regions-DE_100922.mht"}, {1032, L"\\EULA_Greek.mht"},
        {1034, L"\\Terms-World-Regions-ES_100922.mht"}, {3082, L"\\Terms-World-Regions-ES_100922.mht"},
        {1035, L"\\Terms-World-Regions-FI_100922.mht"}, {1036, L"\\Terms-World-Regions-FR_100922.mht"},
        {3084, L"\\Terms-World-Regions-CA_100922.mht"}, {1040, L"\\Terms-World-Regions-IT_100922.mht"},
        {1043, L"\\Terms-World-Regions-NL_100922.mht"}, {2067, L"\\Terms-World-Regions-NL_100922.mht"},
        {1044, L"\\Terms-World-Regions-NO_100922.mht"}, {2068, L"\\Terms-World-Regions-NO_100922.mht"},
        {1045, L"\\Terms-World-Regions-PL_100922.mht"}, {1046, L"\\Terms-World-Regions-BR_100922.mht"},
        {2070, L"\\Terms-World-Regions-PT_100922.mht"}, {1049, L"\\EULA_Russian.mht"},
        {1053, L"\\Terms-World-Regions-SE_100922.mht"}, {1054, L"\\Terms-World-Regions-TH_100922.mht"},
        {1055, L"\\Terms-World-Regions-TR_100922.mht"}, {1057, L"\\EULA_Indonesian.mht"},
        {1066, L"\\EULA_Vietnamese.mht"},
    };
    for (auto [langid, name] : table) EXPECT_EQ(LicenceDocumentFileName(langid), name) << langid;
    // Every Arabic identifier, also those outside the right-to-left group.
    for (int langid : {1025, 2049, 3073, 4097, 5121, 6145, 7169, 8193, 9217, 10241, 11265, 12289, 13313, 14337, 15361, 16385})
        EXPECT_EQ(LicenceDocumentFileName(langid), L"\\Terms-World-Regions_AR_100922.mht") << langid;
}

TEST(LicenceDocument, PathBesideTheProgramAndEveryDocumentIsOnTheDisc)
{
    EXPECT_EQ(LicenceDocumentPath(L"D:\\TesraConnect.exe", 1033), L"D:\\adapter\\EULA\\Terms-World-Regions-en_101006.mht");
    // Spaces and other letters in the folder are kept as they are.
    EXPECT_EQ(LicenceDocumentPath(L"E:\\Setup files\\Tésra ☃\\Setup.exe", 1031),
              L"E:\\Setup files\\Tésra ☃\\adapter\\EULA\\Terms-World-Regions-DE_100922.mht");
    for (int langid : {1033, 1030, 1031, 1032, 1034, 1035, 1036, 3084, 1040, 1043, 1044, 1045, 1046, 2070, 1049, 1053,
                       1054, 1055, 1057, 1066, 1025}) {
        QString file = QStringLiteral(TC_SOURCE_DIR "/disc/adapter/EULA") +
                       QString::fromStdWString(LicenceDocumentFileName(langid)).replace(QLatin1Char('\\'), QLatin1Char('/'));
        EXPECT_TRUE(QFile::exists(file)) << file.toStdString();
    }
}

namespace {

// Files by Windows path from a map; everything else is missing.
struct MapFiles : Files {
    std::map<std::wstring, std::string> files;
    std::wstring GetCommonAppDataFolder() override { return L"C:\\ProgramData"; }
    bool DirectoryExists(const std::wstring&) override { return false; }
    bool CreateDirectoryTree(const std::wstring&) override { return false; }
    bool PathFileExistsW(const std::wstring& p) override { return files.count(p) != 0; }
    bool MoveFileW(const std::wstring&, const std::wstring&) override { return false; }
    bool DeleteFileW(const std::wstring&) override { return false; }
    std::unique_ptr<FileHandle> CreateFileForWriting(const std::wstring&) override { return nullptr; }
    std::optional<std::string> ReadFile(const std::wstring& p, std::size_t maxBytes) override
    {
        auto it = files.find(p);
        if (it == files.end()) return std::nullopt;
        return it->second.substr(0, maxBytes);
    }
    std::optional<std::uint64_t> FileSize(const std::wstring& p) override
    {
        auto it = files.find(p);
        if (it == files.end()) return std::nullopt;
        return it->second.size();
    }
};

class CHost : public CDialogEx {
public:
    CHost() : CDialogEx(380)
    {
        MoveWindow(0, 0, 653, 394);
        Create();
    }
    const char* ClassName() const override { return "CHost"; }
    CMhtViewer* AddViewer() { return AddControl<CMhtViewer>(1178); }
};

class LicenceViewer : public ::testing::Test {
protected:
    void SetUp() override
    {
        rt::Init(rt::ClockMode::Virtual, 1000000, 1.0);
        if (!TestApp()) GTEST_SKIP() << "no widget application";
        m_saved = Os();
        Platform p = m_saved;
        p.files = &m_files;
        InstallPlatform(p);
    }
    void TearDown() override
    {
        InstallPlatform(m_saved);
        g_nUiLanguage = 1033;
        rt::Shutdown();
    }
    static void Render(CMhtViewer* viewer)
    {
        viewer->MoveWindow(30, 30, 591, 293);
        viewer->ShowWindow(SW_SHOW);
        (void)viewer->Widget()->grab();
    }

    MapFiles m_files;
    Platform m_saved;
};

}  // namespace

TEST_F(LicenceViewer, PicturesComeOnlyFromTheArchive)
{
    // A picture file that exists on this computer: a page that names it must not get it.
    QTemporaryDir dir;
    QImage(8, 8, QImage::Format_RGB32).save(dir.filePath(QStringLiteral("local.png")));
    const std::string localUrl = QUrl::fromLocalFile(dir.filePath(QStringLiteral("local.png"))).toString().toStdString();
    const std::string png =
        "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR4nGNgYGBgAAAABQABpfZFQAAAAABJRU5ErkJggg==";
    const std::string archive =
        "MIME-Version: 1.0\r\nContent-Type: multipart/related; boundary=\"B\"\r\n\r\n"
        "--B\r\nContent-Type: text/html; charset=utf-8\r\nContent-Location: file:///C:/Docs/page.htm\r\n\r\n"
        "<html><head><title>Terms</title><script>alert(1)</script></head><body><p>Words</p>"
        "<img src=\"files/a.png\"><img src=\"http://pictures.example/remote.png\"><img src=\"" + localUrl + "\">"
        "<img src=\"files/broken.png\"></body></html>\r\n"
        "--B\r\nContent-Type: image/png\r\nContent-Transfer-Encoding: base64\r\nContent-Location: file:///C:/Docs/files/a.png\r\n\r\n" +
        png + "\r\n--B\r\nContent-Type: image/png\r\nContent-Location: file:///C:/Docs/files/broken.png\r\n\r\n"
              "\x89PNG\r\n\x1a\nnot really\r\n--B--\r\n";
    CHost host;
    CMhtViewer* viewer = host.AddViewer();
    viewer->ShowArchive(L"D:\\adapter\\EULA\\x.mht", archive);
    Render(viewer);
    EXPECT_FALSE(viewer->ShowsErrorPage());
    EXPECT_EQ(viewer->DocumentTitle(), L"Terms");
    EXPECT_EQ(viewer->GetWindowTextW(), L"Terms");
    EXPECT_EQ(viewer->PicturesShown(), 1);
    QStringList refused = viewer->RefusedUrls();
    EXPECT_TRUE(refused.contains(QStringLiteral("http://pictures.example/remote.png"))) << refused.join(' ').toStdString();
    EXPECT_TRUE(refused.contains(QString::fromStdString(localUrl))) << refused.join(' ').toStdString();
    EXPECT_TRUE(refused.contains(QStringLiteral("files/broken.png"))) << refused.join(' ').toStdString();
    EXPECT_EQ(viewer->PlainText().find(L"alert"), std::wstring::npos);
    EXPECT_NE(viewer->PlainText().find(L"Words"), std::wstring::npos);
}

TEST_F(LicenceViewer, AMissingOrUnreadableDocumentIsTheViewersOwnPage)
{
    for (int langid : {1033, 1031, 1025, 1054}) {
        g_nUiLanguage = langid;
        CHost host;
        CMhtViewer* viewer = host.AddViewer();
        viewer->Navigate2(L"D:\\adapter\\EULA\\gone.mht");
        Render(viewer);
        EXPECT_TRUE(viewer->ShowsErrorPage()) << langid;
        EXPECT_EQ(viewer->DocumentTitle(), LoadText(langid, 460)) << langid;
        EXPECT_NE(viewer->PlainText().find(L"D:\\adapter\\EULA\\gone.mht"), std::wstring::npos) << langid;
        EXPECT_EQ(viewer->DocumentPath(), L"D:\\adapter\\EULA\\gone.mht");
    }
    // A file that is there but holds no page: the same page, and a damaged one with a
    // page: the page and a line that says part of it is missing.
    g_nUiLanguage = 1033;
    m_files.files[L"D:\\a.mht"] = "MIME-Version: 1.0\r\nContent-Type: image/png\r\n\r\nnothing";
    m_files.files[L"D:\\b.mht"] =
        "MIME-Version: 1.0\r\nContent-Type: multipart/related; boundary=\"B\"\r\n\r\n--B\r\n"
        "Content-Type: text/html\r\n\r\n<p>What there is</p>\r\n--B\r\nContent-Type: image/png\r\n\r\nno picture\r\n--B--\r\n";
    CHost host;
    CMhtViewer* viewer = host.AddViewer();
    viewer->Navigate2(L"D:\\a.mht");
    EXPECT_TRUE(viewer->ShowsErrorPage());
    viewer->Navigate2(L"D:\\b.mht");
    Render(viewer);
    EXPECT_FALSE(viewer->ShowsErrorPage());
    EXPECT_TRUE(viewer->ShowsDamageNotice());
    EXPECT_NE(viewer->PlainText().find(L"What there is"), std::wstring::npos);
    EXPECT_NE(viewer->PlainText().find(LoadText(1033, 462)), std::wstring::npos);
}
