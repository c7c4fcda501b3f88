// The names and paths an install meets: another place typed or chosen, a host folder
// with a line break in it, names outside the system's code page, a long path to the
// installer.
#include "tests/app/InstallTest.h"

#include "folders/FolderChooser.h"
#include "framework/Text.h"
#include "res/resource.h"
#include "tests/support/WindowDriver.h"

#include <shlobj.h>

namespace {
using Boxes = std::vector<std::string>;

TEST_F(InstallTest, EmptyOtherFolderStopsAndASecondInstallWithAFolderWorks) {
    RegisterPhotoshop("7.0", hosts / "PS");
    InstallerRun run(package.Path());
    HWND dialog = run.WaitForDialog();
    ASSERT_NE(nullptr, dialog);
    Click(run.Control(IDC_TARGET_OTHER));
    // No folder yet: the chooser opens; the user closes it without one.
    HWND chooser = WaitForTopWindow(run.Pid(), "Select Directory", "#32770");
    ASSERT_NE(nullptr, chooser);
    Click(::GetDlgItem(chooser, IDCANCEL));
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(chooser); }));

    PressInstall(run);
    HWND box = WaitForMessageBox(run.Pid(), InstallerRun::kAppName);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("The output path is empty", MessageBoxText(box));
    AnswerMessageBox(box, IDOK);
    ASSERT_TRUE(
        WaitUntil([&] { return FindTopWindow(run.Pid(), InstallerRun::kAppName) == nullptr; }));
    EXPECT_TRUE(::IsWindowVisible(dialog));
    EXPECT_TRUE(LogExists());

    // Typed with a trailing separator: one separator before QuillonTools all the same.
    TypeText(run.Control(IDC_OTHER_PATH), hosts / "Other\\");
    ASSERT_TRUE(
        WaitUntil([&] { return TextOf(run.Control(IDC_OTHER_PATH)) == hosts / "Other\\"; }));
    PressInstall(run);
    EXPECT_EQ(0u, run.WaitForExit());
    const std::string target = hosts / "Other\\QuillonTools";
    EXPECT_EQ(target + "\r\n", Log());
    ExpectPlugins(target);
}

TEST_F(InstallTest, DriveRootChosenInTheChooserGivesOneSeparatorBeforeQuillonTools) {
    RegisterPhotoshop("7.0", hosts / "PS");
    RemoveTree("C:\\QuillonTools");
    const InstallOutcome outcome = RunInstall(package.Path(), [](InstallerRun& run) {
        Click(run.Control(IDC_TARGET_OTHER));
        HWND chooser = WaitForTopWindow(run.Pid(), "Select Directory", "#32770");
        ASSERT_NE(nullptr, chooser);
        HWND path = ::GetDlgItem(chooser, IDC_CHOOSER_EDIT);
        ::PostMessageA(path, EM_SETSEL, 0, -1);
        TypeText(path, "C:\\");
        ASSERT_TRUE(WaitUntil([&] { return TextOf(path) == "C:\\"; }));
        Click(::GetDlgItem(chooser, IDOK));
        ASSERT_TRUE(WaitUntil([&] { return TextOf(run.Control(IDC_OTHER_PATH)) == "C:\\"; }));
        PressInstall(run);
    });
    EXPECT_EQ(EndedWell(), outcome);
    EXPECT_EQ("C:\\QuillonTools\r\n", Log());
    ExpectPlugins("C:\\QuillonTools");
    RemoveTree("C:\\QuillonTools");
}

TEST_F(InstallTest, LineBreakInAHostFolderNeverReachesTheLogNorTheDisk) {
    // Any user can write a JASC value; the installer runs with administrator rights.
    const std::string injected = hosts / "PSP\r\nC:\\windows\\system32";
    RegisterPhotoshop("7.0", hosts / "PS");
    RegisterJasc("Paint Shop Pro 8", injected);
    const InstallOutcome outcome = RunInstall(package.Path(), ClickHostCheckThenInstall(1));
    ASSERT_TRUE(outcome.dialogShown);
    EXPECT_EQ(0u, outcome.exitCode);

    const Boxes& messages = outcome.boxes;
    ASSERT_EQ(3u, messages.size());
    EXPECT_EQ("The folder:\n\n" + injected + "\n\nis invalid. Please reenter.", messages[0]);
    EXPECT_NE(std::string::npos,
              messages[2].find("Folder missing or invalid:\n" + injected + "\\QuillonTools\\"));
    EXPECT_EQ(hosts / "PS\\Plug-Ins\\QuillonTools\r\n", Log());
    EXPECT_FALSE(IsFolder("C:\\windows\\system32\\QuillonTools"));
}

// Names outside the system's ANSI code page: the ANSI calls would give look-alikes
// (L for the L with stroke, A for the A with macron) or question marks.
bool CodePageHolds(const WideString& text) {
    std::string ansi;
    return ToAnsiExactly(text, ansi);
}

TEST_F(InstallTest, PackageFolderNamedOutsideTheCodePageUsesItsOwnPlugInsAndLog) {
    const WideString name = L"\x0141ukasz";
    if (CodePageHolds(name))
        GTEST_SKIP() << "this system's code page holds the name";
    RegisterPhotoshop("7.0", hosts / "PS");
    const std::string target = hosts / "PS\\Plug-Ins\\QuillonTools";
    for (bool lookAlike : {false, true}) {
        SCOPED_TRACE(lookAlike ? "beside a look-alike folder" : "alone");
        TempFolder parent("unpacked");
        const WideString folder = ToWide(parent.Path()) + L"\\" + name;
        ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
        WriteFileBytes(folder + L"\\Ink.8bf", "the real ink");
        if (lookAlike) {
            ::CreateDirectoryA((parent / "Lukasz").c_str(), nullptr);
            WriteFileBytes(parent / "Lukasz\\Decoy.8bf", "a decoy");
        }
        RemoveTree(target);

        const InstallOutcome outcome = RunInstall(folder);
        EXPECT_EQ(EndedWell(), outcome);
        EXPECT_EQ(target + "\r\n", ReadFileBytes(folder + L"\\puninst.log"));
        EXPECT_EQ(std::vector<WideString>{L"Ink.8bf"}, FileNames(target));
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES,
                  ::GetFileAttributesA((parent / "Lukasz\\puninst.log").c_str()));
    }
}

TEST_F(InstallTest, PlugInsArriveUnderTheirOwnNamesBesideLookAlikes) {
    const WideString macron = L"\x0100.8bf";
    const WideString nihongo = L"\x65E5\x672C\x8A9E.8bf";
    if (CodePageHolds(macron) || CodePageHolds(nihongo))
        GTEST_SKIP() << "this system's code page holds the names";
    const WideString source = ToWide(package.Path()) + L"\\";
    ::DeleteFileA((package / "Quillon Soft Focus.8bf").c_str());
    WriteFileBytes(package / "A.8bf", "plain A");
    WriteFileBytes(source + macron, "A with a macron");
    WriteFileBytes(source + nihongo, "nihongo");
    RegisterPhotoshop("7.0", hosts / "PS");
    const std::string target = hosts / "PS\\Plug-Ins\\QuillonTools";
    const WideString installed = ToWide(target) + L"\\";
    ASSERT_EQ(0, SHCreateDirectoryExA(nullptr, target.c_str(), nullptr));
    WriteFileBytes(installed + nihongo, "loaded by a running host");

    for (int pass = 0; pass < 2; ++pass) {
        // First a running host holds one of them: the closing box names it as it is,
        // in text the code page cannot hold, so it is read here as the box shows it.
        HANDLE held = pass == 0 ? ::CreateFileW((installed + nihongo).c_str(), GENERIC_READ, 0,
                                                nullptr, OPEN_EXISTING, 0, nullptr)
                                : INVALID_HANDLE_VALUE;
        InstallerRun run(package.Path());
        ASSERT_NE(nullptr, run.WaitForDialog());
        PressInstall(run);
        if (pass == 0) {
            ASSERT_NE(INVALID_HANDLE_VALUE, held);
            HWND box = WaitForMessageBox(run.Pid(), InstallerRun::kAppName);
            ASSERT_NE(nullptr, box);
            EXPECT_NE(WideString::npos,
                      MessageBoxWideText(box).find(L"In use by another program:\n" + installed +
                                                   nihongo + L"\n"));
            AnswerMessageBox(box, IDOK);
        }
        EXPECT_EQ(0u, run.WaitForExit());
        if (held != INVALID_HANDLE_VALUE)
            ::CloseHandle(held);
    }
    EXPECT_EQ(std::vector<WideString>({L"A.8bf", L"Ink.8bf", macron, nihongo}), FileNames(target));
    EXPECT_EQ("plain A", ReadFileBytes(installed + L"A.8bf"));
    EXPECT_EQ("A with a macron", ReadFileBytes(installed + macron));
    EXPECT_EQ("nihongo", ReadFileBytes(installed + nihongo));
}

TEST_F(InstallTest, ExecutablePathLongerThan256CharactersStillFindsItsPlugIns) {
    // A folder whose executable path is 258 characters long.
    std::string deep = package.Path();
    while (deep.size() + 1 + 20 < 240)
        deep += "\\" + std::string(20, 'd');
    deep += "\\" + std::string(240 - deep.size() - 1, 'e');
    ASSERT_EQ(0, SHCreateDirectoryExA(nullptr, deep.c_str(), nullptr));
    ASSERT_EQ(258u, (deep + "\\QuillonDeploy.exe").size());
    ::CopyFileA((package / "Ink.8bf").c_str(), (deep + "\\Ink.8bf").c_str(), FALSE);
    RegisterPhotoshop("7.0", hosts / "PS");

    EXPECT_EQ(EndedWell(), RunInstall(deep));
    const std::string target = hosts / "PS\\Plug-Ins\\QuillonTools";
    EXPECT_EQ(target + "\r\n", ReadFileBytes(deep + "\\puninst.log"));
    EXPECT_EQ(ReadFileBytes(package / "Ink.8bf"), ReadFileBytes(target + "\\Ink.8bf"));
}
} // namespace
