// The dialog as a screen reader reads it from another process: the host list's rows as
// check buttons that can be ticked, the announcements of ticks and focus moves, and the
// names of the controls around the list.
#include "res/resource.h"
#include "tests/support/Files.h"
#include "tests/support/InstallerRun.h"
#include "tests/support/Hosts.h"
#include "tests/support/Screenshot.h"
#include "tests/support/WindowDriver.h"

#include <gtest/gtest.h>

#include <oleacc.h>

#include <memory>
#include <vector>

namespace {
struct Event {
    DWORD event;
    HWND window;
    LONG object;
    LONG child;
};
std::vector<Event> g_events;

void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                      DWORD) {
    g_events.push_back({event, window, object, child});
}

// Out-of-context events arrive as messages of this thread.
void PumpMessages() {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&message);
}

VARIANT Child(LONG id) {
    VARIANT child;
    ::VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

std::string Text(BSTR text) {
    if (text == nullptr)
        return "<none>";
    const int length = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(length > 0 ? length - 1 : 0), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text, -1, &result[0], length, nullptr, nullptr);
    ::SysFreeString(text);
    return result;
}

// What a screen reader says of one child (0: the object itself).
struct Reading {
    std::string name;
    LONG role = -1;
    LONG state = -1;
    std::string action;
};

class ScreenReaderTest : public ::testing::Test {
protected:
    ScreenReaderTest() {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        RegisterPhotoshop("7.0", "C:\\PS7");
        RegisterPhotoshop("8.0", "C:\\PS8");
        RegisterJasc("Paint Shop Pro 8", "C:\\PSP8\\Plugins");
        run = std::make_unique<InstallerRun>(package.Path());
        g_events.clear();
    }
    ~ScreenReaderTest() override {
        for (IAccessible* object : objects)
            object->Release();
        if (hook != nullptr)
            ::UnhookWinEvent(hook);
        run.reset();
        ::CoUninitialize();
    }

    IAccessible* Read(int controlId) {
        IAccessible* object = nullptr;
        if (FAILED(::AccessibleObjectFromWindow(run->Control(controlId), OBJID_CLIENT,
                                                IID_IAccessible,
                                                reinterpret_cast<void**>(&object))))
            return nullptr;
        objects.push_back(object);
        return object;
    }
    static Reading ReadChild(IAccessible* object, LONG id) {
        Reading reading;
        BSTR text = nullptr;
        object->get_accName(Child(id), &text);
        reading.name = Text(text);
        VARIANT value;
        ::VariantInit(&value);
        if (object->get_accRole(Child(id), &value) == S_OK && value.vt == VT_I4)
            reading.role = value.lVal;
        ::VariantInit(&value);
        if (object->get_accState(Child(id), &value) == S_OK && value.vt == VT_I4)
            reading.state = value.lVal;
        text = nullptr;
        object->get_accDefaultAction(Child(id), &text);
        reading.action = Text(text);
        return reading;
    }
    // Near the row's right end, where no text is.
    COLORREF RowBackground(int row) {
        HWND list = run->Control(IDC_HOST_LIST);
        RECT rect{};
        ::SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(row),
                       reinterpret_cast<LPARAM>(&rect));
        const POINT client = ClientOffset(list);
        return CaptureWindow(list).At(client.x + rect.right - 4,
                                      client.y + (rect.top + rect.bottom) / 2);
    }
    void Listen(DWORD event) {
        hook = ::SetWinEventHook(event, event, nullptr, &OnEvent, run->Pid(), 0,
                                 WINEVENT_OUTOFCONTEXT);
        ASSERT_NE(nullptr, hook);
    }
    // Waits for an event of the list for this child; earlier events are dropped.
    bool Announced(DWORD event, LONG child) {
        HWND list = run->Control(IDC_HOST_LIST);
        return WaitUntil([&] {
            PumpMessages();
            for (const Event& seen : g_events)
                if (seen.event == event && seen.window == list && seen.object == OBJID_CLIENT &&
                    seen.child == child) {
                    g_events.clear();
                    return true;
                }
            return false;
        });
    }

    HostSandbox sandbox;
    TempFolder package{"reader"};
    std::unique_ptr<InstallerRun> run;
    std::vector<IAccessible*> objects;
    HWINEVENTHOOK hook = nullptr;
};

TEST_F(ScreenReaderTest, RowsReadAsCheckButtonsThatTheDefaultActionTicks) {
    ASSERT_NE(nullptr, run->WaitForDialog());
    IAccessible* list = Read(IDC_HOST_LIST);
    ASSERT_NE(nullptr, list);
    Listen(EVENT_OBJECT_STATECHANGE);
    LONG count = -1;
    EXPECT_EQ(S_OK, list->get_accChildCount(&count));
    ASSERT_EQ(3, count);

    struct Row {
        const char* name;
        bool ticked;
    };
    const Row rows[] = {
        {"Adobe Photoshop 7.0", true}, {"Adobe Photoshop 8.0", false}, {"Paint Shop Pro 8", false}};
    const LONG always = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
    for (LONG id = 1; id <= 3; ++id) {
        const Row& row = rows[id - 1];
        const Reading seen = ReadChild(list, id);
        EXPECT_EQ(row.name, seen.name);
        EXPECT_EQ(ROLE_SYSTEM_CHECKBUTTON, seen.role) << row.name;
        EXPECT_EQ(always | (row.ticked ? STATE_SYSTEM_CHECKED : 0),
                  seen.state & ~(STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED))
            << row.name;
        EXPECT_EQ(row.ticked ? "Uncheck" : "Check", seen.action) << row.name;
    }
    // Selected and focused as the list has it.
    run->ClickHostRow(1);
    const LONG chosen = STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED;
    EXPECT_TRUE(WaitUntil([&] { return (ReadChild(list, 2).state & chosen) == chosen; }));
    EXPECT_EQ(0, ReadChild(list, 1).state & STATE_SYSTEM_SELECTED);

    // The default action ticks the third row, as a click in its check box would.
    EXPECT_EQ(S_OK, list->accDoDefaultAction(Child(3)));
    EXPECT_TRUE(Announced(EVENT_OBJECT_STATECHANGE, 3));
    const Reading ticked = ReadChild(list, 3);
    EXPECT_NE(0, ticked.state & STATE_SYSTEM_CHECKED);
    EXPECT_EQ("Uncheck", ticked.action);
    // The list shows it: the tick, and the tint of a ticked row.
    EXPECT_EQ(1, ::SendMessageA(run->Control(IDC_HOST_LIST), LB_GETITEMDATA, 2, 0) & 0x3);
    EXPECT_TRUE(WaitUntil([&] { return RowBackground(2) == RGB(255, 255, 224); }));
    EXPECT_EQ(S_OK, list->accDoDefaultAction(Child(1)));
    EXPECT_TRUE(Announced(EVENT_OBJECT_STATECHANGE, 1));
    EXPECT_EQ(0, ReadChild(list, 1).state & STATE_SYSTEM_CHECKED);

    // Another place: every row is unavailable and cannot be ticked.
    Click(run->Control(IDC_TARGET_OTHER));
    HWND chooser = WaitForTopWindow(run->Pid(), "Select Directory", "#32770");
    ASSERT_NE(nullptr, chooser);
    Click(::GetDlgItem(chooser, IDCANCEL));
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindowEnabled(run->Control(IDC_HOST_LIST)); }));
    for (LONG id = 1; id <= 3; ++id) {
        const Reading seen = ReadChild(list, id);
        EXPECT_NE(0, seen.state & STATE_SYSTEM_UNAVAILABLE) << rows[id - 1].name;
        EXPECT_EQ("<none>", seen.action) << rows[id - 1].name;
    }
    EXPECT_NE(S_OK, list->accDoDefaultAction(Child(2)));
    EXPECT_EQ(0, ReadChild(list, 2).state & STATE_SYSTEM_CHECKED);
}

TEST_F(ScreenReaderTest, TicksByMouseAndSpaceAndFocusMovesAreAnnounced) {
    ASSERT_NE(nullptr, run->WaitForDialog());
    HWND list = run->Control(IDC_HOST_LIST);
    Listen(EVENT_OBJECT_STATECHANGE);
    run->ClickHostCheck(1);
    EXPECT_TRUE(Announced(EVENT_OBJECT_STATECHANGE, 2)) << "click in the check box";
    PressKey(list, VK_SPACE);
    EXPECT_TRUE(Announced(EVENT_OBJECT_STATECHANGE, 2)) << "space";
    ::UnhookWinEvent(hook);

    Listen(EVENT_OBJECT_FOCUS);
    PressKey(list, VK_DOWN);
    EXPECT_TRUE(Announced(EVENT_OBJECT_FOCUS, 3)) << "down to the third row";
    run->ClickHostRow(0);
    EXPECT_TRUE(Announced(EVENT_OBJECT_FOCUS, 1)) << "a click on the first row";
}

TEST_F(ScreenReaderTest, ControlsAroundTheListReadByWhatTheyAreFor) {
    ASSERT_NE(nullptr, run->WaitForDialog());
    struct Control {
        int id;
        const char* name;
    };
    const Control controls[] = {
        {IDC_TARGET_HOSTS, "Standard Plug-in hosts found on this computer"},
        {IDC_TARGET_OTHER, "Install Plug-ins to another place not listed above"},
        {IDC_OTHER_PATH, "Install Plug-ins to another place not listed above"},
        {IDC_BROWSE, "Browse for another place"},
    };
    for (const Control& control : controls) {
        IAccessible* object = Read(control.id);
        ASSERT_NE(nullptr, object) << control.name;
        EXPECT_EQ(control.name, ReadChild(object, CHILDID_SELF).name);
    }
    // What the button shows is unchanged.
    EXPECT_EQ("...", TextOf(run->Control(IDC_BROWSE)));
}
} // namespace
