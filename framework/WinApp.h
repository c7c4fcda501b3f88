#pragma once
// The application object: one global instance, constructed before the entry point
// runs. The entry point calls InitInstance; a dialog program does all its work there,
// and the process ends when it returns.
#include "framework/MessageMap.h"
#include "framework/Text.h"
#include "framework/Win32.h"

#include <string>

class CWnd;

// The command of F1 in a dialog, as the application gets it.
constexpr UINT ID_HELP = 0xE146;

class CWinApp : public CCmdTarget {
public:
    CWinApp();
    ~CWinApp() override;

    virtual BOOL InitInstance();

    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;

protected:
    // The default handler of the Help command. The installer ships no help file, and a
    // file beside it is not one to open with its elevated rights: anyone may have put
    // it there. So help shows nothing, and says nothing either.
    void OnHelp() {}
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetResourceHandle();

// The executable's path, by its real name, however long; empty when it cannot be read.
const WideString& AfxGetExecutablePath();

// The executable's base name: the caption of every message box.
const WideString& AfxGetAppName();

// The window that should own a new modal window: the nearest window that is not a
// child, starting from parent; with no parent, the last active pop-up of the main
// window. Null when there is none.
HWND AfxGetSafeOwner(CWnd* parent);

// The application's message box: owned by the application's active window, captioned
// with the application's name. A box that asks for OK, OK/Cancel, Yes/No or
// Yes/No/Cancel and no icon gets the exclamation icon.
int AfxMessageBox(const std::string& text, UINT type = MB_OK);
// The same for a text that names things the code page cannot hold, such as files.
// Every box is shown in UTF-16, so the caption is the executable's real name.
int AfxMessageBox(const WideString& text, UINT type = MB_OK);
