#pragma once
// CDialog runs a dialog template modally. The object is tied to its window on the
// first message the dialog procedure sees (an owner-drawn list box measures its rows
// before WM_INITDIALOG), and from then on the dialog window is a subclassed CWnd:
// its message map sees every message, the dialog manager does the rest.
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

    CWnd* m_pParentWnd;

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleInitDialog();
    bool TemplateAsksForCentring() const;
    void CenterWindow();

    UINT m_nIDTemplate;
};
