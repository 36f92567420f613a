// The web archive reader on archives shaped as browsers save them (quoted-printable
// pages with soft line breaks, base64 pictures named by location or Content-ID) and on
// damaged ones: each shows what it can and nothing else, and none of them fails.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "dialogs/MhtReaderLoader.h"
#include "mht/MhtArchive.h"

namespace {

// The smallest PNG: one transparent pixel.
const std::string kPngBase64 =
    "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR4nGNgYGBgAAAABQABpfZFQAAAAABJRU5ErkJggg==";

std::string Part(const std::string& headers, const std::string& body) { return headers + "\r\n\r\n" + body + "\r\n"; }

std::string Archive(const std::vector<std::string>& parts, const std::string& boundary = "----=_NextPart_01",
                    const std::string& headerBoundary = "----=_NextPart_01", bool close = true)
{
    std::string a = "From: <Saved by a browser>\r\nSubject: Test\r\nMIME-Version: 1.0\r\n"
                    "Content-Type: multipart/related;\r\n\ttype=\"text/html\"";
    if (!headerBoundary.empty()) a += ";\r\n\tboundary=\"" + headerBoundary + "\"";
    a += "\r\n\r\nThis is a multi-part message in MIME format.\r\n\r\n";
    for (const auto& p : parts) a += "--" + boundary + "\r\n" + p;
    if (close) a += "--" + boundary + "--\r\n";
    return a;
}

const std::string kQpPage = Part(
    "Content-Type: text/html;\r\n\tcharset=\"utf-8\"\r\nContent-Transfer-Encoding: quoted-printable\r\n"
    "Content-Location: file:///C:/Docs/EULA/Terms.htm",
    "<html><head><title>Lizenzvertrag f=C3=BCr Endbenutzer</title></head><body>\r\n"
    "<p>Die Software bleibt Eigentum von Tesra Sys=\r\ntems.</p>\r\n"
    "<img src=3D\"Terms_files/image001.png\"><img src=3D\"cid:logo@tesra\">\r\n</body></html>");
const std::string kPicture = Part(
    "Content-Type: image/png\r\nContent-Transfer-Encoding: base64\r\n"
    "Content-Location: file:///C:/Docs/EULA/Terms_files/image001.png",
    kPngBase64);
const std::string kCidPicture = Part(
    "Content-Type: image/png\r\nContent-Transfer-Encoding: base64\r\nContent-ID: <logo@tesra>", kPngBase64);

}  // namespace

TEST(MhtArchive, ReadsARealShapedArchive)
{
    MhtDocument doc = ReadMhtArchive(Archive({kQpPage, kPicture, kCidPicture}));
    ASSERT_TRUE(doc.HasPage());
    EXPECT_TRUE(doc.problems.empty());
    // Quoted-printable undone: the soft line break joins the word, =C3=BC is "ü".
    EXPECT_NE(doc.html.find("Tesra Systems."), std::string::npos) << doc.html;
    EXPECT_NE(doc.html.find("Lizenzvertrag f\xC3\xBCr Endbenutzer"), std::string::npos);
    EXPECT_NE(doc.html.find("src=\"Terms_files/image001.png\""), std::string::npos);
    EXPECT_EQ(doc.htmlLocation, "file:///C:/Docs/EULA/Terms.htm");
    ASSERT_EQ(doc.resources.size(), 2u);
    // The pictures by the page's relative address, by full location and by Content-ID.
    const MhtResource* relative = doc.Find("Terms_files/image001.png");
    ASSERT_NE(relative, nullptr);
    EXPECT_EQ(relative->contentType, "image/png");
    EXPECT_EQ(relative->data.compare(0, 8, "\x89PNG\r\n\x1a\n"), 0);
    EXPECT_EQ(doc.Find("file:///C:/Docs/EULA/Terms_files/image001.png"), relative);
    EXPECT_EQ(doc.Find("./Terms_files/../Terms_files/image001.png"), relative);
    const MhtResource* cid = doc.Find("cid:logo@tesra");
    ASSERT_NE(cid, nullptr);
    EXPECT_NE(cid, relative);
    EXPECT_EQ(doc.Find("Terms_files/image002.png"), nullptr);
}

TEST(MhtArchive, TheDiscsDocumentsAreWholePagesWithTheirEmblem)
{
    const std::filesystem::path folder = std::filesystem::path(TC_SOURCE_DIR) / "disc" / "adapter" / "EULA";
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        MhtDocument doc = ReadMhtArchive(bytes.str());
        EXPECT_TRUE(doc.HasPage()) << entry.path();
        EXPECT_TRUE(doc.problems.empty()) << entry.path();
        EXPECT_NE(doc.html.find("<title>"), std::string::npos) << entry.path();
        EXPECT_NE(doc.html.find("Tesra Systems"), std::string::npos) << entry.path();
        EXPECT_NE(doc.Find("Terms_files/image001.png"), nullptr) << entry.path();
        ++count;
    }
    EXPECT_EQ(count, 21);
}

TEST(MhtArchive, DamagedArchivesShowWhatCanBeRead)
{
    struct Case {
        const char* what;
        std::string bytes;
        bool page;
        std::vector<MhtProblem> problems;
        std::size_t resources;
    };
    const std::string whole = Archive({kQpPage, kPicture});
    const std::string textPart = Part("Content-Type: text/plain; charset=us-ascii", "Licence <terms> & conditions");
    const Case cases[] = {
        // The cut picture still starts as a PNG: the viewer, which decodes it, leaves it out.
        {"truncated in the picture", whole.substr(0, whole.find(kPngBase64) + 20), true, {}, 1},
        {"truncated in the page", whole.substr(0, whole.find("Tesra Sys")), true, {}, 0},
        {"no HTML part", Archive({kPicture}), false, {MhtProblem::NoPage}, 1},
        {"only a text part", Archive({textPart}), true, {}, 0},
        {"wrong boundary", Archive({kQpPage, kPicture}, "----=_Other", "----=_NextPart_01"), false,
         {MhtProblem::NoParts, MhtProblem::NoPage}, 0},
        {"missing boundary", Archive({kQpPage, kPicture}, "----=_NextPart_01", ""), false,
         {MhtProblem::NoParts, MhtProblem::NoPage}, 0},
        {"bad base64", Archive({kQpPage, Part("Content-Type: image/png\r\nContent-Transfer-Encoding: base64\r\n"
                                              "Content-Location: file:///C:/Docs/EULA/Terms_files/image001.png",
                                              "!!!*** not base64 at all ***!!!")}),
         true, {MhtProblem::NotAPicture}, 0},
        {"a picture that is not one", Archive({kQpPage, Part("Content-Type: image/png\r\nContent-Location: x.png",
                                                             "GIF? no, just text")}),
         true, {MhtProblem::NotAPicture}, 0},
        {"unknown charset", Archive({Part("Content-Type: text/html; charset=x-unheard-of-8",
                                          "<html><body>caf\xC3\xA9</body></html>")}),
         true, {MhtProblem::UnknownCharset}, 0},
        {"bytes that are not text", Archive({Part("Content-Type: text/html; charset=utf-8", "<p>caf\xE9\xFF</p>")}),
         true, {MhtProblem::BadCharacters}, 0},
        {"empty", "", false, {MhtProblem::NoPage}, 0},
        {"not MIME at all", "\x01\x02\x03 binary \xFF\xFE garbage", false, {MhtProblem::NoPage}, 0},
    };
    for (const Case& c : cases) {
        MhtDocument doc = ReadMhtArchive(c.bytes);
        EXPECT_EQ(doc.HasPage(), c.page) << c.what;
        for (MhtProblem p : c.problems) EXPECT_TRUE(doc.Has(p)) << c.what << " lacks problem " << static_cast<int>(p);
        EXPECT_EQ(doc.resources.size(), c.resources) << c.what;
    }
    // The text part is shown as text, its markup characters escaped.
    MhtDocument text = ReadMhtArchive(Archive({textPart}));
    EXPECT_NE(text.html.find("Licence &lt;terms&gt; &amp; conditions"), std::string::npos) << text.html;
    // An unknown charset is read as UTF-8 when the bytes are.
    MhtDocument unknown = ReadMhtArchive(cases[8].bytes);
    EXPECT_NE(unknown.html.find("caf\xC3\xA9"), std::string::npos);
    // Bytes that are not UTF-8 are replaced, the rest of the page stays.
    MhtDocument bad = ReadMhtArchive(cases[9].bytes);
    EXPECT_NE(bad.html.find("<p>caf"), std::string::npos);
}

TEST(MhtArchive, APartOfFiftyMegabytesIsLeftOut)
{
    std::string huge;
    huge.reserve(50u << 20);
    const std::string line(76, 'A');
    while (huge.size() < (50u << 20)) huge += line + "\r\n";
    std::string bytes = Archive({kQpPage, Part("Content-Type: image/png\r\nContent-Transfer-Encoding: base64\r\n"
                                               "Content-Location: file:///C:/Docs/EULA/big.png",
                                               huge),
                                 kPicture});
    huge.clear();
    MhtDocument doc = ReadMhtArchive(bytes);
    EXPECT_TRUE(doc.HasPage());
    EXPECT_TRUE(doc.Has(MhtProblem::PartTooLarge));
    EXPECT_EQ(doc.Find("big.png"), nullptr);
    EXPECT_NE(doc.Find("Terms_files/image001.png"), nullptr) << "the parts after it are still read";
}

TEST(MhtArchive, ScriptsFramesAndRemotePicturesAreNotKept)
{
    const std::string page = Part(
        "Content-Type: text/html; charset=utf-8\r\nContent-Location: file:///C:/Docs/page.htm",
        "<html><body><p>Before</p><SCRIPT type=\"text/javascript\">document.write('evil')</SCRIPT>"
        "<iframe src=\"http://tracker.example/frame\">framed</iframe><embed src=\"x.swf\">"
        "<object data=\"y\"><param name=a></object><p>Middle</p><script<img src=x>never closed"
        "</body></html>");
    const std::string page2 = Part("Content-Type: text/html; charset=utf-8",
                                   "<p>Kept</p><img src=\"http://pictures.example/remote.png\"><scripted>ok</scripted>");
    MhtDocument doc = ReadMhtArchive(Archive({page}));
    EXPECT_TRUE(doc.Has(MhtProblem::ActiveContent));
    EXPECT_NE(doc.html.find("<p>Before</p>"), std::string::npos);
    EXPECT_NE(doc.html.find("<p>Middle</p>"), std::string::npos);
    for (const char* gone : {"evil", "SCRIPT", "script", "iframe", "framed", "embed", "object", "never closed"})
        EXPECT_EQ(doc.html.find(gone), std::string::npos) << gone << " in " << doc.html;
    MhtDocument remote = ReadMhtArchive(Archive({page2}));
    EXPECT_FALSE(remote.Has(MhtProblem::ActiveContent)) << "an unknown tag that starts like one is no script";
    EXPECT_NE(remote.html.find("<scripted>ok</scripted>"), std::string::npos);
    EXPECT_EQ(remote.Find("http://pictures.example/remote.png"), nullptr);
    EXPECT_EQ(remote.Find("remote.png"), nullptr);
}

// The program reads archives through the reader module: found beside the program (here
// the test program, built into the same folder), it reads as the linked reader does; a
// folder without it gives no reader and says which file is missing.
TEST(MhtArchive, TheReaderModuleReadsAsTheReaderDoes)
{
    const std::string archive = Archive({kQpPage, kPicture, kCidPicture});
    std::string error;
    MhtReadEntry* read = LoadMhtReader(MhtReaderFolders(), error);
    ASSERT_NE(read, nullptr) << error;
    MhtDocument viaModule;
    const MhtLimits limits;
    read(archive.data(), archive.size(), &limits, &viaModule);
    const MhtDocument linked = ReadMhtArchive(archive);
    EXPECT_EQ(viaModule.html, linked.html);
    EXPECT_EQ(viaModule.resources.size(), linked.resources.size());
    EXPECT_EQ(ReadMhtArchiveWithModule(archive).html, linked.html);

    const auto empty = std::filesystem::temp_directory_path() / "tc-no-reader-module";
    std::filesystem::create_directories(empty);
    EXPECT_EQ(LoadMhtReader({empty.string()}, error), nullptr);
    EXPECT_NE(error.find("tesraconnect-mht.so is missing"), std::string::npos) << error;
    EXPECT_EQ(LoadMhtReader({}, error), nullptr);
    EXPECT_FALSE(error.empty());
}
