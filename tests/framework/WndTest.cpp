#include "framework/Wnd.h"

#include <gtest/gtest.h>

namespace {
WNDPROC g_before = nullptr;
LRESULT CALLBACK LaterSubclass(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::CallWindowProcA(g_before, hWnd, message, wParam, lParam);
}

// Another subclass made after the object's: letting go must neither cut it out nor
// leave the window without its own procedure.
TEST(WndTest, LettingGoUnderALaterSubclassKeepsItAndTheWindowsOwnProcedure) {
    HWND edit = ::CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr,
                                  nullptr);
    ASSERT_NE(nullptr, edit);
    {
        CWnd wnd;
        ASSERT_TRUE(wnd.SubclassWindow(edit));
        g_before = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaterSubclass)));
        EXPECT_EQ(edit, wnd.UnsubclassWindow());
        EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(edit));
    }
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&LaterSubclass), ::GetWindowLongPtrA(edit, GWLP_WNDPROC));
    // Only the edit control's own procedure knows its text limit.
    ::SendMessageA(edit, EM_SETLIMITTEXT, 42, 0);
    EXPECT_EQ(42, ::SendMessageA(edit, EM_GETLIMITTEXT, 0, 0));
    EXPECT_TRUE(::DestroyWindow(edit));
}
} // namespace
