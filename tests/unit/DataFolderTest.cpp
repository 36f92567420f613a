// The program finds its disc wherever it is installed, and from its build folder.
#include "lab/DataFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class DataFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = fs::temp_directory_path() / ("tc-datafolder-" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root);
    }
    void TearDown() override { fs::remove_all(root); }

    fs::path File(const fs::path& relative)
    {
        fs::create_directories((root / relative).parent_path());
        std::ofstream(root / relative) << "x";
        return root / relative;
    }
    fs::path Folder(const fs::path& relative)
    {
        fs::create_directories(root / relative);
        return root / relative;
    }
    std::string ErrorOf(const fs::path& exe, const fs::path& build, const fs::path& source)
    {
        try {
            lab::FindDiscFolder(exe, build, source);
        } catch (const std::runtime_error& e) {
            return e.what();
        }
        return "(no error)";
    }

    fs::path root;
};

TEST_F(DataFolderTest, InstalledProgramReadsTheDiscBesideIt)
{
    const fs::path exe = File("usr/bin/tesraconnect");
    const fs::path disc = Folder("usr/share/tesraconnect/disc");
    Folder("src/disc");
    EXPECT_EQ(lab::FindDiscFolder(exe, root / "build", root / "src"), disc);
    // Also through a link to the program from another folder, and with another prefix.
    fs::create_directories(root / "elsewhere");
    fs::create_symlink(exe, root / "elsewhere" / "tc");
    EXPECT_EQ(lab::FindDiscFolder(root / "elsewhere" / "tc", root / "build", root / "src"), disc);
    const fs::path optExe = File("opt/tc/bin/tesraconnect");
    EXPECT_EQ(lab::FindDiscFolder(optExe, {}, {}), Folder("opt/tc/share/tesraconnect/disc"));
}

TEST_F(DataFolderTest, ProgramInItsBuildFolderReadsTheSourceTree)
{
    const fs::path exe = File("build/TesraConnect");
    const fs::path disc = Folder("src/disc");
    EXPECT_EQ(lab::FindDiscFolder(exe, root / "build", root / "src"), disc);
    EXPECT_EQ(lab::FindDiscFolder(exe, root / "build" / ".", root / "src"), disc);
}

TEST_F(DataFolderTest, CopyWithoutItsDataIsRefusedWithThePathItLookedIn)
{
    Folder("src/disc");
    Folder("build");
    // An installed copy whose package lacks the disc never falls back to the source tree.
    const fs::path installed = File("usr/bin/tesraconnect");
    const std::string error = ErrorOf(installed, root / "build", root / "src");
    EXPECT_NE(error.find((root / "usr/share/tesraconnect/disc").string() + ": "), std::string::npos) << error;
    // A build folder without the source tree's disc.
    fs::remove_all(root / "src");
    EXPECT_NE(ErrorOf(File("build/TesraConnect"), root / "build", root / "src"), "(no error)");
    // A file where the disc folder belongs.
    File("usr/share/tesraconnect/disc");
    EXPECT_NE(ErrorOf(installed, {}, {}), "(no error)");
}

TEST_F(DataFolderTest, ThisExecutableIsTheRunningProgram)
{
    const fs::path self = lab::ThisExecutable("ignored");
    EXPECT_TRUE(self.is_absolute());
    EXPECT_TRUE(fs::is_regular_file(self)) << self;
}

}  // namespace
