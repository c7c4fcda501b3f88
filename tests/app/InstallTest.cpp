// The whole job: the real QuillonDeploy.exe in a folder with plug-ins beside it, real
// hosts in the registry, used from outside; the results are read from the disk.
#include "folders/FolderChooser.h"
#include "framework/Text.h"
#include "res/resource.h"
#include "tests/support/Files.h"
#include "tests/support/InstallerRun.h"
#include "tests/support/Registry.h"
#include "tests/support/WindowDriver.h"

#include <gtest/gtest.h>

#include <shlobj.h>

namespace {
const char kAppName[] = "QuillonDeploy";

class InstallTest : public ::testing::Test {
protected:
    InstallTest() {
        WriteFileBytes(package / "Quillon Soft Focus.8bf", "soft focus plug-in\x01\x02");
        WriteFileBytes(package / "Ink.8bf", std::string("ink\0plug-in", 11));
        WriteFileBytes(package / "readme.txt", "not a plug-in");
        ::CreateDirectoryA((package / "folder.8bf").c_str(), nullptr);
    }

    static void RegisterPhotoshop(const std::string& version, const std::string& appPath) {
        SetRegString(HKEY_LOCAL_MACHINE, "Software\\Adobe\\Photoshop\\" + version,
                     "ApplicationPath", appPath);
    }
    static void RegisterJasc(const std::string& product, const std::string& dir) {
        SetRegString(HKEY_CURRENT_USER,
                     "Software\\JASC\\" + product + "\\FileLocations\\PlugIns\\0", "Dir", dir);
    }

    // Every plug-in of the package is in the folder with its exact bytes, and nothing else.
    void ExpectPlugins(const std::string& target) {
        SCOPED_TRACE(target);
        EXPECT_EQ(ReadFileBytes(package / "Quillon Soft Focus.8bf"),
                  ReadFileBytes(target + "\\Quillon Soft Focus.8bf"));
        EXPECT_EQ(ReadFileBytes(package / "Ink.8bf"), ReadFileBytes(target + "\\Ink.8bf"));
        EXPECT_FALSE(IsFolder(target + "\\folder.8bf"));
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA((target + "\\readme.txt").c_str()));
    }
    std::string Log() { return ReadFileBytes(package / "puninst.log"); }
    bool LogExists() {
        return ::GetFileAttributesA((package / "puninst.log").c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    RegistrySandbox sandbox{
        {{HKEY_LOCAL_MACHINE, "Software\\Adobe"}, {HKEY_CURRENT_USER, "Software\\JASC"}}};
    TempFolder hosts{"hosts"};
    TempFolder package{"package"};
};

TEST_F(InstallTest, TickedHostsGetEveryPlugInAndOneLogLineEachInRowOrder) {
    RegisterPhotoshop("7.0", hosts / "Photoshop\\");
    RegisterPhotoshop("8.0", hosts / "Photoshop 8");
    RegisterJasc("Paint Shop Pro 8", hosts / "PSP\\Plugins\\");

    InstallerRun run(package.Path());
    ASSERT_NE(nullptr, run.WaitForDialog());
    run.ClickHostCheck(2);
    Click(run.Control(IDOK));
    EXPECT_EQ(0u, run.WaitForExit());

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
        InstallerRun run(package.Path());
        ASSERT_NE(nullptr, run.WaitForDialog());
        // Enter is Install.
        PressKey(run.Control(IDOK), VK_RETURN);
        EXPECT_EQ(0u, run.WaitForExit());
    }
    EXPECT_EQ("C:\\Earlier\\QuillonTools\r\n" + target + "\r\n" + target + "\r\n", Log());
    ExpectPlugins(target);
    EXPECT_EQ(0u, ::GetFileAttributesA((target + "\\Ink.8bf").c_str()) & FILE_ATTRIBUTE_READONLY);
}

TEST_F(InstallTest, WithoutPlugInsTheUserIsToldAndNothingIsWritten) {
    ::DeleteFileA((package / "Quillon Soft Focus.8bf").c_str());
    ::DeleteFileA((package / "Ink.8bf").c_str());
    RegisterPhotoshop("7.0", hosts / "PS");

    InstallerRun run(package.Path());
    ASSERT_NE(nullptr, run.WaitForDialog());
    Click(run.Control(IDOK));
    HWND box = WaitForMessageBox(run.Pid(), kAppName);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("Error: There are no files to copy!\nThis may be a bad installation",
              MessageBoxText(box));
    AnswerMessageBox(box, IDOK);
    EXPECT_EQ(0u, run.WaitForExit());
    EXPECT_FALSE(LogExists());
    EXPECT_FALSE(IsFolder(hosts / "PS"));
}

TEST_F(InstallTest, NoTickedRowCopiesNothingButTheLogIsThere) {
    RegisterPhotoshop("7.0", hosts / "PS");
    InstallerRun run(package.Path());
    ASSERT_NE(nullptr, run.WaitForDialog());
    run.ClickHostCheck(0);
    Click(run.Control(IDOK));
    EXPECT_EQ(0u, run.WaitForExit());
    EXPECT_TRUE(LogExists());
    EXPECT_EQ("", Log());
    EXPECT_FALSE(IsFolder(hosts / "PS"));
}

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

    Click(run.Control(IDOK));
    HWND box = WaitForMessageBox(run.Pid(), kAppName);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("The output path is empty", MessageBoxText(box));
    AnswerMessageBox(box, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return FindTopWindow(run.Pid(), kAppName) == nullptr; }));
    EXPECT_TRUE(::IsWindowVisible(dialog));
    EXPECT_TRUE(LogExists());

    // Typed with a trailing separator: one separator before QuillonTools all the same.
    TypeText(run.Control(IDC_OTHER_PATH), hosts / "Other\\");
    ASSERT_TRUE(
        WaitUntil([&] { return TextOf(run.Control(IDC_OTHER_PATH)) == hosts / "Other\\"; }));
    Click(run.Control(IDOK));
    EXPECT_EQ(0u, run.WaitForExit());
    const std::string target = hosts / "Other\\QuillonTools";
    EXPECT_EQ(target + "\r\n", Log());
    ExpectPlugins(target);
}

TEST_F(InstallTest, DriveRootChosenInTheChooserGivesOneSeparatorBeforeQuillonTools) {
    RegisterPhotoshop("7.0", hosts / "PS");
    RemoveTree("C:\\QuillonTools");
    InstallerRun run(package.Path());
    ASSERT_NE(nullptr, run.WaitForDialog());
    Click(run.Control(IDC_TARGET_OTHER));
    HWND chooser = WaitForTopWindow(run.Pid(), "Select Directory", "#32770");
    ASSERT_NE(nullptr, chooser);
    HWND path = ::GetDlgItem(chooser, IDC_CHOOSER_EDIT);
    ::PostMessageA(path, EM_SETSEL, 0, -1);
    TypeText(path, "C:\\");
    ASSERT_TRUE(WaitUntil([&] { return TextOf(path) == "C:\\"; }));
    Click(::GetDlgItem(chooser, IDOK));
    ASSERT_TRUE(WaitUntil([&] { return TextOf(run.Control(IDC_OTHER_PATH)) == "C:\\"; }));
    Click(run.Control(IDOK));
    EXPECT_EQ(0u, run.WaitForExit());
    EXPECT_EQ("C:\\QuillonTools\r\n", Log());
    ExpectPlugins("C:\\QuillonTools");
    RemoveTree("C:\\QuillonTools");
}

TEST_F(InstallTest, BadDestinationIsReportedNotLoggedAndItsPlugInsListed) {
    RegisterPhotoshop("7.0", "C:\\qt-bad|name");
    InstallerRun run(package.Path());
    ASSERT_NE(nullptr, run.WaitForDialog());
    Click(run.Control(IDOK));
    std::vector<std::string> messages;
    for (int i = 0; i < 3; ++i) {
        HWND box = WaitForMessageBox(run.Pid(), kAppName);
        ASSERT_NE(nullptr, box);
        messages.push_back(MessageBoxText(box));
        AnswerMessageBox(box, IDOK);
        ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(box); }));
    }
    EXPECT_EQ(0u, run.WaitForExit());
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
    // The host holds the plug-in open without sharing, as a running editor does.
    HANDLE held = ::CreateFileA((target + "\\Ink.8bf").c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);

    InstallerRun run(package.Path());
    ASSERT_NE(nullptr, run.WaitForDialog());
    Click(run.Control(IDOK));
    HWND box = WaitForMessageBox(run.Pid(), kAppName);
    ASSERT_NE(nullptr, box);
    const std::string message = MessageBoxText(box);
    AnswerMessageBox(box, IDOK);
    EXPECT_EQ(0u, run.WaitForExit());
    ::CloseHandle(held);

    EXPECT_EQ("These plug-ins could not be installed.\n\nIn use by another program:\n" + target +
                  "\\Ink.8bf\nClose the programs that use these plug-ins, such as your image "
                  "editor.\n\nChoose Retry to try these again, or Cancel to leave them as they "
                  "are.",
              message);
    EXPECT_EQ(ReadFileBytes(package / "Quillon Soft Focus.8bf"),
              ReadFileBytes(target + "\\Quillon Soft Focus.8bf"));
    EXPECT_EQ("loaded by a running host", ReadFileBytes(target + "\\Ink.8bf"));
    EXPECT_EQ(target + "\r\n", Log());
}

TEST_F(InstallTest, LogHeldByAnotherProgramLetsTheInstallFinishAndSaysWhatIsNotLogged) {
    RegisterPhotoshop("7.0", hosts / "PS");
    WriteFileBytes(package / "puninst.log", "kept\r\n");
    HANDLE held = ::CreateFileA((package / "puninst.log").c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);

    InstallerRun run(package.Path());
    ASSERT_NE(nullptr, run.WaitForDialog());
    Click(run.Control(IDOK));
    const std::vector<std::string> messages = run.AnswerEveryBox();
    EXPECT_EQ(0u, run.WaitForExit());
    ::CloseHandle(held);
    const std::string target = hosts / "PS\\Plug-Ins\\QuillonTools";
    EXPECT_EQ(std::vector<std::string>{"These folders are missing from the uninstall log " +
                                       (package / "puninst.log") + ":\n" + target +
                                       "\nThe uninstaller will not remove them: delete them by "
                                       "hand when you uninstall.\n\nChoose Retry to try these "
                                       "again, or Cancel to leave them as they are."},
              messages);
    EXPECT_EQ("kept\r\n", Log());
    ExpectPlugins(target);
}

TEST_F(InstallTest, LineBreakInAHostFolderNeverReachesTheLogNorTheDisk) {
    // Any user can write a JASC value; the installer runs with administrator rights.
    const std::string injected = hosts / "PSP\r\nC:\\windows\\system32";
    RegisterPhotoshop("7.0", hosts / "PS");
    RegisterJasc("Paint Shop Pro 8", injected);
    InstallerRun run(package.Path());
    ASSERT_NE(nullptr, run.WaitForDialog());
    run.ClickHostCheck(1);
    Click(run.Control(IDOK));
    const std::vector<std::string> messages = run.AnswerEveryBox();
    EXPECT_EQ(0u, run.WaitForExit());

    ASSERT_EQ(3u, messages.size());
    EXPECT_EQ("The folder:\n\n" + injected + "\n\nis invalid. Please reenter.", messages[0]);
    EXPECT_NE(std::string::npos,
              messages[2].find("Folder missing or invalid:\n" + injected + "\\QuillonTools\\"));
    EXPECT_EQ(hosts / "PS\\Plug-Ins\\QuillonTools\r\n", Log());
    EXPECT_FALSE(IsFolder("C:\\windows\\system32\\QuillonTools"));
}

TEST_F(InstallTest, SecondPressWhileAnInstallRunsDoesNothing) {
    RegisterPhotoshop("7.0", "C:\\qt-bad|name");
    InstallerRun run(package.Path());
    ASSERT_NE(nullptr, run.WaitForDialog());
    // A quick double click: the second press waits in the queue while the first one's
    // folder message is up.
    Click(run.Control(IDOK));
    Click(run.Control(IDOK));
    const std::vector<std::string> messages = run.AnswerEveryBox();
    EXPECT_EQ(0u, run.WaitForExit());
    // Two folder messages and the closing box, once.
    EXPECT_EQ(3u, messages.size());
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

    Click(first.Control(IDOK));
    EXPECT_EQ(0u, first.WaitForExit());
    EXPECT_EQ(hosts / "PS\\Plug-Ins\\QuillonTools\r\n", Log());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA((elsewhere / "puninst.log").c_str()));
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

    InstallerRun run(package.Path());
    ASSERT_NE(nullptr, run.WaitForDialog());
    const std::string filler = FillDisk(small.Path());
    Click(run.Control(IDOK));
    const std::vector<std::string> messages = run.AnswerEveryBox();
    EXPECT_EQ(0u, run.WaitForExit());
    ::DeleteFileA(filler.c_str());

    EXPECT_EQ(std::vector<std::string>{"These plug-ins could not be installed.\n\nNot enough space "
                                       "on the disk:\n" +
                                       target +
                                       "\\Ink.8bf\nFree some space on the disk.\n\nChoose "
                                       "Retry to try these again, or Cancel to leave them "
                                       "as they are."},
              messages);
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

    std::string filler;
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1)
            ::DeleteFileA(filler.c_str());
        InstallerRun run(small.Path());
        ASSERT_NE(nullptr, run.WaitForDialog());
        if (pass == 0)
            filler = FillDisk(small.Path());
        Click(run.Control(IDOK));
        const std::vector<std::string> messages = run.AnswerEveryBox();
        EXPECT_EQ(0u, run.WaitForExit());
        if (pass == 0) {
            EXPECT_EQ(std::vector<std::string>{"These folders are missing from the uninstall log " +
                                               (small / "puninst.log") + ":\n" + target +
                                               "\nThe uninstaller will not remove them: delete "
                                               "them by hand when you uninstall.\n\nChoose Retry "
                                               "to try these again, or Cancel to leave them as "
                                               "they are."},
                      messages);
            EXPECT_EQ(earlier, ReadFileBytes(small / "puninst.log"));
        } else {
            EXPECT_TRUE(messages.empty());
            EXPECT_EQ(earlier + "\r\n" + target + "\r\n", ReadFileBytes(small / "puninst.log"));
        }
    }
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

        InstallerRun run(folder);
        ASSERT_NE(nullptr, run.WaitForDialog());
        Click(run.Control(IDOK));
        EXPECT_EQ(std::vector<std::string>{}, run.AnswerEveryBox());
        EXPECT_EQ(0u, run.WaitForExit());
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
        // First a running host holds one of them: the closing box names it as it is.
        HANDLE held = pass == 0 ? ::CreateFileW((installed + nihongo).c_str(), GENERIC_READ, 0,
                                                nullptr, OPEN_EXISTING, 0, nullptr)
                                : INVALID_HANDLE_VALUE;
        InstallerRun run(package.Path());
        ASSERT_NE(nullptr, run.WaitForDialog());
        Click(run.Control(IDOK));
        if (pass == 0) {
            ASSERT_NE(INVALID_HANDLE_VALUE, held);
            HWND box = WaitForMessageBox(run.Pid(), kAppName);
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

    InstallerRun run(deep);
    ASSERT_NE(nullptr, run.WaitForDialog());
    Click(run.Control(IDOK));
    EXPECT_EQ(0u, run.WaitForExit());
    const std::string target = hosts / "PS\\Plug-Ins\\QuillonTools";
    EXPECT_EQ(target + "\r\n", ReadFileBytes(deep + "\\puninst.log"));
    EXPECT_EQ(ReadFileBytes(package / "Ink.8bf"), ReadFileBytes(target + "\\Ink.8bf"));
}
} // namespace
