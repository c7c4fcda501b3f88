#include "tests/support/WindowDriver.h"

#include "framework/WinApp.h"

#include <algorithm>

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        if (done())
            return true;
        if (::GetTickCount64() >= end)
            return false;
        ::Sleep(20);
    }
}

namespace {
struct TopWindowSearch {
    DWORD pid;
    const std::string* caption;
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchTopWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TopWindowSearch*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    if (search->pid != 0 && pid != search->pid)
        return TRUE;
    if (!::IsWindowVisible(window))
        return TRUE;
    if (search->className != nullptr && ClassOf(window) != search->className)
        return TRUE;
    if (TextOf(window) != *search->caption)
        return TRUE;
    search->found = window;
    return FALSE;
}
} // namespace

HWND FindTopWindow(DWORD pid, const std::string& caption, const char* className) {
    TopWindowSearch search{pid, &caption, className, nullptr};
    ::EnumWindows(&MatchTopWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForTopWindow(DWORD pid, const std::string& caption, const char* className,
                      DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopWindow(pid, caption, className)) != nullptr; },
              timeoutMs);
    return found;
}

std::string TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length))
        return std::string();
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]),
                          SMTO_ABORTIFHUNG, 2000, &copied);
    text.resize(std::min<size_t>(copied, length));
    return text;
}

std::string ClassOf(HWND window) {
    char name[256] = "";
    ::GetClassNameA(window, name, sizeof(name));
    return name;
}

bool IsChecked(HWND button) {
    return ::SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::vector<std::string> ListRows(HWND list) {
    // Asked in UTF-16 and converted here: Wine hands another process's owner-drawn
    // list rows to an ANSI LB_GETTEXT unconverted.
    std::vector<std::string> rows;
    const LRESULT count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = ::SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring wide(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
        const LRESULT copied = ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i),
                                              reinterpret_cast<LPARAM>(&wide[0]));
        wide.resize(static_cast<size_t>(std::max<LRESULT>(copied, 0)));
        std::string text(wide.size() * 2, '\0');
        const int bytes =
            ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &text[0],
                                  static_cast<int>(text.size()), nullptr, nullptr);
        text.resize(static_cast<size_t>(std::max(bytes, 0)));
        rows.push_back(text);
    }
    return rows;
}

int ListSelection(HWND list) {
    return static_cast<int>(::SendMessageA(list, LB_GETCURSEL, 0, 0));
}

void Click(HWND button) {
    ::PostMessageA(button, BM_CLICK, 0, 0);
}

bool ClickAndWait(HWND button, DWORD timeoutMs) {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

namespace {
GUITHREADINFO ThreadInfoOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info))
        info = GUITHREADINFO{};
    return info;
}
} // namespace

HWND FocusIn(HWND window) {
    return ThreadInfoOf(window).hwndFocus;
}

bool InMoveOrSize(HWND window) {
    return (ThreadInfoOf(window).flags & GUI_INMOVESIZE) != 0;
}

void ClickAt(HWND window, int x, int y) {
    const LPARAM point = MAKELPARAM(x, y);
    ::PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::PostMessageA(window, WM_LBUTTONUP, 0, point);
}

void PressKey(HWND window, UINT virtualKey) {
    const UINT scan = ::MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    ::PostMessageA(window, WM_KEYDOWN, virtualKey, 1 | (static_cast<LPARAM>(scan) << 16));
    const UINT character = ::MapVirtualKeyA(virtualKey, MAPVK_VK_TO_CHAR);
    if (character != 0 && virtualKey != VK_RETURN && virtualKey != VK_ESCAPE)
        ::PostMessageA(window, WM_CHAR, character, 1 | (static_cast<LPARAM>(scan) << 16));
    ::PostMessageA(window, WM_KEYUP, virtualKey,
                   1 | (static_cast<LPARAM>(scan) << 16) | (3u << 30));
}

void TypeText(HWND edit, const std::string& text) {
    for (char c : text)
        ::PostMessageA(edit, WM_CHAR, static_cast<BYTE>(c), 1);
}

HWND WaitForMessageBox(DWORD pid, const std::string& caption, DWORD timeoutMs) {
    return WaitForTopWindow(pid, caption, "#32770", timeoutMs);
}

namespace {
BOOL CALLBACK CollectChildren(HWND child, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
    return TRUE;
}

std::vector<HWND> ChildrenOf(HWND window) {
    std::vector<HWND> children;
    ::EnumChildWindows(window, &CollectChildren, reinterpret_cast<LPARAM>(&children));
    return children;
}
} // namespace

std::string MessageBoxText(HWND box) {
    std::string longest;
    for (HWND child : ChildrenOf(box)) {
        if (ClassOf(child) != "Static")
            continue;
        std::string text = TextOf(child);
        if (text.size() > longest.size())
            longest = text;
    }
    return longest;
}

WideString MessageBoxWideText(HWND box) {
    WideString longest;
    for (HWND child : ChildrenOf(box)) {
        if (ClassOf(child) != "Static")
            continue;
        WideString text(static_cast<size_t>(::GetWindowTextLengthW(child)) + 1, L'\0');
        text.resize(
            static_cast<size_t>(::GetWindowTextW(child, &text[0], static_cast<int>(text.size()))));
        if (text.size() > longest.size())
            longest = text;
    }
    return longest;
}

HICON MessageBoxIcon(HWND box) {
    for (HWND child : ChildrenOf(box)) {
        if (ClassOf(child) != "Static")
            continue;
        if (HICON icon = reinterpret_cast<HICON>(::SendMessageA(child, STM_GETICON, 0, 0)))
            return icon;
    }
    return nullptr;
}

void AnswerMessageBox(HWND box, int buttonId) {
    HWND button = ::GetDlgItem(box, buttonId);
    if (button != nullptr)
        Click(button);
    else
        ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0);
}

std::string OwnCaption() {
    std::string caption;
    ToAnsiExactly(AfxGetAppName(), caption);
    return caption;
}
