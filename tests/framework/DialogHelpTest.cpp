#include "framework/WinApp.h"
#include "tests/framework/TestDialog.h"
#include "tests/support/UserThread.h"
#include "tests/support/WindowDriver.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {
// An application whose Help command counts the times it came.
class HelpCountingApp : public CWinApp {
public:
    std::atomic<int> m_nHelp{0};

protected:
    const MessageMap& GetMessageMap() const override {
        static const MessageMapEntry entries[] = {
            MapCommand<0, ID_HELP, &HelpCountingApp::OnCountedHelp>(),
        };
        static const MessageMap map(&CWinApp::GetMessageMap(), entries);
        return map;
    }

private:
    void OnCountedHelp() { ++m_nHelp; }
};

TEST(DialogHelpTest, F1InADialogReachesTheApplicationsHelpCommand) {
    HelpCountingApp app;
    TestDialog dialog;
    UserThread user([&] {
        HWND window = WaitForTopWindow(::GetCurrentProcessId(), "Framework test");
        if (window == nullptr) {
            ADD_FAILURE() << "the test dialog did not open";
            return;
        }
        // Typed for real: the key goes to the control with the focus, as a person's does.
        ::SetForegroundWindow(window);
        WaitUntil([&] { return ::GetForegroundWindow() == window; });
        INPUT keys[2] = {};
        for (INPUT& key : keys) {
            key.type = INPUT_KEYBOARD;
            key.ki.wVk = VK_F1;
        }
        keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
        ::SendInput(2, keys, sizeof(INPUT));
        EXPECT_TRUE(WaitUntil([&] { return app.m_nHelp > 0; }));
        ::PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    });
    dialog.DoModal();
    user.join();
    EXPECT_EQ(1, app.m_nHelp);
}
} // namespace
