// The simulated PC's files as the program writes them: every write is on disk when it
// returns, whole, and the size the handle reports counts it.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "sim/SimPC.h"

namespace fs = std::filesystem;

TEST(SimFiles, EveryWriteIsOnDiskWholeWhenItReturns)
{
    const fs::path dir = fs::temp_directory_path() / ("tc-files-" + std::to_string(getpid()));
    fs::remove_all(dir);
    {
        sim::SimPC pc(sim::DefaultScenario(), dir / "machine", dir / "disc");
        const std::wstring folder = pc.GetCommonAppDataFolder() + L"\\Writes";
        ASSERT_TRUE(pc.CreateDirectoryTree(folder));
        const std::wstring path = folder + L"\\file.bin";
        auto file = pc.CreateFileForWriting(path);
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(file->GetFileSize(), 0u);

        // Sizes below, at and across the usual buffer sizes, and one of nothing.
        std::string expected;
        int piece = 0;
        for (std::size_t bytes : {std::size_t{1}, std::size_t{4096}, std::size_t{20540},
                                  std::size_t{0}, std::size_t{3}, std::size_t{65543}}) {
            std::string data(bytes, '\0');
            for (std::size_t i = 0; i < bytes; ++i)
                data[i] = static_cast<char>((i * 31 + static_cast<std::size_t>(piece) * 7) & 0xFF);
            ASSERT_TRUE(file->Write(data.data(), data.size())) << "piece " << piece;
            expected += data;
            EXPECT_EQ(file->GetFileSize(), expected.size()) << "piece " << piece;
            // Read back while the handle is still open: nothing is held back.
            EXPECT_EQ(pc.ReadFile(path, SIZE_MAX), expected) << "piece " << piece;
            EXPECT_EQ(pc.FileSize(path), expected.size()) << "piece " << piece;
            ++piece;
        }
        file.reset();
        EXPECT_EQ(pc.ReadFile(path, SIZE_MAX), expected);
    }
    fs::remove_all(dir);
}
