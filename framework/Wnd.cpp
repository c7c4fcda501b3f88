#include "framework/Wnd.h"

#include <vector>

namespace {
// The window properties that lead from a window handle back to its object, and to the
// window's own procedure: a subclass made after this one still calls this one, also
// once the object has let go, and its messages must then reach the window's own
// procedure.
const char kObjectProperty[] = "CWnd.Object";
const char kSuperProperty[] = "CWnd.Super";
} // namespace

CWnd::~CWnd() {
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        UnsubclassWindow();
}

bool CWnd::Attach(HWND hWnd) {
    if (hWnd == nullptr || m_hWnd != nullptr || FromHandlePermanent(hWnd) != nullptr)
        return false;
    m_hWnd = hWnd;
    ::SetPropA(hWnd, kObjectProperty, static_cast<HANDLE>(this));
    return true;
}

bool CWnd::SubclassWindow(HWND hWnd) {
    if (!Attach(hWnd))
        return false;
    m_pfnSuper = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
        hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StaticWindowProc)));
    ::SetPropA(hWnd, kSuperProperty, reinterpret_cast<HANDLE>(m_pfnSuper));
    return true;
}

HWND CWnd::UnsubclassWindow() {
    HWND hWnd = m_hWnd;
    if (hWnd == nullptr)
        return nullptr;
    // The window's own procedure goes back only while this one is installed: putting it
    // back under a later subclass would cut that one out.
    if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC)) ==
        &CWnd::StaticWindowProc) {
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        ::RemovePropA(hWnd, kSuperProperty);
    }
    m_pfnSuper = nullptr;
    return Detach();
}

HWND CWnd::Detach() {
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr)
        ::RemovePropA(hWnd, kObjectProperty);
    m_hWnd = nullptr;
    return hWnd;
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    if (hWnd == nullptr)
        return nullptr;
    return static_cast<CWnd*>(::GetPropA(hWnd, kObjectProperty));
}

LRESULT CALLBACK CWnd::StaticWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = FromHandlePermanent(hWnd);
    if (wnd == nullptr) {
        // The object has let go while a later subclass still calls this procedure.
        auto super = reinterpret_cast<WNDPROC>(::GetPropA(hWnd, kSuperProperty));
        if (super == nullptr)
            return ::DefWindowProcA(hWnd, message, wParam, lParam);
        if (message == WM_NCDESTROY)
            ::RemovePropA(hWnd, kSuperProperty);
        return ::CallWindowProcA(super, hWnd, message, wParam, lParam);
    }

    if (message == WM_NCDESTROY) {
        // The window is going: give it back its own procedure before it sees the
        // last message, so nothing reaches an object that may be gone.
        WNDPROC super = wnd->m_pfnSuper;
        wnd->UnsubclassWindow();
        return ::CallWindowProcA(super, hWnd, message, wParam, lParam);
    }

    CurrentMessage current{message, wParam, lParam};
    const CurrentMessage* outer = wnd->m_pCurrentMsg;
    wnd->m_pCurrentMsg = &current;
    LRESULT result = 0;
    try {
        result = wnd->WindowProc(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the system's code; the only exception that can
        // reach here is an allocation failure, and the message is then dropped.
        result = 0;
    }
    wnd->m_pCurrentMsg = outer;
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (Dispatch(message, wParam, lParam, &result))
        return result;
    return DefWindowProc(message, wParam, lParam);
}

bool CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_DRAWITEM && ReflectToChild(message, wParam, lParam, result))
        return true;
    const MessageMapEntry* entry = GetMessageMap().Find(message, wParam);
    if (entry == nullptr)
        return false;
    *result = entry->invoke(this, wParam, lParam);
    return true;
}

bool CWnd::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    CWnd* control = item->CtlType != ODT_MENU ? FromHandlePermanent(item->hwndItem) : nullptr;
    if (control == nullptr || control == this)
        return false;
    return control->OnChildNotify(message, wParam, lParam, result);
}

bool CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) {
    return false;
}

LRESULT CWnd::Default() {
    if (m_pCurrentMsg == nullptr)
        return 0;
    return DefWindowProc(m_pCurrentMsg->message, m_pCurrentMsg->wParam, m_pCurrentMsg->lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper != nullptr)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

std::string WindowText(HWND hWnd) {
    const int length = ::GetWindowTextLengthA(hWnd);
    if (length <= 0)
        return std::string();
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    const int copied = ::GetWindowTextA(hWnd, buffer.data(), length + 1);
    return std::string(buffer.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}

bool CWnd::EnableWindow(bool enable) {
    return ::EnableWindow(m_hWnd, enable ? TRUE : FALSE) != 0;
}

bool CWnd::IsWindowEnabled() const {
    return ::IsWindowEnabled(m_hWnd) != 0;
}

HWND CWnd::GetDlgItem(int id) const {
    return ::GetDlgItem(m_hWnd, id);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

HICON CWnd::SetIcon(HICON icon, bool big) {
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

bool CWnd::IsIconic() const {
    return ::IsIconic(m_hWnd) != 0;
}
