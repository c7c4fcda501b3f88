// What an install leaves: the plug-ins in the ticked hosts, the uninstall log's lines,
// and what a second press or a second copy of the program does.
#include "tests/app/InstallTest.h"

#include "res/resource.h"
#include "tests/support/WindowDriver.h"

namespace {
TEST_F(InstallTest, TickedHostsGetEveryPlugInAndOneLogLineEachInRowOrder) {
    RegisterPhotoshop("7.0", hosts / "Photoshop\\");
    RegisterPhotoshop("8.0", hosts / "Photoshop 8");
    RegisterJasc("Paint Shop Pro 8", hosts / "PSP\\Plugins\\");

    EXPECT_EQ(EndedWell(), RunInstall(package.Path(), ClickHostCheckThenInstall(2)));

    const std::string first = hosts / "Photoshop\\Plug-Ins\\QuillonTools";
    const std::string third = hosts / "PSP\\Plugins\\QuillonTools";
    EXPECT_EQ(first + "\r\n" + third + "\r\n", Log());
    ExpectPlugins(first);
    ExpectPlugins(third);
    EXPECT_FALSE(IsFolder(hosts / "Photoshop 8"));
}

TEST_F(InstallTest, InstallingAgainAppendsTheLinesAndReplacesTheFilesReadOnlyOrNot) {
    RegisterPhotoshop("7.0", hosts / "PS");
    const std::string target = hosts / "PS\\Plug-Ins\\QuillonTools";
    WriteFileBytes(package / "puninst.log", "C:\\Earlier\\QuillonTools\r\n");
    // Shipped read-only, as from a disc: the installed copy must not be, or the next
    // version could not replace it.
    ::SetFileAttributesA((package / "Ink.8bf").c_str(), FILE_ATTRIBUTE_READONLY);
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1) {
            const std::string older = target + "\\Ink.8bf";
            EXPECT_EQ(0u, ::GetFileAttributesA(older.c_str()) & FILE_ATTRIBUTE_READONLY);
            WriteFileBytes(older, "an older, longer copy of the ink plug-in");
            ::SetFileAttributesA(older.c_str(), FILE_ATTRIBUTE_READONLY);
        }
        // Enter is Install.
        const InstallOutcome outcome = RunInstall(
            package.Path(), [](InstallerRun& run) { PressKey(run.Control(IDOK), VK_RETURN); });
        EXPECT_EQ(EndedWell(), outcome);
    }
    EXPECT_EQ("C:\\Earlier\\QuillonTools\r\n" + target + "\r\n" + target + "\r\n", Log());
    ExpectPlugins(target);
    EXPECT_EQ(0u, ::GetFileAttributesA((target + "\\Ink.8bf").c_str()) & FILE_ATTRIBUTE_READONLY);
}

TEST_F(InstallTest, NoTickedRowCopiesNothingButTheLogIsThere) {
    RegisterPhotoshop("7.0", hosts / "PS");
    EXPECT_EQ(EndedWell(), RunInstall(package.Path(), ClickHostCheckThenInstall(0)));
    EXPECT_TRUE(LogExists());
    EXPECT_EQ("", Log());
    EXPECT_FALSE(IsFolder(hosts / "PS"));
}

TEST_F(InstallTest, SecondPressWhileAnInstallRunsDoesNothing) {
    RegisterPhotoshop("7.0", "C:\\qt-bad|name");
    // A quick double click: the second press waits in the queue while the first one's
    // folder message is up.
    const InstallOutcome outcome = RunInstall(package.Path(), [](InstallerRun& run) {
        PressInstall(run);
        PressInstall(run);
    });
    ASSERT_TRUE(outcome.dialogShown);
    EXPECT_EQ(0u, outcome.exitCode);
    // Two folder messages and the closing box, once.
    EXPECT_EQ(3u, outcome.boxes.size());
    EXPECT_TRUE(LogExists());
}

TEST_F(InstallTest, SecondCopyBringsTheRunningOneToTheFrontAndEnds) {
    RegisterPhotoshop("7.0", hosts / "PS");
    InstallerRun first(package.Path());
    HWND dialog = first.WaitForDialog();
    ASSERT_NE(nullptr, dialog);
    // The user has gone on to another window meanwhile.
    HWND other = ::CreateWindowExA(0, "STATIC", "another program", WS_POPUP | WS_VISIBLE, 0, 0, 200,
                                   100, nullptr, nullptr, nullptr, nullptr);
    ::SetForegroundWindow(other);
    ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == other; }));

    TempFolder elsewhere{"elsewhere"};
    InstallerRun second(elsewhere.Path());
    EXPECT_EQ(0u, second.WaitForExit());
    EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == dialog; }));
    ::DestroyWindow(other);

    PressInstall(first);
    EXPECT_EQ(0u, first.WaitForExit());
    EXPECT_EQ(hosts / "PS\\Plug-Ins\\QuillonTools\r\n", Log());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA((elsewhere / "puninst.log").c_str()));
}
} // namespace
