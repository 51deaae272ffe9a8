#include "lists/text_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/cli/query_runner.h"

namespace skelvane {
namespace {

TEST(TextFile, AWriteReplacesTheWholeFileAndLeavesNothingBeside) {
    const test::TempFile file("old text");
    const std::string text = "# a list\n127.0.0.1:27960\n";
    const Result<> written = WriteFileWhole(file.path(), text);
    ASSERT_TRUE(written) << written.Why();
    EXPECT_EQ(file.Read(), text);
    const auto folder = std::filesystem::path(file.path()).parent_path();
    const auto name = std::filesystem::path(file.path()).filename().string();
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string other = entry.path().filename().string();
        EXPECT_FALSE(other != name && other.rfind(name, 0) == 0) << other << " left behind";
    }
    const std::string unreachable = file.path() + ".missing/cache";
    EXPECT_EQ(WriteFileWhole(unreachable, "x").Why(), "cannot write " + unreachable);
}

TEST(TextFile, AReadTakesTheWholeFileUpToItsLimitAndNoFileBeyondIt) {
    const test::TempFile file("12345");
    const struct {
        std::string path;
        std::size_t maxBytes;
        std::string failure;
    } cases[] = {{file.path(), 5, ""},
                 {file.path(), 4, file.path() + " is larger than 4 bytes"},
                 {file.path() + ".missing", 5, "cannot read " + file.path() + ".missing"}};
    for (const auto& c : cases) {
        const Result<std::string> read = ReadTextFile(c.path, c.maxBytes);
        EXPECT_EQ(read.Why(), c.failure);
        EXPECT_EQ(read ? *read : "", c.failure.empty() ? "12345" : "");
    }
}

}  // namespace
}  // namespace skelvane
