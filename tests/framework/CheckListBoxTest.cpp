#include "tests/framework/TestDialog.h"
#include "tests/support/WindowDriver.h"
#include "tests/support/UserThread.h"

#include <gtest/gtest.h>

namespace {
// The test dialog runs modally on the test's thread while a second thread uses its
// check list as a person would, with posted mouse and key input.
class CheckListBoxTest : public ::testing::Test {
protected:
    template <class Script> void Run(Script script) {
        dialog.m_onInit = [](TestDialog& d) {
            for (const char* row :
                 {"Adobe Photoshop 7.0", "Adobe Photoshop CS", "Paint Shop Pro", "Locked"})
                d.m_lstChecks.AddString(row);
        };
        UserThread user([&] {
            HWND window = WaitForTopWindow(::GetCurrentProcessId(), "Framework test");
            if (window == nullptr) {
                ADD_FAILURE() << "the test dialog did not open";
                return;
            }
            list = ::GetDlgItem(window, IDC_CHECKLIST);
            script();
            ::PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        });
        dialog.DoModal();
        user.join();
    }

    // The middle of a row, at x pixels from the list's left edge.
    POINT RowPoint(int row, int x) const {
        RECT rect{};
        ::SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(row),
                       reinterpret_cast<LPARAM>(&rect));
        return POINT{rect.left + x, (rect.top + rect.bottom) / 2};
    }
    void ClickRow(int row, int x) {
        const POINT p = RowPoint(row, x);
        ClickAt(list, p.x, p.y);
        Settle();
    }
    void DoubleClickRow(int row, int x) {
        const POINT p = RowPoint(row, x);
        const LPARAM point = MAKELPARAM(p.x, p.y);
        ::PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
        ::PostMessageA(list, WM_LBUTTONUP, 0, point);
        Settle();
        ::PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
        ::PostMessageA(list, WM_LBUTTONUP, 0, point);
        Settle();
    }
    // Waits until the input posted so far has been handled.
    void Settle() {
        const int before = dialog.m_nMarkers;
        ::PostMessageA(::GetParent(list), WM_COMMAND, TestDialog::kMarkerCommand, 0);
        EXPECT_TRUE(WaitUntil([&] { return dialog.m_nMarkers > before; }))
            << "the list did not handle the input";
    }
    int Check(int row) { return dialog.m_lstChecks.GetCheck(row); }

    TestDialog dialog;
    HWND list = nullptr;
    static constexpr int kInCheck = CCheckListBox::kCheckImageSize + 1;
    static constexpr int kInText = CCheckListBox::kCheckImageSize + 30;
};

TEST_F(CheckListBoxTest, ClickInTheCheckColumnTogglesAndSelectsTheRow) {
    int afterCheckClick = -1, selectedAfterCheckClick = -2, changesAfterCheckClick = -1;
    int afterTextClick = -1, selectedAfterTextClick = -2, changesAfterTextClick = -1;
    int afterSecondClick = -1;
    Run([&] {
        ClickRow(1, kInCheck);
        afterCheckClick = Check(1);
        selectedAfterCheckClick = ListSelection(list);
        changesAfterCheckClick = dialog.m_nCheckChanges;

        ClickRow(0, kInText);
        afterTextClick = Check(0);
        selectedAfterTextClick = ListSelection(list);
        changesAfterTextClick = dialog.m_nCheckChanges;

        ClickRow(1, 2);
        afterSecondClick = Check(1);
    });
    EXPECT_EQ(1, afterCheckClick);
    EXPECT_EQ(1, selectedAfterCheckClick);
    EXPECT_EQ(1, changesAfterCheckClick);
    EXPECT_EQ(0, afterTextClick);
    EXPECT_EQ(0, selectedAfterTextClick);
    EXPECT_EQ(1, changesAfterTextClick);
    EXPECT_EQ(0, afterSecondClick);
}

TEST_F(CheckListBoxTest, DoubleClickOnACheckLeavesItAsItWasAndUndeterminedTogglesToClear) {
    int afterDoubleClick = -1, changes = -1, undeterminedAfterClick = -1;
    Run([&] {
        DoubleClickRow(2, kInCheck);
        afterDoubleClick = Check(2);
        changes = dialog.m_nCheckChanges;

        dialog.m_lstChecks.SetCheck(0, 2);
        ClickRow(0, kInCheck);
        undeterminedAfterClick = Check(0);
    });
    EXPECT_EQ(0, afterDoubleClick);
    EXPECT_EQ(2, changes);
    EXPECT_EQ(0, undeterminedAfterClick);
}

TEST_F(CheckListBoxTest, DisabledRowIgnoresThePress) {
    int check = -1, selected = -2, changes = -1;
    Run([&] {
        dialog.m_lstChecks.Enable(3, false);
        ClickRow(1, kInText);
        ClickRow(3, kInCheck);
        check = Check(3);
        selected = ListSelection(list);
        changes = dialog.m_nCheckChanges;
    });
    EXPECT_EQ(0, check);
    EXPECT_EQ(1, selected);
    EXPECT_EQ(0, changes);
}

TEST_F(CheckListBoxTest, SpaceTogglesTheCaretRowAndKeepsTheSelection) {
    int caretRow = -1, selectedAfter = -2, first = -1, second = -1;
    Run([&] {
        ClickRow(2, kInText);
        // Leaves the focus rectangle on row 2 with no row selected.
        ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        PressKey(list, VK_SPACE);
        Settle();
        caretRow = static_cast<int>(::SendMessageA(list, LB_GETCARETINDEX, 0, 0));
        first = Check(2);
        selectedAfter = ListSelection(list);
        PressKey(list, VK_SPACE);
        Settle();
        second = Check(2);
    });
    EXPECT_EQ(2, caretRow);
    EXPECT_EQ(1, first);
    EXPECT_EQ(LB_ERR, selectedAfter);
    EXPECT_EQ(0, second);
}
} // namespace
