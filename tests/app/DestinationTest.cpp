// Where the plug-ins go and what the uninstall log says about it: the real installer,
// given destinations a careless or a hostile user could give it. A record is written
// only for the folder the plug-ins really went into.
#include "framework/Text.h"
#include "res/resource.h"
#include "tests/support/Files.h"
#include "tests/support/InstallerRun.h"
#include "tests/support/Hosts.h"
#include "tests/support/WindowDriver.h"

#include <gtest/gtest.h>

#include <shlobj.h>

namespace {
class DestinationTest : public ::testing::Test {
protected:
    DestinationTest() { WriteFileBytes(package / "Ink.8bf", "ink plug-in"); }

    static std::string Invalid(const std::string& folder) {
        return "The folder:\n\n" + folder + "\n\nis invalid. Please reenter.";
    }

    // Types place as another place, as a person would, presses Install and answers
    // every box; the boxes' texts.
    std::vector<std::string> InstallIntoPlace(const std::string& place,
                                              const std::string& packageFolder) {
        RegisterPhotoshop("7.0", hosts / "PS");
        InstallerRun run(packageFolder);
        EXPECT_NE(nullptr, run.WaitForDialog());
        Click(run.Control(IDC_TARGET_OTHER));
        // No folder yet: the chooser opens, and is closed without one.
        HWND chooser = WaitForTopWindow(run.Pid(), "Select Directory", "#32770");
        EXPECT_NE(nullptr, chooser);
        Click(::GetDlgItem(chooser, IDCANCEL));
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(chooser); }));
        TypeText(run.Control(IDC_OTHER_PATH), place);
        EXPECT_TRUE(WaitUntil([&] { return TextOf(run.Control(IDC_OTHER_PATH)) == place; }));
        Click(run.Control(IDOK));
        const std::vector<std::string> messages = run.AnswerEveryBox();
        EXPECT_EQ(0u, run.WaitForExit());
        return messages;
    }
    std::string Log(const std::string& packageFolder) {
        return ReadFileBytes(packageFolder + "\\puninst.log");
    }

    HostSandbox sandbox;
    TempFolder hosts{"dest-hosts"};
    TempFolder package{"dest-package"};
};

TEST_F(DestinationTest, PlaceTheFolderRulesRefuseGetsItsMessageAndNothingElse) {
    // The user's own folder, which the file system reaches under several spellings.
    TempFolder own("dest-own");
    const std::string name = own.Path().substr(3);
    ASSERT_TRUE(::CreateDirectoryA((own / "QuillonTools").c_str(), nullptr));
    WriteFileBytes(own / "QuillonTools\\Ink.8bf", "the user's own");
    const std::string places[] = {
        own.Path() + ".",
        own.Path() + " ",
        "C:/" + name,
        "C:\\qt-x\\..\\" + name,
        // Relative: the log could not say where they went.
        ".\\Rel",
        "\\" + name + "-rooted",
        "Rel\\x",
        "C:" + name + "-rel",
    };
    for (const std::string& place : places) {
        SCOPED_TRACE(place);
        const std::vector<std::string> messages = InstallIntoPlace(place, package.Path());
        ASSERT_EQ(2u, messages.size());
        EXPECT_EQ(Invalid(place + "\\QuillonTools"), messages[0]);
        EXPECT_EQ(0u, messages[1].find("These plug-ins could not be installed.\n\nFolder missing "
                                       "or invalid:\n" +
                                       place + "\\QuillonTools\\Ink.8bf\n"));
        EXPECT_EQ("", Log(package.Path()));
        EXPECT_EQ("the user's own", ReadFileBytes(own / "QuillonTools\\Ink.8bf"));
        EXPECT_EQ(std::vector<WideString>{L"Ink.8bf"}, FileNames(own / "QuillonTools"));
        EXPECT_EQ((std::vector<WideString>{L"Ink.8bf", L"QuillonDeploy.exe", L"puninst.log"}),
                  FileNames(package.Path()));
        EXPECT_FALSE(IsFolder("C:\\" + name + "-rooted"));
        EXPECT_FALSE(IsFolder("C:\\Rel"));
    }
}

TEST_F(DestinationTest, FileNamedQuillonToolsIsLeftAsItIsAndNamedInTheClosingBox) {
    RegisterPhotoshop("7.0", hosts / "PS");
    const std::string destination = hosts / "PS\\Plug-Ins\\QuillonTools";
    ASSERT_EQ(0, SHCreateDirectoryExA(nullptr, (hosts / "PS\\Plug-Ins").c_str(), nullptr));
    WriteFileBytes(destination, "the user's file");

    InstallerRun run(package.Path());
    ASSERT_NE(nullptr, run.WaitForDialog());
    Click(run.Control(IDOK));
    const std::vector<std::string> messages = run.AnswerEveryBox();
    EXPECT_EQ(0u, run.WaitForExit());
    EXPECT_EQ(std::vector<std::string>{"These plug-ins could not be installed.\n\nA file named "
                                       "QuillonTools is in the way:\n" +
                                       destination +
                                       "\\Ink.8bf\nIt is not a folder (a file, or a link to "
                                       "another place): move or rename it, and run "
                                       "QuillonDeploy again."},
              messages);
    EXPECT_EQ("", Log(package.Path()));
    EXPECT_EQ("the user's file", ReadFileBytes(destination));
}

TEST_F(DestinationTest, PackageFolderAsTheDestinationIsRefused) {
    TempFolder kit("dest-kit");
    const std::string folder = kit / "QuillonTools";
    ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr));
    WriteFileBytes(folder + "\\Ink.8bf", "ink plug-in");
    // Spelt otherwise than the installer's own path: the folder is known by what it is.
    std::string place = kit.Path();
    for (char& c : place)
        c = static_cast<char>(::toupper(static_cast<unsigned char>(c)));

    const std::vector<std::string> messages = InstallIntoPlace(place, folder);
    EXPECT_EQ(std::vector<std::string>{"These plug-ins could not be installed.\n\nThe folder "
                                       "QuillonDeploy runs from:\n" +
                                       place +
                                       "\\QuillonTools\\Ink.8bf\nThe plug-ins are already there. "
                                       "Choose another place, and run QuillonDeploy again."},
              messages);
    EXPECT_EQ("", Log(folder));
    EXPECT_EQ("ink plug-in", ReadFileBytes(folder + "\\Ink.8bf"));
    EXPECT_EQ((std::vector<WideString>{L"Ink.8bf", L"QuillonDeploy.exe", L"puninst.log"}),
              FileNames(folder));
}

TEST_F(DestinationTest, ExpandableRegistryFolderIsExpandedAndAPlainOneTakenAsItIs) {
    ::SetEnvironmentVariableA("QT_HOSTS", hosts.Path().c_str());
    const std::string expandable = "%QT_HOSTS%\\PSP\\PlugIns";
    SetRegValue(HKEY_CURRENT_USER, JascPlugInsKey("Expanded"), "Dir", REG_EXPAND_SZ,
                std::string(expandable.c_str(), expandable.size() + 1));
    RegisterJasc("Literal", hosts / "%QT_HOSTS%");
    // Expanded beyond what leaves room for the destination: left out.
    ::SetEnvironmentVariableA("QT_LONG", std::string(240, 'x').c_str());
    const std::string tooLong = hosts / "%QT_LONG%";
    SetRegValue(HKEY_CURRENT_USER, JascPlugInsKey("Long"), "Dir", REG_EXPAND_SZ,
                std::string(tooLong.c_str(), tooLong.size() + 1));

    InstallerRun run(package.Path());
    ASSERT_NE(nullptr, run.WaitForDialog());
    EXPECT_EQ((std::vector<std::string>{"Expanded", "Literal"}),
              ListRows(run.Control(IDC_HOST_LIST)));
    run.ClickHostCheck(1);
    Click(run.Control(IDOK));
    EXPECT_EQ(std::vector<std::string>{}, run.AnswerEveryBox());
    EXPECT_EQ(0u, run.WaitForExit());
    ::SetEnvironmentVariableA("QT_HOSTS", nullptr);
    ::SetEnvironmentVariableA("QT_LONG", nullptr);

    const std::string expanded = hosts / "PSP\\PlugIns\\QuillonTools";
    const std::string literal = hosts / "%QT_HOSTS%\\QuillonTools";
    EXPECT_EQ(expanded + "\r\n" + literal + "\r\n", Log(package.Path()));
    EXPECT_EQ("ink plug-in", ReadFileBytes(expanded + "\\Ink.8bf"));
    EXPECT_EQ("ink plug-in", ReadFileBytes(literal + "\\Ink.8bf"));
    EXPECT_FALSE(IsFolder("C:\\%QT_HOSTS%"));
}

TEST_F(DestinationTest, HostFolderNamedOutsideTheCodePageIsReachedByItsShortFormOrTold) {
    const WideString name = L"\x0141ukasz";
    std::string ansi;
    if (ToAnsiExactly(name, ansi))
        GTEST_SKIP() << "this system's code page holds the name";
    const WideString real = ToWide(hosts.Path()) + L"\\" + name + L"\\PSP Plugins";
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegCreateKeyExW(HKEY_CURRENT_USER,
                                ToWide(JascPlugInsKey("Paint Shop Pro 8")).c_str(), 0, nullptr, 0,
                                KEY_ALL_ACCESS, nullptr, &key, nullptr));
    ::RegSetValueExW(key, L"Dir", 0, REG_SZ, reinterpret_cast<const BYTE*>(real.c_str()),
                     static_cast<DWORD>((real.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);

    for (bool exists : {false, true}) {
        SCOPED_TRACE(exists ? "an existing folder" : "a missing folder");
        if (exists) {
            ASSERT_TRUE(::CreateDirectoryW((ToWide(hosts.Path()) + L"\\" + name).c_str(), nullptr));
            ASSERT_TRUE(::CreateDirectoryW(real.c_str(), nullptr));
        }
        InstallerRun run(package.Path());
        ASSERT_NE(nullptr, run.WaitForDialog());
        Click(run.Control(IDOK));
        if (!exists) {
            // Without a short form there is no name to reach it by: the user is told.
            HWND box = WaitForMessageBox(run.Pid(), InstallerRun::kAppName);
            ASSERT_NE(nullptr, box);
            EXPECT_EQ(L"These plug-ins could not be installed.\n\nFolder names this system's code "
                      L"page cannot hold:\n" +
                          real +
                          L"\\QuillonTools\\Ink.8bf\nCopy these plug-ins by hand, or choose "
                          L"another place.",
                      MessageBoxWideText(box));
            AnswerMessageBox(box, IDOK);
        }
        EXPECT_EQ(0u, run.WaitForExit());
        std::string shortForm;
        wchar_t buffer[MAX_PATH];
        const DWORD length = ::GetShortPathNameW(real.c_str(), buffer, MAX_PATH);
        if (exists) {
            ASSERT_TRUE(length > 0 && ToAnsiExactly(WideString(buffer, length), shortForm));
            EXPECT_EQ(shortForm + "\\QuillonTools\r\n", Log(package.Path()));
            EXPECT_EQ("ink plug-in", ReadFileBytes(real + L"\\QuillonTools\\Ink.8bf"));
        } else {
            EXPECT_EQ("", Log(package.Path()));
        }
        // No look-alike folder was ever made.
        EXPECT_EQ(exists ? std::vector<WideString>{name} : std::vector<WideString>{},
                  FileNames(hosts.Path()));
    }
}
} // namespace
