// What an install that meets a refusal tells the user, and that it loses nothing: no
// plug-ins to copy, a folder the rules refuse, a plug-in or the log held by another
// program, a full disk.
#include "tests/app/InstallTest.h"

#include "platform/OwnedHandle.h"

#include <shlobj.h>

namespace {
using Boxes = std::vector<std::string>;

// The closing box's offer, at the end of every failure that a retry may mend.
const char kRetryLine[] =
    "\n\nChoose Retry to try these again, or Cancel to leave them as they are.";

// A file held open without sharing, as a running program holds what it uses.
COwnedHandle HoldWithoutSharing(const std::string& path) {
    return COwnedHandle(
        ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
}

std::string MissingFromLog(const std::string& log, const std::string& folder) {
    return "These folders are missing from the uninstall log " + log + ":\n" + folder +
           "\nThe uninstaller will not remove them: delete them by hand when you uninstall." +
           kRetryLine;
}

TEST_F(InstallTest, WithoutPlugInsTheUserIsToldAndNothingIsWritten) {
    ::DeleteFileA((package / "Quillon Soft Focus.8bf").c_str());
    ::DeleteFileA((package / "Ink.8bf").c_str());
    RegisterPhotoshop("7.0", hosts / "PS");

    EXPECT_EQ(EndedWell({"Error: There are no files to copy!\nThis may be a bad installation"}),
              RunInstall(package.Path()));
    EXPECT_FALSE(LogExists());
    EXPECT_FALSE(IsFolder(hosts / "PS"));
}

TEST_F(InstallTest, BadDestinationIsReportedNotLoggedAndItsPlugInsListed) {
    RegisterPhotoshop("7.0", "C:\\qt-bad|name");
    const InstallOutcome outcome = RunInstall(package.Path());
    ASSERT_TRUE(outcome.dialogShown);
    EXPECT_EQ(0u, outcome.exitCode);
    const Boxes& messages = outcome.boxes;
    ASSERT_EQ(3u, messages.size());
    EXPECT_EQ("The folder:\n\nC:\\qt-bad|name\\Plug-Ins\n\nis invalid. Please reenter.",
              messages[0]);
    EXPECT_EQ(
        "The folder:\n\nC:\\qt-bad|name\\Plug-Ins\\QuillonTools\n\nis invalid. Please reenter.",
        messages[1]);
    EXPECT_NE(std::string::npos, messages[2].find("Folder missing or invalid:\n"));
    EXPECT_NE(std::string::npos,
              messages[2].find("C:\\qt-bad|name\\Plug-Ins\\QuillonTools\\Ink.8bf\n"));
    EXPECT_EQ("", Log());
}

TEST_F(InstallTest, PlugInInUseIsReportedByNameAndTheOthersArrive) {
    RegisterPhotoshop("7.0", hosts / "PS");
    const std::string target = hosts / "PS\\Plug-Ins\\QuillonTools";
    ASSERT_EQ(0, SHCreateDirectoryExA(nullptr, target.c_str(), nullptr));
    WriteFileBytes(target + "\\Ink.8bf", "loaded by a running host");
    COwnedHandle held = HoldWithoutSharing(target + "\\Ink.8bf");
    ASSERT_NE(nullptr, held.Get());

    const InstallOutcome outcome = RunInstall(package.Path());
    held.Close();
    EXPECT_EQ(
        EndedWell({"These plug-ins could not be installed.\n\nIn use by another program:\n" +
                   target +
                   "\\Ink.8bf\nClose the programs that use these plug-ins, such as your image "
                   "editor." +
                   kRetryLine}),
        outcome);
    EXPECT_EQ(ReadFileBytes(package / "Quillon Soft Focus.8bf"),
              ReadFileBytes(target + "\\Quillon Soft Focus.8bf"));
    EXPECT_EQ("loaded by a running host", ReadFileBytes(target + "\\Ink.8bf"));
    EXPECT_EQ(target + "\r\n", Log());
}

TEST_F(InstallTest, LogHeldByAnotherProgramLetsTheInstallFinishAndSaysWhatIsNotLogged) {
    RegisterPhotoshop("7.0", hosts / "PS");
    WriteFileBytes(package / "puninst.log", "kept\r\n");
    COwnedHandle held = HoldWithoutSharing(package / "puninst.log");
    ASSERT_NE(nullptr, held.Get());

    const InstallOutcome outcome = RunInstall(package.Path());
    held.Close();
    const std::string target = hosts / "PS\\Plug-Ins\\QuillonTools";
    EXPECT_EQ(EndedWell({MissingFromLog(package / "puninst.log", target)}), outcome);
    EXPECT_EQ("kept\r\n", Log());
    ExpectPlugins(target);
}

// A disk that fills up, for real: the test bench's small disk.
class FullDiskTest : public InstallTest {
protected:
    void SetUp() override {
        if (SmallDrive().empty())
            GTEST_SKIP() << "the test bench has no small disk (making one needs root)";
    }
};

TEST_F(FullDiskTest, FailedCopyKeepsTheOldPlugInWholeAndLeavesNoTemporaryFile) {
    TempFolder small("full", SmallDrive());
    const std::string target = small / "PS\\Plug-Ins\\QuillonTools";
    ASSERT_EQ(0, SHCreateDirectoryExA(nullptr, target.c_str(), nullptr));
    WriteFileBytes(target + "\\Ink.8bf", "the older ink plug-in that works");
    ::DeleteFileA((package / "Quillon Soft Focus.8bf").c_str());
    WriteFileBytes(package / "Ink.8bf", std::string(300 * 1024, 'i'));
    RegisterPhotoshop("7.0", small / "PS");

    std::string filler;
    const InstallOutcome outcome = RunInstall(package.Path(), [&](InstallerRun& run) {
        filler = FillDisk(small.Path());
        PressInstall(run);
    });
    ::DeleteFileA(filler.c_str());
    EXPECT_EQ(
        EndedWell({"These plug-ins could not be installed.\n\nNot enough space on the disk:\n" +
                   target + "\\Ink.8bf\nFree some space on the disk." + kRetryLine}),
        outcome);
    EXPECT_EQ("the older ink plug-in that works", ReadFileBytes(target + "\\Ink.8bf"));
    EXPECT_EQ(std::vector<WideString>{L"Ink.8bf"}, FileNames(target));
}

TEST_F(FullDiskTest, LogRecordIsWrittenWholeOrNotAtAllAndOnALineOfItsOwn) {
    TempFolder small("log", SmallDrive());
    WriteFileBytes(small / "Ink.8bf", "ink");
    // Earlier records, the last one torn by a crash, ending 6 bytes before the end of
    // a page of the disk: a new record fits only in part.
    std::string earlier;
    while (earlier.size() + 25 <= 4075)
        earlier += "C:\\Earlier\\QuillonTools\r\n";
    earlier += std::string("C:\\Torn\\QuillonTools").substr(0, 4090 - earlier.size());
    WriteFileBytes(small / "puninst.log", earlier);
    RegisterPhotoshop("7.0", hosts / "PS");
    const std::string target = hosts / "PS\\Plug-Ins\\QuillonTools";

    // First on the full disk, then with its space back.
    std::string filler;
    const InstallOutcome full = RunInstall(small.Path(), [&](InstallerRun& run) {
        filler = FillDisk(small.Path());
        PressInstall(run);
    });
    EXPECT_EQ(EndedWell({MissingFromLog(small / "puninst.log", target)}), full);
    EXPECT_EQ(earlier, ReadFileBytes(small / "puninst.log"));

    ::DeleteFileA(filler.c_str());
    const InstallOutcome freed = RunInstall(small.Path());
    EXPECT_EQ(EndedWell(), freed);
    EXPECT_EQ(earlier + "\r\n" + target + "\r\n", ReadFileBytes(small / "puninst.log"));
}
} // namespace
