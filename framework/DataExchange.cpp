#include "framework/DataExchange.h"

#include "framework/Dialog.h"

HWND CDataExchange::PrepareCtrl(int id) {
    HWND control = m_pDlgWnd->GetDlgItem(id);
    if (control == nullptr)
        m_bFailed = true;
    return control;
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
    if (control.m_hWnd != nullptr)
        return;
    HWND hWnd = pDX->PrepareCtrl(id);
    if (hWnd != nullptr)
        control.SubclassWindow(hWnd);
}

void DDX_Radio(CDataExchange* pDX, int id, int& value) {
    HWND control = pDX->PrepareCtrl(id);
    if (control == nullptr)
        return;
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int position = 0;
    do {
        if (::SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessageA(control, BM_GETCHECK, 0, 0) != BST_UNCHECKED)
                    value = position;
            } else {
                ::SendMessageA(control, BM_SETCHECK,
                               position == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            ++position;
        }
        control = ::GetWindow(control, GW_HWNDNEXT);
    } while (control != nullptr && (::GetWindowLongPtrA(control, GWL_STYLE) & WS_GROUP) == 0);
}

void DDX_Text(CDataExchange* pDX, int id, std::string& value) {
    HWND control = pDX->PrepareCtrl(id);
    if (control == nullptr)
        return;
    if (!pDX->m_bSaveAndValidate) {
        ::SetWindowTextA(control, value.c_str());
        return;
    }
    value = WindowText(control);
}
