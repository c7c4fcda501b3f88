#pragma once
// The folder chooser: the shell's browse-for-folder dialog with a path box above the
// tree, where the user picks or types the place for the plug-ins. OK accepts a folder
// only when the folder rules pass, with room below it for the destination, and, for a
// missing folder, the user agreed to create it.
#include "framework/Wnd.h"

#include <shlobj.h>

#include <string>

class CFolderChooser;

// Ids inside the shell's browse dialog the chooser relies on, and its own path box.
constexpr int IDC_CHOOSER_TREE = 14145;
constexpr int IDC_CHOOSER_STATUS = 14147;
constexpr int IDC_CHOOSER_EDIT = 14148;

// Subclasses the open browse dialog to take over its OK button and to follow the
// path box; everything else goes on to the shell's own handling.
class CChooserHookWnd : public CWnd {
public:
    CFolderChooser* m_pChooser = nullptr;

protected:
    const MessageMap& GetMessageMap() const override;

private:
    void OnChooserOK();
    void OnChooserEditChange();
};

class CFolderChooser {
public:
    // title: the dialog's caption or null; initialDir: the folder selected when it
    // opens, or null for the current directory; parent: its owner's window or null.
    CFolderChooser(const char* title, const char* prompt, const char* initialDir, CWnd* parent);
    virtual ~CFolderChooser() = default;
    CFolderChooser(const CFolderChooser&) = delete;
    CFolderChooser& operator=(const CFolderChooser&) = delete;

    // IDOK when the user accepted a folder, -1 otherwise.
    virtual INT_PTR DoModal();
    std::string GetPath() const { return m_szPath; }

private:
    friend class CChooserHookWnd;
    static int CALLBACK BrowseCallback(HWND hWnd, UINT notification, LPARAM data, LPARAM chooser);
    void OnInitialized(HWND hWnd);
    void OnSelectionChanged(LPCITEMIDLIST item);
    void OnChooserOK();
    void OnChooserEditChange();
    std::string ReadEdit() const;

    const char* m_pszTitle;
    const char* m_pszInitialDir;
    char m_szPath[MAX_PATH] = "";
    BROWSEINFOA m_bi{};
    char m_szDisplayName[MAX_PATH] = "";
    HWND m_hDlg = nullptr;
    HWND m_hOwner;
    bool m_bAccepted = false;
    CChooserHookWnd m_wndHook;
};
