// The dialog's controls as a person uses them: the target radio buttons, the folder
// chooser they and "..." open, and the host list's folder line.
#include "folders/FolderChooser.h"
#include "res/resource.h"
#include "tests/support/Files.h"
#include "tests/support/InstallerRun.h"
#include "tests/support/Hosts.h"
#include "tests/support/WindowDriver.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
const char kChooser[] = "Select Directory";

class DialogBehaviourTest : public ::testing::Test {
protected:
    DialogBehaviourTest() {
        RegisterPhotoshop("7.0", "C:\\PS7");
        RegisterAdobe("Photoshop Elements", "2.0", "C:\\PSE2\\");
        RegisterJasc("Paint Shop Pro 8", "C:\\PSP8\\Plugins");
        // Started only now: the hosts it finds are registered before it looks.
        run = std::make_unique<InstallerRun>(package.Path());
    }

    HWND Chooser(DWORD timeoutMs = kDefaultWait) {
        return WaitForTopWindow(run->Pid(), kChooser, "#32770", timeoutMs);
    }
    std::string ChooserPath(HWND chooser) {
        HWND box = ::GetDlgItem(chooser, IDC_CHOOSER_EDIT);
        WaitUntil([&] { return !TextOf(box).empty(); }, 2000);
        return TextOf(box);
    }
    void Close(HWND chooser, int button) {
        Click(::GetDlgItem(chooser, button));
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(chooser); })) << "the chooser stayed open";
    }
    void Type(HWND edit, const std::string& text) {
        ::PostMessageA(edit, EM_SETSEL, 0, -1);
        ::PostMessageA(edit, WM_CHAR, VK_BACK, 1);
        TypeText(edit, text);
        EXPECT_TRUE(WaitUntil([&] { return TextOf(edit) == text; }))
            << "the box does not show the typed " << text;
    }
    bool Enabled(int id) { return ::IsWindowEnabled(run->Control(id)) != 0; }
    // Chooses another place with no folder yet: the chooser opens and takes folder.
    bool ChooseOtherPlace(const std::string& folder) {
        Click(run->Control(IDC_TARGET_OTHER));
        HWND chooser = Chooser();
        if (chooser == nullptr)
            return false;
        Type(::GetDlgItem(chooser, IDC_CHOOSER_EDIT), folder);
        Close(chooser, IDOK);
        return WaitUntil([&] { return TextOf(run->Control(IDC_OTHER_PATH)) == folder; });
    }

    HostSandbox sandbox;
    TempFolder package{"behaviour"};
    TempFolder first{"first"};
    TempFolder second{"second"};
    std::unique_ptr<InstallerRun> run;
};

TEST_F(DialogBehaviourTest, TargetRadiosSwitchTheControlsAndOpenTheChooserOnlyWithoutAFolder) {
    ASSERT_NE(nullptr, run->WaitForDialog());
    HWND edit = run->Control(IDC_OTHER_PATH);
    ASSERT_TRUE(ChooseOtherPlace(first.Path()));
    EXPECT_FALSE(Enabled(IDC_HOST_LIST));
    EXPECT_TRUE(Enabled(IDC_OTHER_PATH));
    EXPECT_TRUE(Enabled(IDC_BROWSE));

    // With a folder there, choosing another place again only keeps the controls: the
    // click is handled without a chooser in between.
    EXPECT_TRUE(ClickAndWait(run->Control(IDC_TARGET_OTHER), 5000)) << "a chooser opened";
    EXPECT_EQ(nullptr, FindTopWindow(run->Pid(), kChooser, "#32770"));

    // The controls are switched one after another: they are read once the click is done.
    EXPECT_TRUE(ClickAndWait(run->Control(IDC_TARGET_HOSTS)));
    EXPECT_TRUE(Enabled(IDC_HOST_LIST));
    EXPECT_FALSE(Enabled(IDC_OTHER_PATH));
    EXPECT_FALSE(Enabled(IDC_BROWSE));
    EXPECT_EQ(first.Path(), TextOf(edit));

    // Emptied, the other place asks for a folder even when it is already chosen.
    Click(run->Control(IDC_TARGET_OTHER));
    EXPECT_TRUE(WaitUntil([&] { return Enabled(IDC_OTHER_PATH); }));
    Type(edit, "");
    Click(run->Control(IDC_TARGET_OTHER));
    HWND chooser = Chooser();
    ASSERT_NE(nullptr, chooser);
    Close(chooser, IDCANCEL);
    EXPECT_EQ("", TextOf(edit));
    Click(run->Control(IDCANCEL));
    EXPECT_EQ(0u, run->WaitForExit());
}

TEST_F(DialogBehaviourTest, BrowseStartsAtTheKeptFolderNotAtTypedText) {
    ASSERT_NE(nullptr, run->WaitForDialog());
    HWND edit = run->Control(IDC_OTHER_PATH);
    ASSERT_TRUE(ChooseOtherPlace(first.Path()));

    Type(edit, second.Path());
    Click(run->Control(IDC_BROWSE));
    HWND chooser = Chooser();
    ASSERT_NE(nullptr, chooser);
    EXPECT_EQ(first.Path(), ChooserPath(chooser));
    Close(chooser, IDCANCEL);
    EXPECT_EQ(second.Path(), TextOf(edit));

    // Accepting a folder replaces the typed text.
    Click(run->Control(IDC_BROWSE));
    chooser = Chooser();
    ASSERT_NE(nullptr, chooser);
    Type(::GetDlgItem(chooser, IDC_CHOOSER_EDIT), "C:\\");
    Close(chooser, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(edit) == "C:\\"; }));
}

TEST_F(DialogBehaviourTest, SelectedRowShowsItsFolderTickedOrNot) {
    ASSERT_NE(nullptr, run->WaitForDialog());
    HWND line = run->Control(IDC_HOST_PATH);
    EXPECT_EQ("C:\\PS7\\Plug-Ins", TextOf(line));
    run->ClickHostRow(2);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(line) == "C:\\PSP8\\Plugins"; }));
    run->ClickHostCheck(1);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(line) == "C:\\PSE2\\Plug-Ins"; }));
    EXPECT_EQ(1, ListSelection(run->Control(IDC_HOST_LIST)));
    // The keyboard moves the selection too.
    PressKey(run->Control(IDC_HOST_LIST), VK_UP);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(line) == "C:\\PS7\\Plug-Ins"; }));
}
} // namespace
