#include "framework/FileFind.h"

#include "tests/support/Files.h"

#include <gtest/gtest.h>

#include <map>

namespace {
std::map<std::string, std::pair<std::string, bool>> FindAll(const std::string& pattern) {
    std::map<std::string, std::pair<std::string, bool>> found;
    CFileFind finder;
    for (bool more = finder.FindFile(pattern); more;) {
        more = finder.FindNextFile();
        found[finder.GetFileName()] = {finder.GetFilePath(), finder.IsDirectory()};
    }
    return found;
}

TEST(FileFindTest, ListsEveryMatchOnceWithPathAndKind) {
    TempFolder folder("find");
    WriteFileBytes(folder / "a.8bf", "a");
    WriteFileBytes(folder / "b.8bf", "b");
    WriteFileBytes(folder / "notes.txt", "n");
    ::CreateDirectoryA((folder / "x.8bf").c_str(), nullptr);

    const auto found = FindAll(folder / "*.8bf");
    ASSERT_EQ(3u, found.size());
    EXPECT_EQ(std::make_pair(folder / "a.8bf", false), found.at("a.8bf"));
    EXPECT_EQ(std::make_pair(folder / "b.8bf", false), found.at("b.8bf"));
    EXPECT_EQ(std::make_pair(folder / "x.8bf", true), found.at("x.8bf"));
}

TEST(FileFindTest, TellsTheDotEntriesAndFindsNothingInAMissingFolder) {
    TempFolder folder("dots");
    WriteFileBytes(folder / "only.8bf", "o");
    CFileFind finder;
    int dots = 0, entries = 0;
    for (bool more = finder.FindFile(folder / "*"); more;) {
        more = finder.FindNextFile();
        ++entries;
        dots += finder.IsDots() ? 1 : 0;
    }
    EXPECT_EQ(3, entries);
    EXPECT_EQ(2, dots);

    EXPECT_FALSE(finder.FindFile(folder / "missing\\*.8bf"));
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_EQ("", finder.GetFileName());
}
} // namespace
