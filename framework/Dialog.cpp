#include "framework/Dialog.h"

#include "framework/DataExchange.h"
#include "framework/WinApp.h"

namespace {
// The dialog whose DoModal is creating its window. Dialogs are made on the one
// user-interface thread; they nest (another dialog from a handler), but each creation
// finishes before the next starts, so one slot is enough.
CDialog* g_dialogBeingCreated = nullptr;

// The parts of a dialog template's header that decide where the dialog goes.
struct TemplatePlacement {
    DWORD style;
    short x;
    short y;
};

bool ReadTemplatePlacement(UINT templateId, TemplatePlacement* placement) {
    HINSTANCE instance = AfxGetResourceHandle();
    HRSRC resource = ::FindResourceA(instance, MAKEINTRESOURCEA(templateId), RT_DIALOG);
    HGLOBAL loaded = resource != nullptr ? ::LoadResource(instance, resource) : nullptr;
    const auto* bytes =
        static_cast<const BYTE*>(loaded != nullptr ? ::LockResource(loaded) : nullptr);
    if (bytes == nullptr)
        return false;
    const auto* words = reinterpret_cast<const WORD*>(bytes);
    if (words[0] == 1 && words[1] == 0xFFFF) {
        // DLGTEMPLATEEX: version, signature, help id, extended style, style, count, x, y
        placement->style = *reinterpret_cast<const DWORD*>(bytes + 12);
        placement->x = *reinterpret_cast<const short*>(bytes + 18);
        placement->y = *reinterpret_cast<const short*>(bytes + 20);
    } else {
        const auto* header = reinterpret_cast<const DLGTEMPLATE*>(bytes);
        placement->style = header->style;
        placement->x = header->x;
        placement->y = header->y;
    }
    return true;
}
} // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : m_pParentWnd(parent), m_nIDTemplate(templateId) {}

const MessageMap& CDialog::GetMessageMap() const {
    // OK and Cancel (also Enter, Esc and the close box) reach the virtual
    // operations, so a dialog class changes them by overriding, not by mapping.
    static const MessageMapEntry entries[] = {
        MapCommand<BN_CLICKED, IDOK, &CDialog::OnOK>(),
        MapCommand<BN_CLICKED, IDCANCEL, &CDialog::OnCancel>(),
        MapMessage<WM_HELP, &CDialog::OnHelpInfo>(),
    };
    static const MessageMap map(&CWnd::GetMessageMap(), entries);
    return map;
}

INT_PTR CDialog::DoModal() {
    HWND owner = AfxGetSafeOwner(m_pParentWnd);
    CDialog* outer = g_dialogBeingCreated;
    g_dialogBeingCreated = this;
    INT_PTR result = ::DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate),
                                       owner, &CDialog::DialogProc, 0);
    g_dialogBeingCreated = outer;
    return result;
}

void CDialog::EndDialog(int result) {
    ::EndDialog(m_hWnd, result);
}

// Every message of the dialog is dispatched here, once: the dialog manager calls this
// procedure first and does its own handling of whatever it answers FALSE to.
INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* dialog = static_cast<CDialog*>(FromHandlePermanent(hWnd));
    if (dialog == nullptr) {
        dialog = g_dialogBeingCreated;
        if (dialog == nullptr || !dialog->Attach(hWnd))
            return FALSE;
        g_dialogBeingCreated = nullptr;
    }
    if (message == WM_NCDESTROY) {
        // The window's last message: nothing may reach the object after it.
        dialog->Detach();
        return FALSE;
    }
    try {
        return dialog->OnDialogMessage(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the system's code; the only exception that can
        // reach here is an allocation failure, and the message is then left to the
        // dialog manager.
        return FALSE;
    }
}

INT_PTR CDialog::OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG)
        return HandleInitDialog();
    // A handler may run a modal loop (the About box) in which other messages are
    // dispatched: each keeps its own answer.
    const bool outer = m_bNotHandled;
    m_bNotHandled = false;
    LRESULT result = 0;
    const bool handled = Dispatch(message, wParam, lParam, &result) && !m_bNotHandled;
    m_bNotHandled = outer;
    if (!handled)
        return FALSE;
    // The few messages whose answer a dialog procedure gives as its own result; every
    // other answer goes through the dialog's result slot.
    if ((message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) ||
        message == WM_CHARTOITEM || message == WM_COMPAREITEM || message == WM_QUERYDRAGICON ||
        message == WM_VKEYTOITEM)
        return static_cast<INT_PTR>(result);
    ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, static_cast<LONG_PTR>(result));
    return TRUE;
}

void CDialog::OnHelpInfo() {
    if (CWinApp* app = AfxGetApp())
        app->OnCmdMsg(ID_HELP);
}

void CDialog::Default() {
    m_bNotHandled = true;
}

INT_PTR CDialog::HandleInitDialog() {
    BOOL focusDefault = OnInitDialog();
    if (TemplateAsksForCentring())
        CenterWindow();
    return focusDefault;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(true))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange*) {}

bool CDialog::UpdateData(bool saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return !dx.m_bFailed;
}

bool CDialog::TemplateAsksForCentring() const {
    // A template placed at 0, 0 with no alignment style of its own means "wherever
    // suits": the dialog is centred.
    TemplatePlacement placement{};
    if (!ReadTemplatePlacement(m_nIDTemplate, &placement))
        return false;
    const DWORD alignment = DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN;
    return placement.x == 0 && placement.y == 0 && (placement.style & alignment) == 0;
}

void CDialog::CenterWindow() {
    RECT window{};
    ::GetWindowRect(m_hWnd, &window);
    RECT area{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    RECT around = area;
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (owner != nullptr && ::IsWindowVisible(owner) && !::IsIconic(owner))
        ::GetWindowRect(owner, &around);

    const LONG width = window.right - window.left;
    const LONG height = window.bottom - window.top;
    LONG left = (around.left + around.right) / 2 - width / 2;
    LONG top = (around.top + around.bottom) / 2 - height / 2;
    // Never push the dialog off the work area, whatever its owner's position.
    if (left + width > area.right)
        left = area.right - width;
    if (left < area.left)
        left = area.left;
    if (top + height > area.bottom)
        top = area.bottom - height;
    if (top < area.top)
        top = area.top;
    ::SetWindowPos(m_hWnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
