#include "folders/FolderRules.h"

#include "framework/WinApp.h"
#include "tests/support/Files.h"
#include "tests/support/MessageBoxWatcher.h"
#include "tests/support/WindowDriver.h"

#include <gtest/gtest.h>

namespace {
HICON Question() {
    return ::LoadIconA(nullptr, IDI_QUESTION);
}
HICON Exclamation() {
    return ::LoadIconA(nullptr, IDI_EXCLAMATION);
}

class EnsureFolderTest : public ::testing::Test {
protected:
    TempFolder folder{"ensure"};
};

TEST_F(EnsureFolderTest, ExistingFolderOrRootShowsNothing) {
    MessageBoxWatcher boxes(OwnCaption());
    EXPECT_EQ(0, EnsureFolder(folder.Path(), FolderCreation::AskFirst));
    EXPECT_EQ(0, EnsureFolder("C:\\", FolderCreation::AskFirst));
    EXPECT_TRUE(boxes.Seen().empty());
}

TEST_F(EnsureFolderTest, MissingFolderIsCreatedOnlyWhenTheUserAgrees) {
    const std::string path = folder / "new\\deeper";
    {
        MessageBoxWatcher boxes(OwnCaption(), {IDNO});
        EXPECT_EQ(-1, EnsureFolder(path, FolderCreation::AskFirst));
        ASSERT_EQ(1u, boxes.Seen().size());
        EXPECT_EQ("The folder:\n\n" + path +
                      "\n\ndoes not exist. Do you want the folder to be created?",
                  boxes.Seen()[0].text);
        EXPECT_EQ(Question(), boxes.Seen()[0].icon);
    }
    EXPECT_FALSE(IsFolder(folder / "new"));
    {
        MessageBoxWatcher boxes(OwnCaption(), {IDYES});
        EXPECT_EQ(0, EnsureFolder(path, FolderCreation::AskFirst));
        EXPECT_EQ(1u, boxes.Seen().size());
    }
    EXPECT_TRUE(IsFolder(path));
    {
        MessageBoxWatcher boxes(OwnCaption());
        EXPECT_EQ(0, EnsureFolder(folder / "silent\\too", FolderCreation::Silent));
        EXPECT_TRUE(boxes.Seen().empty());
    }
    EXPECT_TRUE(IsFolder(folder / "silent\\too"));
}

TEST_F(EnsureFolderTest, ReportsInvalidAndUncreatableFoldersWithThePathAsTyped) {
    WriteFileBytes(folder / "file", "in the way");
    const std::string trailing = folder.Path() + "\\";
    const std::string percent = folder / "%s%n%d|";
    const std::string blocked = folder / "file\\sub";
    MessageBoxWatcher boxes(OwnCaption());
    EXPECT_EQ(1, EnsureFolder(trailing, FolderCreation::AskFirst));
    EXPECT_EQ(1, EnsureFolder(percent, FolderCreation::AskFirst));
    EXPECT_EQ(2, EnsureFolder(blocked, FolderCreation::Silent));

    const auto seen = boxes.Seen();
    ASSERT_EQ(3u, seen.size());
    EXPECT_EQ("The folder:\n\n" + trailing + "\n\nis invalid. Please reenter.", seen[0].text);
    EXPECT_EQ("The folder:\n\n" + percent + "\n\nis invalid. Please reenter.", seen[1].text);
    EXPECT_EQ("The folder:\n\n" + blocked + "\n\ncan not be created. Please double check.",
              seen[2].text);
    for (const SeenMessageBox& box : seen)
        EXPECT_EQ(Exclamation(), box.icon);
}

TEST_F(EnsureFolderTest, PrepareFolderDropsOneTrailingSeparatorAndNeverAsks) {
    MessageBoxWatcher boxes(OwnCaption());
    EXPECT_EQ(0, PrepareFolder(folder / "Plug-Ins\\"));
    EXPECT_TRUE(IsFolder(folder / "Plug-Ins"));
    EXPECT_EQ(0, PrepareFolder(folder / "QuillonTools"));
    EXPECT_TRUE(IsFolder(folder / "QuillonTools"));
    EXPECT_EQ(0, PrepareFolder("C:"));
    EXPECT_EQ(0, PrepareFolder("C:\\"));
    EXPECT_TRUE(boxes.Seen().empty());

    // Too short to name a folder: the text it became is reported.
    EXPECT_EQ(1, PrepareFolder(""));
    EXPECT_EQ(1, PrepareFolder("\\"));
    EXPECT_EQ(1, PrepareFolder("a"));
    EXPECT_EQ(1, PrepareFolder(folder / "two\\\\"));
    const auto seen = boxes.Seen();
    ASSERT_EQ(4u, seen.size());
    EXPECT_EQ("The folder:\n\n\\\n\nis invalid. Please reenter.", seen[0].text);
    EXPECT_EQ("The folder:\n\n\\\n\nis invalid. Please reenter.", seen[1].text);
    EXPECT_EQ("The folder:\n\na\\\n\nis invalid. Please reenter.", seen[2].text);
    EXPECT_EQ("The folder:\n\n" + folder.Path() + "\\two\\\n\nis invalid. Please reenter.",
              seen[3].text);
}
} // namespace
