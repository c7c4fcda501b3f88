#include "folders/FolderRules.h"

#include "tests/support/Files.h"

#include <gtest/gtest.h>

namespace {
// In code page 932 the katakana "so" is the bytes 83 5C: its trail byte is '\'.
const std::string kSo = "\x83\x5C";

TEST(FolderNameTest, RejectsEmptyEdgesControlCharactersAndTheNineCharacters) {
    for (const char* good :
         {"Plug-Ins", "QuillonTools", "a b", "v.1.0", "x", "caf\xE9", "\x80\xFF"})
        EXPECT_TRUE(IsValidFolderName(good)) << good;
    for (const char* bad : {"", ".hidden", "name.", " lead", "trail ", "\ttab", "tab\t", ".", "..",
                            " ", "a\tb", "\x01", "PS\r\nC:", "a\x1F"})
        EXPECT_FALSE(IsValidFolderName(bad)) << "[" << bad << "]";
    for (char c : std::string("\"*/:<>?\\|"))
        EXPECT_FALSE(IsValidFolderName(std::string("a") + c + "b")) << c;
}

TEST(FolderNameTest, DoubleByteCharacterIsOneCharacter) {
    EXPECT_TRUE(IsValidFolderName(kSo, 932));
    EXPECT_TRUE(IsValidFolderName("Filters " + kSo, 932));
    // The same bytes on a single-byte code page end in a separator.
    EXPECT_FALSE(IsValidFolderName(kSo, 1252));
    EXPECT_FALSE(IsValidFolderName(kSo + ".", 932));
    EXPECT_FALSE(IsValidFolderName(kSo + "|", 932));
}

TEST(CreateFolderPathTest, ChecksWithoutTouchingTheDisk) {
    struct Case {
        std::string path;
        int result;
    };
    const Case cases[] = {
        {"C:\\", 0},
        {"c:\\qt-never\\deeper\\still", 0},
        {"\\\\server\\share\\folder", 0},
        // Relative to a current folder or drive: no place a record can name.
        {"\\qt-never", 1},
        {".\\qt-never", 1},
        {"qt-never\\b", 1},
        // Spellings the file system reads as another folder.
        {"C:/qt-never", 1},
        {"C:\\x\\..\\qt-never", 1},
        {"C:\\qt-never ", 1},
        {"\\\\?\\C:\\qt-never", 1},
        {"\\\\", 1},
        {"\\\\\rx\\share", 1},
        {"", 1},
        {"C:", 1},
        {"C:qt-never\\b", 1},
        {"1:\\qt-never", 1},
        {"C:\\qt-never\\b\\", 1},
        {"C:\\qt-never\\\\b", 1},
        {"C:\\\\qt-never", 1},
        {"C:\\qt-never\\b.", 1},
        {"C:\\qt-never\\a:b", 1},
        {"\\", 1},
        {"a\\", 1},
        {"C:\\" + std::string(256, 'x'), 0},
        {"C:\\" + std::string(257, 'x'), 1},
        {"C:\\" + std::string(300, 'x'), 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.result, CreateFolderPath(c.path, FolderWork::CheckOnly)) << c.path;
    EXPECT_FALSE(IsFolder("C:\\qt-never"));
}

TEST(CreateFolderPathTest, WalksDoubleByteCharactersWhole) {
    EXPECT_EQ(0, CreateFolderPath("C:\\qt-never\\" + kSo, FolderWork::CheckOnly, 932));
    EXPECT_EQ(0, CreateFolderPath("C:\\" + kSo + "\\b", FolderWork::CheckOnly, 932));
    EXPECT_EQ(1, CreateFolderPath("C:\\qt-never\\" + kSo + "\\", FolderWork::CheckOnly, 932));
    // Read byte by byte the trail byte is a trailing separator.
    EXPECT_EQ(1, CreateFolderPath("C:\\qt-never\\" + kSo, FolderWork::CheckOnly, 1252));
}

TEST(CreateFolderPathTest, CreatesLevelByLevelAndKeepsUpperLevelsWhenADeeperOneFails) {
    TempFolder folder("create");
    EXPECT_EQ(0, CreateFolderPath(folder / "a\\b\\c", FolderWork::Create));
    EXPECT_TRUE(IsFolder(folder / "a\\b\\c"));
    EXPECT_EQ(0, CreateFolderPath(folder / "a\\b\\c", FolderWork::Create));

    // A file where a folder should be: it passes as existing, the level under it
    // cannot be made.
    WriteFileBytes(folder / "x", "in the way");
    EXPECT_EQ(2, CreateFolderPath(folder / "x\\y", FolderWork::Create));
    EXPECT_EQ(0, CreateFolderPath(folder / "x", FolderWork::Create));

    // A trailing separator is caught after the levels before it were made.
    EXPECT_EQ(1, CreateFolderPath(folder / "t\\u\\", FolderWork::Create));
    EXPECT_TRUE(IsFolder(folder / "t\\u"));
}

TEST(CreateFolderPathTest, RootsAndPathsThatCannotExist) {
    EXPECT_EQ(0, CreateFolderPath("C:\\", FolderWork::Create));
    char missing[] = "?:\\";
    const DWORD drives = ::GetLogicalDrives();
    for (char letter = 'Y'; letter > 'C'; --letter) {
        if ((drives & (1u << (letter - 'A'))) == 0) {
            missing[0] = letter;
            break;
        }
    }
    ASSERT_NE('?', missing[0]);
    EXPECT_EQ(0, CreateFolderPath(missing, FolderWork::CheckOnly));
    EXPECT_EQ(2, CreateFolderPath(missing, FolderWork::Create));
    EXPECT_EQ(2, CreateFolderPath(std::string(missing) + "qt-folder", FolderWork::Create));
    EXPECT_EQ(2, CreateFolderPath("\\\\qt-server\\share\\folder", FolderWork::Create));
}
} // namespace
