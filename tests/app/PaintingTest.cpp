// What the dialog shows, read from the screen: the tinted host rows, the picture in its
// frame, the About box.
#include "app/InstallerDlg.h"

#include "res/resource.h"
#include "tests/support/Files.h"
#include "tests/support/InstallerRun.h"
#include "tests/support/Hosts.h"
#include "tests/support/Screenshot.h"
#include "tests/support/WindowDriver.h"
#include "tests/support/UserThread.h"

#include <gtest/gtest.h>

namespace {
const COLORREF kTint = RGB(255, 255, 224);
const COLORREF kGrey = RGB(128, 128, 128);

// What one row of the host list shows.
struct RowLook {
    COLORREF background; // near the row's right end, where no text is
    bool hasGreyText;
    bool hasWindowText;
};

RowLook LookAtRow(HWND list, int row) {
    const Capture capture = CaptureWindow(list);
    const POINT client = ClientOffset(list);
    const auto height = static_cast<int>(::SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    RECT rect{};
    ::GetClientRect(list, &rect);
    RowLook look{};
    const int top = client.y + row * height;
    look.background = capture.At(client.x + rect.right - 4, top + height / 2);
    for (int y = top + 1; y < top + height - 1; ++y) {
        for (int x = client.x + 16; x < client.x + rect.right - 4; ++x) {
            look.hasGreyText |= capture.At(x, y) == kGrey;
            look.hasWindowText |= capture.At(x, y) == ::GetSysColor(COLOR_WINDOWTEXT);
        }
    }
    return look;
}

class PaintingTest : public ::testing::Test {
protected:
    PaintingTest() {
        RegisterPhotoshop("7.0", "C:\\PS7");
        RegisterPhotoshop("8.0", "C:\\PS8");
    }
    HostSandbox sandbox;
    TempFolder package{"painting"};
};

TEST_F(PaintingTest, TickedRowsAreTintedSelectionHighlightsAndADisabledListIsGrey) {
    InstallerRun run(package.Path());
    HWND dialog = run.WaitForDialog();
    ASSERT_NE(nullptr, dialog);
    HWND list = run.Control(IDC_HOST_LIST);
    // Painted once the dialog has settled on the screen.
    EXPECT_TRUE(WaitUntil([&] { return LookAtRow(list, 0).background == kTint; }));
    SaveScreenshot(CaptureWindow(dialog), "main-dialog");

    RowLook ticked = LookAtRow(list, 0);
    RowLook plain = LookAtRow(list, 1);
    EXPECT_EQ(kTint, ticked.background);
    EXPECT_TRUE(ticked.hasWindowText);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), plain.background);

    run.ClickHostRow(0);
    EXPECT_TRUE(
        WaitUntil([&] { return LookAtRow(list, 0).background == ::GetSysColor(COLOR_HIGHLIGHT); }));
    run.ClickHostRow(1);
    EXPECT_TRUE(
        WaitUntil([&] { return LookAtRow(list, 1).background == ::GetSysColor(COLOR_HIGHLIGHT); }));
    EXPECT_TRUE(WaitUntil([&] { return LookAtRow(list, 0).background == kTint; }));

    // Another place: the list is disabled, its rows grey, the tint kept, no highlight.
    Click(run.Control(IDC_TARGET_OTHER));
    HWND chooser = WaitForTopWindow(run.Pid(), "Select Directory", "#32770");
    ASSERT_NE(nullptr, chooser);
    Click(::GetDlgItem(chooser, IDCANCEL));
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindowEnabled(list); }));
    // The closed chooser uncovers the list, which repaints row by row.
    WaitUntil([&] {
        ticked = LookAtRow(list, 0);
        plain = LookAtRow(list, 1);
        return ticked.background == kTint && ticked.hasGreyText && !ticked.hasWindowText &&
               plain.background == ::GetSysColor(COLOR_WINDOW) && plain.hasGreyText &&
               !plain.hasWindowText;
    });
    EXPECT_EQ(kTint, ticked.background);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), plain.background);
    EXPECT_TRUE(ticked.hasGreyText);
    EXPECT_FALSE(ticked.hasWindowText);
    EXPECT_TRUE(plain.hasGreyText);
    EXPECT_FALSE(plain.hasWindowText);
    SaveScreenshot(CaptureWindow(dialog), "main-dialog-other-place");
}

// The picture as the resources hold it, pixel by pixel.
Capture LoadPicture() {
    HBITMAP bitmap = ::LoadBitmapA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_PICTURE));
    BITMAP info{};
    ::GetObjectA(bitmap, sizeof(info), &info);
    Capture picture;
    picture.width = info.bmWidth;
    picture.height = info.bmHeight;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            picture.pixels.push_back(::GetPixel(memory, x, y));
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    ::DeleteObject(bitmap);
    return picture;
}

TEST_F(PaintingTest, PictureIsCentredInItsWhiteFrame) {
    InstallerRun run(package.Path());
    ASSERT_NE(nullptr, run.WaitForDialog());
    HWND frame = run.Control(IDC_PICTURE);
    const Capture picture = LoadPicture();
    ASSERT_EQ(112, picture.width);
    ASSERT_EQ(224, picture.height);

    RECT rect{};
    ::GetClientRect(frame, &rect);
    const int left = (rect.right - picture.width - rect.left) / 2;
    const int top = (rect.bottom - picture.height - rect.top) / 2;
    const POINT client = ClientOffset(frame);
    int wrong = -1;
    // The frame's own one-pixel border is drawn over the edge of the painting. With the
    // dialog font's own metrics the frame's inside is the picture's size; where it is
    // larger, white margins show around the picture.
    auto countWrong = [&] {
        const Capture shown = CaptureWindow(frame);
        wrong = 0;
        for (int y = 1; y < rect.bottom - 1; ++y) {
            for (int x = 1; x < rect.right - 1; ++x) {
                const bool inPicture =
                    x >= left && x < left + picture.width && y >= top && y < top + picture.height;
                const COLORREF expected =
                    inPicture ? picture.At(x - left, y - top) : RGB(255, 255, 255);
                wrong += shown.At(client.x + x, client.y + y) != expected ? 1 : 0;
            }
        }
        return wrong == 0;
    };
    WaitUntil(countWrong);
    EXPECT_EQ(0, wrong);
}

// The installer dialog without its picture, run in this process.
class NoPictureDlg : public CInstallerDlg {
public:
    NoPictureDlg() {
        ::DeleteObject(m_hPicture);
        m_hPicture = nullptr;
    }
};

TEST_F(PaintingTest, FrameIsWhiteWithoutAPicture) {
    NoPictureDlg dialog;
    int wrong = -1;
    UserThread user([&] {
        HWND window =
            WaitForTopWindow(::GetCurrentProcessId(), InstallerRun::kDialogCaption, "#32770");
        if (window == nullptr)
            return;
        HWND frame = ::GetDlgItem(window, IDC_PICTURE);
        const POINT client = ClientOffset(frame);
        RECT rect{};
        ::GetClientRect(frame, &rect);
        // Until it is painted the frame shows the dialog's own colour, never white.
        WaitUntil([&] {
            const Capture shown = CaptureWindow(frame);
            wrong = 0;
            for (int y = 1; y < rect.bottom - 1; ++y)
                for (int x = 1; x < rect.right - 1; ++x)
                    wrong += shown.At(client.x + x, client.y + y) != RGB(255, 255, 255) ? 1 : 0;
            return wrong == 0;
        });
        ::PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    });
    dialog.DoModal();
    user.join();
    EXPECT_EQ(0, wrong);
}

TEST_F(PaintingTest, SystemMenuOpensTheAboutBoxModallyAndStillMovesAndClosesTheDialog) {
    InstallerRun run(package.Path());
    HWND dialog = run.WaitForDialog();
    ASSERT_NE(nullptr, dialog);
    ::PostMessageA(dialog, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    HWND about = WaitForTopWindow(run.Pid(), "About Tessarel", "#32770");
    ASSERT_NE(nullptr, about);
    EXPECT_EQ(dialog, ::GetWindow(about, GW_OWNER));
    EXPECT_FALSE(::IsWindowEnabled(dialog));
    std::vector<std::string> texts;
    for (HWND child = ::GetWindow(about, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT))
        texts.push_back(TextOf(child));
    ASSERT_EQ(4u, texts.size());
    EXPECT_EQ("Tessarel Version 1.0", texts[1]);
    EXPECT_FALSE(texts[2].empty());
    EXPECT_EQ("OK", texts[3]);
    // Centred over the main dialog.
    RECT a{}, d{};
    ::GetWindowRect(about, &a);
    ::GetWindowRect(dialog, &d);
    EXPECT_NEAR((d.left + d.right) / 2, (a.left + a.right) / 2, 1);
    EXPECT_NEAR((d.top + d.bottom) / 2, (a.top + a.bottom) / 2, 1);
    EXPECT_TRUE(WaitUntilPainted(about)) << "the About box was not painted";
    SaveScreenshot(CaptureWindow(about), "about-box");

    Click(::GetDlgItem(about, IDOK));
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(about); }));
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(dialog) != 0; }));
    EXPECT_EQ((std::vector<std::string>{"Adobe Photoshop 7.0", "Adobe Photoshop 8.0"}),
              ListRows(run.Control(IDC_HOST_LIST)));

    // Only the command's upper bits count; Esc closes the box too.
    ::PostMessageA(dialog, WM_SYSCOMMAND, IDM_ABOUTBOX | 0x3, 0);
    about = WaitForTopWindow(run.Pid(), "About Tessarel", "#32770");
    ASSERT_NE(nullptr, about);
    PressKey(::GetDlgItem(about, IDOK), VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(about); }));

    // Move from the system menu still works: arrow keys, then Enter.
    RECT before{};
    ::GetWindowRect(dialog, &before);
    ::PostMessageA(dialog, WM_SYSCOMMAND, SC_MOVE, 0);
    ASSERT_TRUE(WaitUntil([&] { return InMoveOrSize(dialog); })) << "Move did not start";
    for (int i = 0; i < 3; ++i)
        PressKey(dialog, VK_RIGHT);
    PressKey(dialog, VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] {
        RECT after{};
        ::GetWindowRect(dialog, &after);
        return after.left != before.left || after.top != before.top;
    }));

    ::PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(0u, run.WaitForExit());
}
} // namespace
