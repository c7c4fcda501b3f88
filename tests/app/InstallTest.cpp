// The whole job: the real QuillonDeploy.exe in a folder with plug-ins beside it, real
// hosts in the registry, used from outside; the results are read from the disk.
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

TEST_F(InstallTest, InstallingAgainAppendsTheLinesAndOverwritesTheFiles) {
    RegisterPhotoshop("7.0", hosts / "PS");
    const std::string target = hosts / "PS\\Plug-Ins\\QuillonTools";
    WriteFileBytes(package / "puninst.log", "C:\\Earlier\\QuillonTools\r\n");
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1)
            WriteFileBytes(target + "\\Ink.8bf", "an older, longer copy of the ink plug-in");
        InstallerRun run(package.Path());
        ASSERT_NE(nullptr, run.WaitForDialog());
        // Enter is Install.
        PressKey(run.Control(IDOK), VK_RETURN);
        EXPECT_EQ(0u, run.WaitForExit());
    }
    EXPECT_EQ("C:\\Earlier\\QuillonTools\r\n" + target + "\r\n" + target + "\r\n", Log());
    ExpectPlugins(target);
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
    HWND path = ::GetDlgItem(chooser, 14148);
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

TEST_F(InstallTest, BadDestinationIsReportedLoggedAndItsCopiesReportedToo) {
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
    EXPECT_NE(std::string::npos, messages[2].find("could not be copied"));
    EXPECT_NE(std::string::npos,
              messages[2].find("C:\\qt-bad|name\\Plug-Ins\\QuillonTools\\Ink.8bf"));
    EXPECT_EQ("C:\\qt-bad|name\\Plug-Ins\\QuillonTools\r\n", Log());
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

    EXPECT_EQ(
        "These plug-ins could not be copied:\n\n" + target +
            "\\Ink.8bf\n\nA program may be using them. Close the programs that use these plug-ins, "
            "such as your image editor, and run QuillonDeploy again.",
        message);
    EXPECT_EQ(ReadFileBytes(package / "Quillon Soft Focus.8bf"),
              ReadFileBytes(target + "\\Quillon Soft Focus.8bf"));
    EXPECT_EQ("loaded by a running host", ReadFileBytes(target + "\\Ink.8bf"));
    EXPECT_EQ(target + "\r\n", Log());
}

TEST_F(InstallTest, LogHeldByAnotherProgramLetsTheInstallFinishWithoutLines) {
    RegisterPhotoshop("7.0", hosts / "PS");
    WriteFileBytes(package / "puninst.log", "kept\r\n");
    HANDLE held = ::CreateFileA((package / "puninst.log").c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);

    InstallerRun run(package.Path());
    ASSERT_NE(nullptr, run.WaitForDialog());
    Click(run.Control(IDOK));
    EXPECT_EQ(0u, run.WaitForExit());
    ::CloseHandle(held);
    EXPECT_EQ("kept\r\n", Log());
    ExpectPlugins(hosts / "PS\\Plug-Ins\\QuillonTools");
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
