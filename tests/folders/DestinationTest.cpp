#include "folders/Destination.h"

#include <gtest/gtest.h>

namespace {
TEST(DestinationTest, FolderOrPlaceGivesItsQuillonToolsSubFolderAndItsRecord) {
    struct Case {
        std::string folder;
        std::string destination;
        UINT codePage;
    };
    // In code page 932 the katakana "so" is the bytes 83 5C: its trail byte is '\'.
    const Case cases[] = {
        {"C:\\PS\\Plug-Ins", "C:\\PS\\Plug-Ins\\QuillonTools", 1252},
        {"C:\\PSP\\Plugins\\", "C:\\PSP\\Plugins\\QuillonTools", 1252},
        {"C:\\", "C:\\QuillonTools", 1252},
        {"\\\\server\\share\\", "\\\\server\\share\\QuillonTools", 1252},
        // Only one separator is dropped: the folder rules refuse what is left.
        {"C:\\a\\\\", "C:\\a\\\\QuillonTools", 1252},
        {"C:\\\x83\x5C", "C:\\\x83\x5C\\QuillonTools", 932},
        {"C:\\\x83\x5C\\", "C:\\\x83\x5C\\QuillonTools", 932},
        {"C:\\\x83\x5C", "C:\\\x83\\QuillonTools", 1252},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.destination, DestinationIn(c.folder, c.codePage)) << c.folder;
    }
    EXPECT_EQ(L"C:\\\x0141ukasz\\QuillonTools", DestinationIn(WideString(L"C:\\\x0141ukasz\\")));
    EXPECT_EQ(L"C:\\\x0141ukasz\\QuillonTools", DestinationIn(WideString(L"C:\\\x0141ukasz")));
    EXPECT_EQ(246u, kMaxDestinationFolder);
}

TEST(DestinationTest, HostPlugInFolderIsThePlugInsFolderOfTheApplicationFolder) {
    EXPECT_EQ(L"C:\\PS\\Plug-Ins", HostPlugInFolder(L"C:\\PS"));
    EXPECT_EQ(L"C:\\PS\\Plug-Ins", HostPlugInFolder(L"C:\\PS\\"));
    // A name of the Japanese code page whose second byte is '\' is one character here.
    EXPECT_EQ(L"C:\\\x30BD\\Plug-Ins", HostPlugInFolder(L"C:\\\x30BD"));
}
} // namespace
