// The real QuillonDeploy.exe, started and used from outside as a person would.
#include "res/resource.h"
#include "tests/support/Files.h"
#include "tests/support/InstallerRun.h"
#include "tests/support/Hosts.h"
#include "tests/support/WindowDriver.h"

#include <gtest/gtest.h>

namespace {
class InstallerRunTest : public ::testing::Test {
protected:
    HostSandbox sandbox;
    TempFolder folder{"run"};
};

TEST_F(InstallerRunTest, ShowsTheFoundHostsAndEndsOnCancelWritingNothing) {
    RegisterPhotoshop("7.0", "C:\\Photoshop\\");
    RegisterJasc("Paint Shop Pro 8", "C:\\PSP\\Plugins");
    WriteFileBytes(folder / "a.8bf", "plug-in");

    InstallerRun run(folder.Path());
    HWND dialog = run.WaitForDialog();
    ASSERT_NE(nullptr, dialog);

    const auto style = static_cast<DWORD>(::GetWindowLongPtrA(dialog, GWL_STYLE));
    const DWORD expected = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    EXPECT_EQ(expected, style & expected);
    EXPECT_EQ(0u, style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_NE(0, ::GetWindowLongPtrA(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_EQ(nullptr, ::GetWindow(dialog, GW_OWNER));

    EXPECT_EQ((std::vector<std::string>{"Adobe Photoshop 7.0", "Paint Shop Pro 8"}),
              ListRows(run.Control(IDC_HOST_LIST)));
    EXPECT_EQ("C:\\Photoshop\\Plug-Ins", TextOf(run.Control(IDC_HOST_PATH)));
    EXPECT_TRUE(IsChecked(run.Control(IDC_TARGET_HOSTS)));
    EXPECT_FALSE(IsChecked(run.Control(IDC_TARGET_OTHER)));
    EXPECT_FALSE(::IsWindowEnabled(run.Control(IDC_OTHER_PATH)));
    EXPECT_EQ("", TextOf(run.Control(IDC_OTHER_PATH)));

    // The dialog is centred in the work area.
    RECT window{}, area{};
    ::GetWindowRect(dialog, &window);
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_NEAR((area.left + area.right) / 2, (window.left + window.right) / 2, 1);
    EXPECT_NEAR((area.top + area.bottom) / 2, (window.top + window.bottom) / 2, 1);

    Click(run.Control(IDCANCEL));
    EXPECT_EQ(0u, run.WaitForExit());
    EXPECT_FALSE(::GetFileAttributesA((folder / "puninst.log").c_str()) != INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(IsFolder("C:\\Photoshop"));
}

TEST_F(InstallerRunTest, EscapeAndTheCloseBoxEndTheDialogToo) {
    RegisterPhotoshop("7.0", "C:\\Photoshop");
    {
        InstallerRun run(folder.Path());
        HWND dialog = run.WaitForDialog();
        ASSERT_NE(nullptr, dialog);
        PressKey(run.Control(IDOK), VK_ESCAPE);
        EXPECT_EQ(0u, run.WaitForExit());
    }
    {
        InstallerRun run(folder.Path());
        HWND dialog = run.WaitForDialog();
        ASSERT_NE(nullptr, dialog);
        ::PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_EQ(0u, run.WaitForExit());
    }
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA((folder / "puninst.log").c_str()));
}
} // namespace
