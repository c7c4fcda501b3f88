#include "folders/FolderChooser.h"

#include "folders/Destination.h"
#include "folders/FolderRules.h"
#include "framework/Text.h"
#include "framework/WinApp.h"
#include "platform/FileSystem.h"

#include <objbase.h>

namespace {
// The shell's browse dialog works only on a thread with a single-threaded COM
// apartment; it is held for the time the dialog is open.
class ComApartment {
public:
    ComApartment() : m_result(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment() {
        if (SUCCEEDED(m_result))
            ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    HRESULT m_result;
};

// The shell's allocator, which frees what the browse dialog returns; released however
// DoModal ends.
class ShellAllocator {
public:
    ShellAllocator() {
        if (FAILED(::SHGetMalloc(&m_pMalloc)))
            m_pMalloc = nullptr;
    }
    ~ShellAllocator() {
        if (m_pMalloc != nullptr)
            m_pMalloc->Release();
    }
    ShellAllocator(const ShellAllocator&) = delete;
    ShellAllocator& operator=(const ShellAllocator&) = delete;

    bool IsAvailable() const { return m_pMalloc != nullptr; }
    void Free(void* block) { m_pMalloc->Free(block); }

private:
    IMalloc* m_pMalloc = nullptr;
};

void CopyToPathBuffer(const std::string& text, char (&buffer)[MAX_PATH]) {
    const size_t length = text.size() < MAX_PATH ? text.size() : MAX_PATH - 1;
    text.copy(buffer, length);
    buffer[length] = '\0';
}
} // namespace

const MessageMap& CChooserHookWnd::GetMessageMap() const {
    static const MessageMapEntry entries[] = {
        MapCommand<BN_CLICKED, IDOK, &CChooserHookWnd::OnChooserOK>(),
        MapCommand<EN_CHANGE, IDC_CHOOSER_EDIT, &CChooserHookWnd::OnChooserEditChange>(),
    };
    static const MessageMap map(&CWnd::GetMessageMap(), entries);
    return map;
}

void CChooserHookWnd::OnChooserOK() {
    m_pChooser->OnChooserOK();
}

void CChooserHookWnd::OnChooserEditChange() {
    m_pChooser->OnChooserEditChange();
}

CFolderChooser::CFolderChooser(const char* title, const char* prompt, const char* initialDir,
                               CWnd* parent)
    : m_pszTitle(title), m_pszInitialDir(initialDir), m_hOwner(AfxGetSafeOwner(parent)) {
    m_wndHook.m_pChooser = this;
    m_bi.hwndOwner = m_hOwner;
    m_bi.pidlRoot = nullptr;
    m_bi.pszDisplayName = nullptr;
    m_bi.lpszTitle = prompt;
    m_bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
    m_bi.lpfn = &CFolderChooser::BrowseCallback;
}

INT_PTR CFolderChooser::DoModal() {
    m_bi.lParam = reinterpret_cast<LPARAM>(this);
    m_bi.pszDisplayName = m_szDisplayName;

    const ComApartment apartment;
    ShellAllocator allocator;
    if (!allocator.IsAvailable())
        return -1;
    m_bAccepted = false;
    // The shell's own answer is not used: only the chooser's OK accepts a folder.
    if (LPITEMIDLIST item = ::SHBrowseForFolderA(&m_bi))
        allocator.Free(item);
    m_hDlg = nullptr;
    return m_bAccepted ? IDOK : -1;
}

int CALLBACK CFolderChooser::BrowseCallback(HWND hWnd, UINT notification, LPARAM data,
                                            LPARAM chooser) {
    auto* self = reinterpret_cast<CFolderChooser*>(chooser);
    try {
        if (notification == BFFM_INITIALIZED)
            self->OnInitialized(hWnd);
        else if (notification == BFFM_SELCHANGED)
            self->OnSelectionChanged(reinterpret_cast<LPCITEMIDLIST>(data));
    } catch (...) {
        // The shell calls back through its own code: nothing may unwind through it.
    }
    return 0;
}

void CFolderChooser::OnInitialized(HWND hWnd) {
    m_hDlg = hWnd;
    if (m_pszTitle != nullptr)
        ::SetWindowTextA(hWnd, m_pszTitle);
    m_wndHook.SubclassWindow(hWnd);
    ::ShowWindow(::GetDlgItem(hWnd, IDC_CHOOSER_STATUS), SW_HIDE);

    // The path box takes the status line's place, just above the folder tree and as
    // wide as it: an edit box of one line of the dialog's font (23 pixels with its
    // border), 4 pixels clear of the tree.
    constexpr int kGapAboveTree = 4;
    constexpr int kPathBoxHeight = 23;
    RECT tree{};
    ::GetWindowRect(::GetDlgItem(hWnd, IDC_CHOOSER_TREE), &tree);
    RECT edit{tree.left, tree.top - kGapAboveTree - kPathBoxHeight, tree.right,
              tree.top - kGapAboveTree};
    ::MapWindowPoints(nullptr, hWnd, reinterpret_cast<POINT*>(&edit), 2);
    HWND box = ::CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, edit.left,
                                 edit.top, edit.right - edit.left, edit.bottom - edit.top, hWnd,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_CHOOSER_EDIT)),
                                 ::GetModuleHandleA(nullptr), nullptr);
    ::SendMessageA(box, WM_SETFONT, static_cast<WPARAM>(::SendMessageA(hWnd, WM_GETFONT, 0, 0)),
                   TRUE);

    const std::string current = m_pszInitialDir == nullptr ? GetCurrentDir() : std::string();
    const char* selection = m_pszInitialDir != nullptr ? m_pszInitialDir : current.c_str();
    ::SendMessageA(hWnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(selection));
}

void CFolderChooser::OnSelectionChanged(LPCITEMIDLIST item) {
    char path[MAX_PATH] = "";
    const bool isFolder = item != nullptr && ::SHGetPathFromIDListA(item, path);
    if (!isFolder)
        path[0] = '\0';
    ::SendMessageA(m_hDlg, BFFM_ENABLEOK, 0, isFolder ? TRUE : FALSE);
    ::SendMessageA(m_hDlg, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(path));
    ::SetDlgItemTextA(m_hDlg, IDC_CHOOSER_EDIT, path);
}

std::string CFolderChooser::ReadEdit() const {
    return WindowText(::GetDlgItem(m_hDlg, IDC_CHOOSER_EDIT));
}

void CFolderChooser::OnChooserOK() {
    // The whole text is judged: a path too long for the buffer is reported as invalid,
    // never cut short into another folder's name.
    const std::string typed = ReadEdit();
    CopyToPathBuffer(typed.size() < MAX_PATH ? typed : std::string(), m_szPath);
    // The plug-ins go into the place's destination: a place Install would have to
    // refuse is refused here.
    if (EnsureFolder(typed, FolderCreation::AskFirst, kDestinationRoom) != kFolderReady) {
        ::SetFocus(::GetDlgItem(m_hDlg, IDC_CHOOSER_EDIT));
        return;
    }
    m_bAccepted = true;
    ::EndDialog(m_hDlg, IDOK);
}

void CFolderChooser::OnChooserEditChange() {
    const std::string typed = ReadEdit();
    CopyToPathBuffer(typed, m_szPath);
    ::SendMessageA(m_hDlg, BFFM_ENABLEOK, 0, typed.empty() ? FALSE : TRUE);
}
