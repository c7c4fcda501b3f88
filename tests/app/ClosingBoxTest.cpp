// The box that ends an install with failures: what it names, what it offers, what
// Retry does, and that it fits the screen. The real installer, driven from outside.
#include "res/resource.h"
#include "tests/support/Files.h"
#include "tests/support/InstallerRun.h"
#include "tests/support/Hosts.h"
#include "tests/support/WindowDriver.h"

#include <gtest/gtest.h>

#include <shlobj.h>

namespace {
const char kAppName[] = "QuillonDeploy";
const char kRetryLine[] = "Choose Retry to try these again, or Cancel to leave them as they are.";

class ClosingBoxTest : public ::testing::Test {
protected:
    ClosingBoxTest() {
        WriteFileBytes(package / "Ink.8bf", "the ink plug-in");
        WriteFileBytes(package / "Soft.8bf", "the soft focus plug-in");
    }
    std::string Target() const { return hosts / "PS\\Plug-Ins\\QuillonTools"; }
    std::string Log() { return ReadFileBytes(package / "puninst.log"); }

    // The box of the run, once it shows, checked to fit the screen's work area.
    static HWND BoxThatFits(InstallerRun& run) {
        HWND box = WaitForMessageBox(run.Pid(), kAppName);
        if (box != nullptr) {
            RECT rect{}, area{};
            ::GetWindowRect(box, &rect);
            ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
            EXPECT_TRUE(rect.left >= area.left && rect.top >= area.top &&
                        rect.right <= area.right && rect.bottom <= area.bottom)
                << "the box reaches past the screen: " << rect.left << "," << rect.top << " "
                << rect.right << "," << rect.bottom;
        }
        return box;
    }

    HostSandbox sandbox;
    TempFolder hosts{"hosts"};
    TempFolder package{"package"};
};

// What holds a plug-in while the box waits, and lets it go before Retry.
enum class Holder { DestinationOpen, DestinationLoaded, PackageOpen };

TEST_F(ClosingBoxTest, RetryInstallsWhatAProgramHeldOnceItLetsGoAndRecordsOnce) {
    struct Case {
        Holder holder;
        const char* heading;
    };
    const Case cases[] = {
        {Holder::DestinationOpen, "In use by another program:"},
        // A running editor maps the plug-ins it loaded: replacing one is refused as
        // access denied, yet the user must hear that a program uses it.
        {Holder::DestinationLoaded, "In use by another program:"},
        {Holder::PackageOpen, "Plug-ins of the package in use by another program:"},
    };
    RegisterPhotoshop("7.0", hosts / "PS");
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.holder));
        RemoveTree(hosts / "PS");
        ::DeleteFileA((package / "puninst.log").c_str());
        ASSERT_EQ(0, SHCreateDirectoryExA(nullptr, Target().c_str(), nullptr));
        const std::string held =
            c.holder == Holder::PackageOpen ? package / "Ink.8bf" : Target() + "\\Ink.8bf";
        HANDLE file = INVALID_HANDLE_VALUE;
        HMODULE image = nullptr;
        if (c.holder == Holder::DestinationLoaded) {
            ASSERT_TRUE(
                ::CopyFileA((BuildFolder() + "\\plugin_image.dll").c_str(), held.c_str(), FALSE));
            image = ::LoadLibraryA(held.c_str());
            ASSERT_NE(nullptr, image);
        } else {
            if (c.holder == Holder::DestinationOpen)
                WriteFileBytes(held, "an older ink plug-in");
            file = ::CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(INVALID_HANDLE_VALUE, file);
        }

        InstallerRun run(package.Path());
        ASSERT_NE(nullptr, run.WaitForDialog());
        Click(run.Control(IDOK));
        HWND box = BoxThatFits(run);
        ASSERT_NE(nullptr, box);
        const std::string text = MessageBoxText(box);
        EXPECT_EQ(0u, text.find("These plug-ins could not be installed.\n\n" +
                                std::string(c.heading) + "\n" + held + "\n"))
            << text;
        EXPECT_NE(std::string::npos, text.find(kRetryLine));
        EXPECT_NE(nullptr, ::GetDlgItem(box, IDRETRY));
        EXPECT_EQ(nullptr, ::GetDlgItem(box, IDOK));
        // A copy that could not replace its plug-in leaves nothing beside it.
        EXPECT_EQ(c.holder == Holder::PackageOpen
                      ? std::vector<WideString>({L"Soft.8bf"})
                      : std::vector<WideString>({L"Ink.8bf", L"Soft.8bf"}),
                  FileNames(Target()));

        if (image != nullptr)
            ::FreeLibrary(image);
        if (file != INVALID_HANDLE_VALUE)
            ::CloseHandle(file);
        AnswerMessageBox(box, IDRETRY);
        EXPECT_EQ(std::vector<std::string>{}, run.AnswerEveryBox());
        EXPECT_EQ(0u, run.WaitForExit());
        EXPECT_EQ("the ink plug-in", ReadFileBytes(Target() + "\\Ink.8bf"));
        EXPECT_EQ(Target() + "\r\n", Log());
    }
}

TEST_F(ClosingBoxTest, WhatNoOneCanClearWhileTheBoxWaitsIsToldWithOneOkButton) {
    // A folder named like a plug-in in the destination, and a plug-in that leaves the
    // package after it was listed, while the first host's folder message is up.
    RegisterPhotoshop("6.0", "C:\\qt-bad|name");
    RegisterPhotoshop("7.0", hosts / "PS");
    ASSERT_EQ(0, SHCreateDirectoryExA(nullptr, (Target() + "\\Soft.8bf").c_str(), nullptr));
    InstallerRun run(package.Path());
    ASSERT_NE(nullptr, run.WaitForDialog());
    run.ClickHostCheck(1);
    Click(run.Control(IDOK));
    HWND folderBox = BoxThatFits(run);
    ASSERT_NE(nullptr, folderBox);
    // Cancel waits for the install: the dialog stays as it is under the box.
    ASSERT_TRUE(ClickAndWait(run.Control(IDCANCEL)));
    EXPECT_TRUE(::IsWindowVisible(::GetParent(run.Control(IDCANCEL))));
    ::DeleteFileA((package / "Ink.8bf").c_str());
    // The folder messages of the first host, then the closing box.
    HWND box = folderBox;
    while (MessageBoxText(box).find("could not be installed") == std::string::npos) {
        AnswerMessageBox(box, IDOK);
        ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(box); }));
        box = BoxThatFits(run);
        ASSERT_NE(nullptr, box);
    }
    const std::string text = MessageBoxText(box);
    EXPECT_NE(std::string::npos,
              text.find("Plug-ins of the package that could not be read:\n" +
                        (package / "Ink.8bf") + "\nUnpack the Quillon Tools package again"));
    EXPECT_NE(std::string::npos, text.find("A folder of the same name is in the way:\n" + Target() +
                                           "\\Soft.8bf\nMove or rename"));
    EXPECT_EQ(std::string::npos, text.find("administrator"));
    EXPECT_EQ(std::string::npos, text.find("Retry"));
    EXPECT_NE(nullptr, ::GetDlgItem(box, IDOK));
    EXPECT_EQ(nullptr, ::GetDlgItem(box, IDRETRY));
    AnswerMessageBox(box, IDOK);
    EXPECT_EQ(0u, run.WaitForExit());
    // Nothing of this install arrived, but the folder is there: it has its record.
    EXPECT_EQ(Target() + "\r\n", Log());
}

TEST_F(ClosingBoxTest, TextTypedFarBeyondAPathIsRefusedInBoxesThatFitTheScreen) {
    RegisterPhotoshop("7.0", hosts / "PS");
    const std::string typed = "C:\\" + std::string(10000, 'x');
    InstallerRun run(package.Path());
    ASSERT_NE(nullptr, run.WaitForDialog());
    ::SendMessageA(run.Control(IDC_OTHER_PATH), WM_SETTEXT, 0,
                   reinterpret_cast<LPARAM>(typed.c_str()));
    Click(run.Control(IDC_TARGET_OTHER));
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(run.Control(IDC_OTHER_PATH)) != 0; }));
    Click(run.Control(IDOK));
    std::vector<std::string> texts;
    for (HWND box; (box = BoxThatFits(run)) != nullptr;) {
        texts.push_back(MessageBoxText(box));
        AnswerMessageBox(box, IDOK);
        ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(box); }));
        if (texts.size() == 2)
            break;
    }
    EXPECT_EQ(0u, run.WaitForExit());
    ASSERT_EQ(2u, texts.size());
    EXPECT_NE(std::string::npos, texts[0].find("is invalid. Please reenter."));
    EXPECT_NE(std::string::npos, texts[1].find("Folder missing or invalid:"));
    for (const std::string& text : texts)
        EXPECT_LT(text.size(), 1000u);
    EXPECT_EQ("", Log());
}
} // namespace
