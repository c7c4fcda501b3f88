#pragma once
// Dialog data exchange: DoDataExchange lists, in the dialog's order, which member goes
// with which control; the same list runs in both directions.
#include "framework/Win32.h"

#include <string>

class CDialog;
class CWnd;

class CDataExchange {
public:
    CDataExchange(CDialog* dialog, bool saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    // The control with this id; marks the exchange failed when there is none.
    HWND PrepareCtrl(int id);

    bool m_bSaveAndValidate;
    CDialog* m_pDlgWnd;
    bool m_bFailed = false;
};

// Binds the control object to the dialog's control the first time; nothing else.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);

// A group of radio buttons starting at id (the button with WS_GROUP) and ending before
// the next control that starts a group. Only radio buttons count: writing checks the
// button whose position equals value and clears the others; reading gives the
// position of the checked button, or -1 when none is checked.
void DDX_Radio(CDataExchange* pDX, int id, int& value);

// The text of a control and a string, whole.
void DDX_Text(CDataExchange* pDX, int id, std::string& value);
