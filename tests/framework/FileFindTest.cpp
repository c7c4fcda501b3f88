#include "framework/FileFind.h"

#include "framework/Text.h"

#include "tests/support/Files.h"

#include <gtest/gtest.h>

#include <map>

namespace {
std::map<WideString, std::pair<WideString, bool>> FindAll(const std::string& pattern) {
    std::map<WideString, std::pair<WideString, bool>> found;
    CFileFind finder;
    for (bool more = finder.FindFile(ToWide(pattern)); more;) {
        more = finder.FindNextFile();
        found[finder.GetFileName()] = {finder.GetFilePath(), finder.IsDirectory()};
    }
    return found;
}

TEST(FileFindTest, ListsEveryMatchOnceWithPathAndKindByItsRealName) {
    TempFolder folder("find");
    const WideString wide = ToWide(folder.Path());
    WriteFileBytes(folder / "a.8bf", "a");
    // A-macron: no single-byte code page of the West holds it; its look-alike is A.
    WriteFileBytes(wide + L"\\\x0100.8bf", "a-macron");
    WriteFileBytes(folder / "notes.txt", "n");
    ::CreateDirectoryA((folder / "x.8bf").c_str(), nullptr);

    const auto found = FindAll(folder / "*.8bf");
    ASSERT_EQ(3u, found.size());
    EXPECT_EQ(std::make_pair(wide + L"\\a.8bf", false), found.at(L"a.8bf"));
    EXPECT_EQ(std::make_pair(wide + L"\\\x0100.8bf", false), found.at(L"\x0100.8bf"));
    EXPECT_EQ(std::make_pair(wide + L"\\x.8bf", true), found.at(L"x.8bf"));
}

TEST(FileFindTest, TellsTheDotEntriesAndFindsNothingInAMissingFolder) {
    TempFolder folder("dots");
    WriteFileBytes(folder / "only.8bf", "o");
    CFileFind finder;
    int dots = 0, entries = 0;
    for (bool more = finder.FindFile(ToWide(folder / "*")); more;) {
        more = finder.FindNextFile();
        ++entries;
        dots += finder.IsDots() ? 1 : 0;
    }
    EXPECT_EQ(3, entries);
    EXPECT_EQ(2, dots);

    EXPECT_FALSE(finder.FindFile(ToWide(folder / "missing\\*.8bf")));
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_EQ(L"", finder.GetFileName());
}
} // namespace
