#pragma once
// CDialog runs a dialog template modally. The object is tied to its window on the
// first message the dialog procedure sees (an owner-drawn list box measures its rows
// before WM_INITDIALOG); from then on the dialog procedure looks every message up in
// the message map, and the dialog manager does whatever the map does not handle.
#include "framework/Wnd.h"

class CDataExchange;

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // IDOK, IDCANCEL or whatever EndDialog was given; -1 when the dialog could not
    // be created.
    INT_PTR DoModal();
    void EndDialog(int result);

    // true: controls into members; false: members into controls. False when a
    // control the exchange names is missing.
    bool UpdateData(bool saveAndValidate = true);

protected:
    const MessageMap& GetMessageMap() const override;

    // Writes the members into the controls (binding them on the way); returning
    // true lets the dialog manager give the focus to the first tab stop.
    virtual BOOL OnInitDialog();
    // Reads the controls into the members and ends the dialog with IDOK.
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX);

    // F1: the Help command goes to the application, as no dialog of the program
    // handles it.
    void OnHelpInfo();

    // Called by a handler: the message it is handling goes on to the dialog manager's
    // own handling, as if the map had no entry for it.
    void Default();

    CWnd* m_pParentWnd;

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleInitDialog();
    bool TemplateAsksForCentring() const;
    void CenterWindow();

    UINT m_nIDTemplate;
    bool m_bNotHandled = false;
};
