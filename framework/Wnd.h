#pragma once
// CWnd ties a C++ object to a window by subclassing it: the object's message map sees
// every message first, and whatever it does not handle goes on to the window's own
// procedure (Default). Controls and dialogs of the program are CWnd objects.
#include "framework/MessageMap.h"
#include "framework/Win32.h"

#include <string>

// A window's text, whatever its length.
std::string WindowText(HWND hWnd);

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    // Subclasses a window that already exists; false if it is bound already or null.
    bool SubclassWindow(HWND hWnd);
    HWND UnsubclassWindow();

    // Ties the object to a window whose procedure is already the object's own (a
    // dialog's), without subclassing it; false if either is bound already. Detach
    // unties it.
    bool Attach(HWND hWnd);
    HWND Detach();

    // The object bound to hWnd by SubclassWindow, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);

    bool EnableWindow(bool enable);
    bool IsWindowEnabled() const;
    HWND GetDlgItem(int id) const;
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    HICON SetIcon(HICON icon, bool big);
    bool IsIconic() const;

protected:
    // Every message of a subclassed window passes here: the message map first, then
    // the window's own procedure.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Runs the handler the message map (or, for WM_DRAWITEM, the control drawn) has
    // for the message. False when nothing handles it.
    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // WM_DRAWITEM is handed back to the control it concerns, so a control class draws
    // itself. True when the control handled the message.
    virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // The window's own handling of the message being dispatched now.
    LRESULT Default();
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct CurrentMessage {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    static LRESULT CALLBACK StaticWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    WNDPROC m_pfnSuper = nullptr;
    const CurrentMessage* m_pCurrentMsg = nullptr;
};
