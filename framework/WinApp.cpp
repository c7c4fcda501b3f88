#include "framework/WinApp.h"

#include "framework/Wnd.h"

#include <vector>

namespace {
CWinApp* g_app = nullptr;
} // namespace

CWinApp::CWinApp() {
    g_app = this;
    m_hInstance = ::GetModuleHandleA(nullptr);
}

CWinApp::~CWinApp() {
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

CWinApp* AfxGetApp() {
    return g_app;
}

HINSTANCE AfxGetResourceHandle() {
    return g_app != nullptr ? g_app->m_hInstance : ::GetModuleHandleA(nullptr);
}

const WideString& AfxGetExecutablePath() {
    static const WideString path = [] {
        std::vector<wchar_t> buffer(MAX_PATH);
        for (;;) {
            const DWORD length =
                ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
            if (length == 0)
                return WideString();
            if (length < buffer.size())
                return WideString(buffer.data(), length);
            if (buffer.size() >= 32768)
                return WideString();
            buffer.resize(buffer.size() * 2);
        }
    }();
    return path;
}

const WideString& AfxGetAppName() {
    static const WideString name = [] {
        WideString folder, file = AfxGetExecutablePath();
        SplitAtLastSeparator(AfxGetExecutablePath(), folder, file);
        const size_t dot = file.rfind(L'.');
        if (dot != WideString::npos && dot > 0)
            file.erase(dot);
        return file;
    }();
    return name;
}

HWND AfxGetSafeOwner(CWnd* parent) {
    HWND owner = parent != nullptr ? parent->m_hWnd : nullptr;
    if (owner != nullptr) {
        while ((::GetWindowLongPtrA(owner, GWL_STYLE) & WS_CHILD) != 0 &&
               ::GetParent(owner) != nullptr)
            owner = ::GetParent(owner);
        return owner;
    }
    CWnd* main = g_app != nullptr ? g_app->m_pMainWnd : nullptr;
    if (main == nullptr || main->m_hWnd == nullptr)
        return nullptr;
    return ::GetLastActivePopup(main->m_hWnd);
}

namespace {
UINT WithDefaultIcon(UINT type) {
    if ((type & MB_ICONMASK) == 0) {
        switch (type & MB_TYPEMASK) {
        case MB_OK:
        case MB_OKCANCEL:
        case MB_YESNO:
        case MB_YESNOCANCEL:
            type |= MB_ICONEXCLAMATION;
            break;
        default:
            break;
        }
    }
    return type;
}

HWND MessageBoxOwner() {
    HWND owner = AfxGetSafeOwner(nullptr);
    return owner != nullptr ? owner : ::GetActiveWindow();
}
} // namespace

int AfxMessageBox(const std::string& text, UINT type) {
    return AfxMessageBox(ToWide(text), type);
}

int AfxMessageBox(const WideString& text, UINT type) {
    return ::MessageBoxW(MessageBoxOwner(), text.c_str(), AfxGetAppName().c_str(),
                         WithDefaultIcon(type));
}
