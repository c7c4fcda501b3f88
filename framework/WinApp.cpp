#include "framework/WinApp.h"

#include "framework/Wnd.h"
#include "framework/MbcsText.h"

#include <vector>

namespace {
CWinApp* g_app = nullptr;

std::string BaseNameWithoutExtension(const std::string& path) {
    const size_t separator = FindLastSeparator(path);
    std::string name = separator == std::string::npos ? path : path.substr(separator + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}
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

CWnd* AfxGetMainWnd() {
    return g_app != nullptr ? g_app->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetResourceHandle() {
    return g_app != nullptr ? g_app->m_hInstance : ::GetModuleHandleA(nullptr);
}

const std::string& AfxGetAppName() {
    static const std::string name = [] {
        std::vector<char> path(MAX_PATH);
        for (;;) {
            const DWORD length =
                ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
            if (length == 0)
                return std::string();
            if (length < path.size())
                return BaseNameWithoutExtension(std::string(path.data(), length));
            path.resize(path.size() * 2);
        }
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
    CWnd* main = AfxGetMainWnd();
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
    return ::MessageBoxA(MessageBoxOwner(), text.c_str(), AfxGetAppName().c_str(),
                         WithDefaultIcon(type));
}

int AfxMessageBox(const WideString& text, UINT type) {
    return ::MessageBoxW(MessageBoxOwner(), text.c_str(), ToWide(AfxGetAppName()).c_str(),
                         WithDefaultIcon(type));
}
