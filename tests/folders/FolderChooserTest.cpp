#include "folders/FolderChooser.h"

#include "folders/DisplayText.h"
#include "framework/WinApp.h"
#include "tests/support/Files.h"
#include "tests/support/Screenshot.h"
#include "tests/support/UserThread.h"
#include "tests/support/WindowDriver.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
const char kCaption[] = "Select Directory";

// The chooser runs modally on the test's thread; a person uses it from another.
class FolderChooserTest : public ::testing::Test {
protected:
    template <class Script> INT_PTR Run(CFolderChooser& chooser, Script script) {
        UserThread user([&] {
            dialog = WaitForTopWindow(::GetCurrentProcessId(), kCaption, "#32770");
            if (dialog == nullptr) {
                ADD_FAILURE() << "the chooser did not open";
                return;
            }
            edit = ::GetDlgItem(dialog, IDC_CHOOSER_EDIT);
            ok = ::GetDlgItem(dialog, IDOK);
            script();
            // Whatever the script left open is cancelled, so the test never hangs.
            if (::IsWindow(dialog))
                ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        const INT_PTR result = chooser.DoModal();
        user.join();
        return result;
    }

    bool EditShows(const std::string& text) {
        return WaitUntil([&] { return TextOf(edit) == text; });
    }
    bool OkEnabled(bool enabled) {
        return WaitUntil([&] { return (::IsWindowEnabled(ok) != 0) == enabled; });
    }
    void Clear() {
        ::PostMessageA(edit, EM_SETSEL, 0, -1);
        ::PostMessageA(edit, WM_CHAR, VK_BACK, 1);
    }
    void Type(const std::string& text) {
        Clear();
        TypeText(edit, text);
        EXPECT_TRUE(EditShows(text)) << "the path box does not show the typed " << text;
    }
    HWND MessageBox() { return WaitForMessageBox(::GetCurrentProcessId(), OwnCaption()); }

    TempFolder folder{"chooser"};
    HWND dialog = nullptr;
    HWND edit = nullptr;
    HWND ok = nullptr;
};

TEST_F(FolderChooserTest, PathBoxStandsAboveTheTreeAndShowsTheStartFolder) {
    CFolderChooser chooser(kCaption, "Plug-in folder", folder.Path().c_str(), nullptr);
    Run(chooser, [&] {
        ASSERT_NE(nullptr, edit);
        EXPECT_TRUE(EditShows(folder.Path()));
        EXPECT_TRUE(OkEnabled(true));
        HWND tree = ::GetDlgItem(dialog, IDC_CHOOSER_TREE);
        RECT treeRect{}, editRect{};
        ::GetWindowRect(tree, &treeRect);
        ::GetWindowRect(edit, &editRect);
        EXPECT_EQ(treeRect.left, editRect.left);
        EXPECT_EQ(treeRect.right, editRect.right);
        EXPECT_EQ(treeRect.top - 4, editRect.bottom);
        EXPECT_EQ(23, editRect.bottom - editRect.top);
        EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(dialog, IDC_CHOOSER_STATUS)));
        EXPECT_TRUE(::IsWindowVisible(edit));
        EXPECT_EQ(::SendMessageA(dialog, WM_GETFONT, 0, 0), ::SendMessageA(edit, WM_GETFONT, 0, 0));
        SaveScreenshot(CaptureWindow(dialog), "folder-chooser");
    });
}

TEST_F(FolderChooserTest, OkIsEnabledExactlyWhenThePathBoxHoldsText) {
    CFolderChooser chooser(kCaption, "Plug-in folder", folder.Path().c_str(), nullptr);
    Run(chooser, [&] {
        EXPECT_TRUE(EditShows(folder.Path()));
        Clear();
        EXPECT_TRUE(EditShows(""));
        EXPECT_TRUE(OkEnabled(false));
        TypeText(edit, "C");
        EXPECT_TRUE(OkEnabled(true));
    });
}

TEST_F(FolderChooserTest, MissingFolderIsCreatedWhenTheUserSaysYesAndThenAccepted) {
    const std::string wanted = folder / "Plug-ins\\Quillon";
    CFolderChooser chooser(kCaption, "Plug-in folder", folder.Path().c_str(), nullptr);
    const INT_PTR result = Run(chooser, [&] {
        Type(wanted);
        Click(ok);
        HWND box = MessageBox();
        ASSERT_NE(nullptr, box);
        EXPECT_EQ("The folder:\n\n" + wanted +
                      "\n\ndoes not exist. Do you want the folder to be created?",
                  MessageBoxText(box));
        AnswerMessageBox(box, IDNO);
        // Declined: the chooser stays open and nothing is made.
        EXPECT_TRUE(WaitUntil(
            [&] { return FindTopWindow(::GetCurrentProcessId(), OwnCaption()) == nullptr; }));
        EXPECT_TRUE(::IsWindowVisible(dialog));
        EXPECT_FALSE(IsFolder(folder / "Plug-ins"));

        Click(ok);
        box = MessageBox();
        ASSERT_NE(nullptr, box);
        AnswerMessageBox(box, IDYES);
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }));
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(wanted, chooser.GetPath());
    EXPECT_TRUE(IsFolder(wanted));
}

TEST_F(FolderChooserTest, InvalidTextKeepsTheChooserOpenAndCancelReturnsMinusOne) {
    CFolderChooser chooser(kCaption, "Plug-in folder", folder.Path().c_str(), nullptr);
    // The destination adds 13 characters below the place: 250 leave no room for them.
    const std::string tooLong = "C:\\" + std::string(300, 'x');
    const std::string noRoomBelow = "C:\\" + std::string(247, 'x');
    const INT_PTR result = Run(chooser, [&] {
        for (const std::string& text : {folder.Path() + "\\", tooLong, noRoomBelow}) {
            Type(text);
            Click(ok);
            HWND box = MessageBox();
            ASSERT_NE(nullptr, box);
            // A path too long for one line of the box is shown shortened in the middle.
            EXPECT_EQ("The folder:\n\n" + ShortenedInTheMiddle(text) +
                          "\n\nis invalid. Please reenter.",
                      MessageBoxText(box));
            AnswerMessageBox(box, IDOK);
            EXPECT_TRUE(WaitUntil([&] { return FocusIn(dialog) == edit; }))
                << "the focus is not back in the path box";
            EXPECT_TRUE(::IsWindowVisible(dialog));
        }
        Click(::GetDlgItem(dialog, IDCANCEL));
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }));
    });
    EXPECT_EQ(-1, result);
}

TEST_F(FolderChooserTest, DriveRootIsAccepted) {
    CFolderChooser chooser(kCaption, "Plug-in folder", folder.Path().c_str(), nullptr);
    const INT_PTR result = Run(chooser, [&] {
        Type("C:\\");
        Click(ok);
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }));
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ("C:\\", chooser.GetPath());
}

TEST_F(FolderChooserTest, ChoosingInTheTreeFillsThePathBox) {
    CFolderChooser chooser(kCaption, "Plug-in folder", folder.Path().c_str(), nullptr);
    Run(chooser, [&] {
        EXPECT_TRUE(EditShows(folder.Path()));
        HWND tree = ::GetDlgItem(dialog, IDC_CHOOSER_TREE);
        auto selected =
            reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
        auto parent = reinterpret_cast<HTREEITEM>(
            ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(selected)));
        // TVM_GETITEMRECT takes the item in the rectangle it fills.
        RECT rect{};
        std::memcpy(&rect, &parent, sizeof(parent));
        ASSERT_TRUE(::SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect)));
        ClickAt(tree, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        EXPECT_TRUE(EditShows("C:\\"));
    });
}

TEST_F(FolderChooserTest, WithoutAStartFolderTheCurrentDirectoryIsSelected) {
    char previous[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, previous);
    ::SetCurrentDirectoryA(folder.Path().c_str());
    CFolderChooser chooser(kCaption, "Plug-in folder", nullptr, nullptr);
    Run(chooser, [&] { EXPECT_TRUE(EditShows(folder.Path())); });
    ::SetCurrentDirectoryA(previous);
}
} // namespace
