#include "framework/WinApp.h"

#include "tests/support/UserThread.h"
#include "tests/support/WindowDriver.h"

#include <gtest/gtest.h>

namespace {
struct SeenBox {
    std::string text;
    HICON icon = nullptr;
    bool found = false;
};

// Shows the application's message box on this thread and answers it from another.
int ShowAndAnswer(const std::string& text, UINT type, int answer, SeenBox* seen) {
    UserThread user([&] {
        HWND box = WaitForMessageBox(::GetCurrentProcessId(), OwnCaption());
        if (box == nullptr)
            return;
        seen->found = true;
        seen->text = MessageBoxText(box);
        seen->icon = MessageBoxIcon(box);
        AnswerMessageBox(box, answer);
    });
    const int result = AfxMessageBox(text, type);
    user.join();
    return result;
}

TEST(MessageBoxTest, CaptionIsTheExecutablesNameAndTheDefaultIconIsTheExclamation) {
    EXPECT_EQ("framework_tests", OwnCaption());

    SeenBox seen;
    EXPECT_EQ(IDNO,
              ShowAndAnswer("The folder:\n\nC:\\%s\n\ndoes not exist.", MB_YESNO, IDNO, &seen));
    ASSERT_TRUE(seen.found);
    EXPECT_EQ("The folder:\n\nC:\\%s\n\ndoes not exist.", seen.text);
    EXPECT_EQ(::LoadIconA(nullptr, IDI_EXCLAMATION), seen.icon);

    SeenBox ok;
    EXPECT_EQ(IDOK, ShowAndAnswer("Done", MB_OK, IDOK, &ok));
    EXPECT_EQ(::LoadIconA(nullptr, IDI_EXCLAMATION), ok.icon);

    SeenBox question;
    EXPECT_EQ(IDYES, ShowAndAnswer("Create it?", MB_YESNO | MB_ICONQUESTION, IDYES, &question));
    EXPECT_EQ(::LoadIconA(nullptr, IDI_QUESTION), question.icon);
}
} // namespace
