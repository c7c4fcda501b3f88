#include "tests/app/InstallerDlgProbe.h"
#include "tests/support/DialogTemplate.h"
#include "tests/support/Hosts.h"
#include "tests/support/WindowDriver.h"

#include <gtest/gtest.h>

#include <iterator>
#include <vector>

namespace {
// The main dialog as designed, in dialog units: its size, and its controls in tab order.
constexpr short kMainWidth = 335;
constexpr short kMainHeight = 175;
struct DesignedControl {
    int id;
    const char* className;
    const char* text;
    DWORD style; // besides WS_CHILD | WS_VISIBLE
    short x, y, cx, cy;
};
const DesignedControl kMainControls[] = {
    {IDOK, "Button", "Install", BS_DEFPUSHBUTTON | WS_TABSTOP, 217, 154, 50, 14},
    {IDCANCEL, "Button", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 272, 154, 50, 14},
    {IDC_HOST_LIST, "ListBox", "",
     LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL |
         WS_BORDER | WS_TABSTOP,
     92, 20, 236, 73},
    {IDC_TARGET_HOSTS, "Button", "Standard Plug-in hosts found on this computer",
     BS_AUTORADIOBUTTON | WS_GROUP, 92, 7, 161, 10},
    {IDC_TARGET_OTHER, "Button", "Install Plug-ins to another place not listed above",
     BS_AUTORADIOBUTTON, 91, 116, 166, 10},
    {IDC_OTHER_PATH, "Edit", "", ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 92, 130, 219,
     14},
    {IDC_BROWSE, "Button", "...", BS_PUSHBUTTON | WS_TABSTOP, 313, 130, 15, 14},
    {IDC_HOST_PATH, "Static", "", SS_LEFT | WS_GROUP, 93, 97, 230, 8},
    {IDC_PICTURE, "Static", "", SS_BLACKFRAME, 7, 7, 76, 139},
    {-1, "Static", "www.tessarel.com", SS_LEFT | WS_DISABLED | WS_GROUP, 7, 160, 77, 8},
};

struct ControlSeen {
    int id;
    RECT rect; // in the dialog's client coordinates
};

struct TemplateSeen {
    std::vector<ControlSeen> controls; // in Z (tab) order
    RECT expectedClient{};
    RECT client{};
    std::string fontFace;
};

// Where the dialog manager puts a control: position and size are each converted from
// dialog units on their own, as the template gives them.
RECT DialogUnits(HWND dialog, int x, int y, int cx, int cy) {
    RECT rect{x, y, cx, cy};
    ::MapDialogRect(dialog, &rect);
    return RECT{rect.left, rect.top, rect.left + rect.right, rect.top + rect.bottom};
}

// Runs the real dialog and records every control as the template made it.
class TemplateProbe : public InstallerInitProbe {
public:
    TemplateSeen seen;
    std::vector<std::pair<int, RECT>> expected; // id and its dialog-unit rectangle in pixels

protected:
    void Inspect() override {
        for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            RECT rect{};
            ::GetWindowRect(child, &rect);
            ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
            seen.controls.push_back({static_cast<short>(::GetDlgCtrlID(child)), rect});
        }
        seen.expectedClient = DialogUnits(m_hWnd, 0, 0, kMainWidth, kMainHeight);
        ::GetClientRect(m_hWnd, &seen.client);
        LOGFONTA font{};
        ::GetObjectA(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)), sizeof(font), &font);
        seen.fontFace = font.lfFaceName;
        for (const DesignedControl& c : kMainControls)
            expected.emplace_back(c.id, DialogUnits(m_hWnd, c.x, c.y, c.cx, c.cy));
    }
};

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(DialogTemplateTest, MainDialogPlacesEveryControlInTabOrderWithTheDialogsFont) {
    // With a host found, no folder chooser opens before the dialog shows.
    HostSandbox sandbox;
    RegisterPhotoshop("7.0", "C:\\PS");
    TemplateProbe probe;
    probe.DoModal();
    const TemplateSeen& seen = probe.seen;

    EXPECT_TRUE(SameRect(seen.expectedClient, seen.client));
    EXPECT_EQ("MS Sans Serif", seen.fontFace);
    ASSERT_EQ(probe.expected.size(), seen.controls.size());
    for (size_t i = 0; i < seen.controls.size(); ++i) {
        SCOPED_TRACE("control " + std::to_string(probe.expected[i].first));
        EXPECT_EQ(probe.expected[i].first, seen.controls[i].id);
        EXPECT_TRUE(SameRect(probe.expected[i].second, seen.controls[i].rect));
    }
}

void ExpectItem(const DialogItemTemplate& item, const DesignedControl& designed) {
    SCOPED_TRACE("control " + std::to_string(designed.id));
    EXPECT_EQ(designed.id, item.id);
    // Class names are not case-sensitive; a resource compiler may store them either way.
    EXPECT_EQ(0, ::lstrcmpiA(designed.className, item.className.c_str())) << item.className;
    EXPECT_EQ(designed.text, item.text);
    EXPECT_EQ(WS_CHILD | WS_VISIBLE | designed.style, item.style);
    EXPECT_EQ(0u, item.exStyle);
    EXPECT_EQ(designed.x, item.x);
    EXPECT_EQ(designed.y, item.y);
    EXPECT_EQ(designed.cx, item.cx);
    EXPECT_EQ(designed.cy, item.cy);
}

// What every dialog of the program has: no position of its own (the program centres
// it) and the 8-point MS Sans Serif.
void ExpectDialog(const DialogTemplate& t, const char* caption, DWORD style, short cx, short cy) {
    EXPECT_EQ(caption, t.caption);
    EXPECT_EQ(style, t.style);
    EXPECT_EQ(0, t.x);
    EXPECT_EQ(0, t.y);
    EXPECT_EQ(cx, t.cx);
    EXPECT_EQ(cy, t.cy);
    EXPECT_EQ(8, t.pointSize);
    EXPECT_EQ("MS Sans Serif", t.typeface);
}

TEST(DialogTemplateTest, MainDialogTemplateHoldsExactlyTheDesignedControls) {
    DialogTemplate t;
    ASSERT_TRUE(LoadDialogTemplate(::GetModuleHandleA(nullptr), IDD_INSTALLER_DIALOG, &t));
    ExpectDialog(t, "Quillon Tools deployment",
                 DS_MODALFRAME | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_SETFONT,
                 kMainWidth, kMainHeight);
    EXPECT_EQ(static_cast<DWORD>(WS_EX_APPWINDOW), t.exStyle);

    ASSERT_EQ(std::size(kMainControls), t.items.size());
    for (size_t i = 0; i < t.items.size(); ++i)
        ExpectItem(t.items[i], kMainControls[i]);
}

TEST(DialogTemplateTest, AboutEntryTextAndArtworkAreInTheResources) {
    char text[64] = "";
    EXPECT_EQ(18, ::LoadStringA(::GetModuleHandleA(nullptr), IDS_ABOUTBOX, text, sizeof(text)));
    EXPECT_STREQ("&About Tessarel...", text);

    HBITMAP picture = static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr),
                                                        MAKEINTRESOURCEA(IDB_PICTURE), IMAGE_BITMAP,
                                                        0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(nullptr, picture);
    DIBSECTION dib{};
    ASSERT_NE(0, ::GetObjectA(picture, sizeof(dib), &dib));
    EXPECT_EQ(112, dib.dsBm.bmWidth);
    EXPECT_EQ(224, dib.dsBm.bmHeight);
    EXPECT_EQ(8, dib.dsBmih.biBitCount);
    ::DeleteObject(picture);

    for (int size : {32, 16}) {
        HICON icon = static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr),
                                                     MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON,
                                                     size, size, 0));
        ASSERT_NE(nullptr, icon);
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(icon, &info));
        BITMAP colour{};
        ::GetObjectA(info.hbmColor, sizeof(colour), &colour);
        EXPECT_EQ(size, colour.bmWidth);
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
        ::DestroyIcon(icon);
    }
}
TEST(DialogTemplateTest, AboutBoxTemplateHoldsItsIconTextsAndButton) {
    DialogTemplate t;
    ASSERT_TRUE(LoadDialogTemplate(::GetModuleHandleA(nullptr), IDD_ABOUTBOX, &t));
    ExpectDialog(t, "About Tessarel",
                 DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT, 235, 55);
    ASSERT_EQ(4u, t.items.size());
    ExpectItem(t.items[0], {-1, "Static", "#128", SS_ICON, 11, 17, 20, 20});
    ExpectItem(t.items[1], {-1, "Static", "Tessarel Version 1.0", SS_LEFT | SS_NOPREFIX | WS_GROUP,
                            40, 10, 119, 8});
    EXPECT_EQ(static_cast<DWORD>(WS_CHILD | WS_VISIBLE | SS_LEFT | WS_GROUP), t.items[2].style);
    EXPECT_EQ(40, t.items[2].x);
    EXPECT_EQ(25, t.items[2].y);
    ExpectItem(t.items[3],
               {IDOK, "Button", "OK", BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 178, 7, 50, 14});
}

// The system menu as the dialog has it once initialised.
class MenuProbe : public InstallerInitProbe {
public:
    std::vector<std::pair<UINT, std::string>> items; // id (0 for a separator) and text
    bool dragIconIsTheIcon = false;

protected:
    void Inspect() override {
        HMENU menu = ::GetSystemMenu(m_hWnd, FALSE);
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
            char text[128] = "";
            ::GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof(text), MF_BYPOSITION);
            const UINT state = ::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
            items.emplace_back((state & MF_SEPARATOR) ? 0 : ::GetMenuItemID(menu, i), text);
        }
        dragIconIsTheIcon = m_hIcon != nullptr &&
                            SendMessage(WM_QUERYDRAGICON) == reinterpret_cast<LRESULT>(m_hIcon);
    }
};

TEST(DialogTemplateTest, SystemMenuEndsWithASeparatorAndTheAboutEntry) {
    HostSandbox sandbox;
    RegisterPhotoshop("7.0", "C:\\PS");
    MenuProbe probe;
    probe.DoModal();
    ASSERT_GE(probe.items.size(), 3u);
    const auto& last = probe.items.back();
    EXPECT_EQ(static_cast<UINT>(IDM_ABOUTBOX), last.first);
    EXPECT_EQ("&About Tessarel...", last.second);
    EXPECT_EQ(0u, probe.items[probe.items.size() - 2].first);
    bool move = false, close = false;
    for (const auto& item : probe.items) {
        move |= item.first == SC_MOVE;
        close |= item.first == SC_CLOSE;
    }
    EXPECT_TRUE(move);
    EXPECT_TRUE(close);
    EXPECT_TRUE(probe.dragIconIsTheIcon);
}
} // namespace
