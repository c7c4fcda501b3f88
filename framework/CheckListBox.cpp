#include "framework/CheckListBox.h"

#include <algorithm>
#include <vector>

namespace {
// A row's check state and enabled flag live in its item data, so they move with the
// row and need no table of their own.
constexpr LRESULT kStateMask = 0x3;
constexpr LRESULT kDisabledFlag = 0x100;
} // namespace

int CCheckListBox::AddString(const std::string& text) {
    return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

int CCheckListBox::GetCount() const {
    return static_cast<int>(SendMessage(LB_GETCOUNT));
}

int CCheckListBox::GetCurSel() const {
    return static_cast<int>(SendMessage(LB_GETCURSEL));
}

std::string CCheckListBox::GetText(int row) const {
    const LRESULT length = SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(row));
    if (length == LB_ERR)
        return std::string();
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    const LRESULT copied =
        SendMessage(LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(buffer.data()));
    return std::string(buffer.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}

void CCheckListBox::SetCheck(int row, int state) {
    const LRESULT data = SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(row));
    if (data == LB_ERR)
        return;
    SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(row),
                (data & ~kStateMask) | (state & kStateMask));
    InvalidateRow(row, true);
    if ((data & kStateMask) != (state & kStateMask))
        ::NotifyWinEvent(EVENT_OBJECT_STATECHANGE, m_hWnd, OBJID_CLIENT, row + 1);
}

int CCheckListBox::GetCheck(int row) const {
    const LRESULT data = SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(row));
    return data == LB_ERR ? 0 : static_cast<int>(data & kStateMask);
}

void CCheckListBox::Enable(int row, bool enabled) {
    const LRESULT data = SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(row));
    if (data == LB_ERR)
        return;
    SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(row),
                enabled ? (data & ~kDisabledFlag) : (data | kDisabledFlag));
    InvalidateRow(row);
}

bool CCheckListBox::IsEnabled(int row) const {
    const LRESULT data = SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(row));
    return data != LB_ERR && (data & kDisabledFlag) == 0;
}

LRESULT CCheckListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The second press of a double-click toggles again, like the first, so a
        // double-click on a check box leaves it as it was.
        OnLButtonDown(lParam);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && OnSpaceKey())
            return 0;
        break;
    case WM_CHAR:
        // The space was a toggle; as a typed character it would move the selection to
        // a row starting with a space.
        if (wParam == ' ')
            return 0;
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CCheckListBox::OnLButtonDown(LPARAM point) {
    ::SetFocus(m_hWnd);
    const LRESULT hit = SendMessage(LB_ITEMFROMPOINT, 0, point);
    const int row = HIWORD(hit) == 0 ? static_cast<int>(LOWORD(hit)) : -1;
    if (row >= 0 && !IsEnabled(row))
        return;
    if (row >= 0 && static_cast<short>(LOWORD(point)) < GetItemRect(row).left + CheckColumnWidth())
        Toggle(row);
    // Then the list's own handling of the press, which selects the row.
    Default();
}

bool CCheckListBox::OnSpaceKey() {
    // The row with the focus rectangle, which need not be the selected one.
    const int row = static_cast<int>(SendMessage(LB_GETCARETINDEX));
    if (row < 0 || row >= GetCount())
        return true;
    if (IsEnabled(row))
        Toggle(row);
    return true;
}

void CCheckListBox::Toggle(int row) {
    SetCheck(row, GetCheck(row) == 0 ? 1 : 0);
    const auto id = static_cast<WORD>(::GetDlgCtrlID(m_hWnd));
    ::SendMessageA(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(id, CLBN_CHKCHANGE),
                   reinterpret_cast<LPARAM>(m_hWnd));
}

RECT CCheckListBox::GetItemRect(int row) const {
    RECT rect{};
    if (SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect)) ==
        LB_ERR)
        return RECT{};
    return rect;
}

void CCheckListBox::InvalidateRow(int row, bool checkColumnOnly) {
    RECT rect = GetItemRect(row);
    if (checkColumnOnly)
        rect.right = std::min(rect.right, rect.left + CheckColumnWidth());
    ::InvalidateRect(m_hWnd, &rect, FALSE);
}

bool CCheckListBox::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
    if (message != WM_DRAWITEM)
        return false;
    DrawRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    *result = TRUE;
    return true;
}

void CCheckListBox::DrawRow(const DRAWITEMSTRUCT& item) {
    const int row = static_cast<int>(item.itemID);
    DRAWITEMSTRUCT textPart = item;
    textPart.rcItem.left += CheckColumnWidth();
    if (row >= 0 && (item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) != 0) {
        DrawCheckColumn(item);
        DrawItem(textPart);
    }
    if ((item.itemAction & ODA_FOCUS) != 0) {
        ::DrawFocusRect(item.hDC, &textPart.rcItem);
        AnnounceFocus((item.itemState & ODS_FOCUS) != 0 ? row : -1);
    }
}

void CCheckListBox::DrawCheckColumn(const DRAWITEMSTRUCT& item) {
    const int row = static_cast<int>(item.itemID);
    const bool enabled = IsWindowEnabled() && IsEnabled(row);
    const bool highlighted = enabled && (item.itemState & ODS_SELECTED) != 0;

    RECT column = item.rcItem;
    column.right = column.left + CheckColumnWidth();
    ::FillRect(item.hDC, &column, ::GetSysColorBrush(highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW));

    const int rowHeight = item.rcItem.bottom - item.rcItem.top;
    RECT image;
    image.left = item.rcItem.left + 1;
    image.top = item.rcItem.top + 1 + std::max(0, (rowHeight - kCheckImageSize) / 2);
    image.right = image.left + kCheckImageSize;
    image.bottom = image.top + kCheckImageSize;
    UINT state = DFCS_BUTTONCHECK | DFCS_FLAT;
    const int check = GetCheck(row);
    if (check == 1)
        state |= DFCS_CHECKED;
    else if (check == 2)
        state = DFCS_BUTTON3STATE | DFCS_CHECKED | DFCS_FLAT;
    if (!enabled)
        state |= DFCS_INACTIVE;
    ::DrawFrameControl(item.hDC, &image, DFC_BUTTON, state);
}

void CCheckListBox::AnnounceFocus(int row) {
    // The list draws the focus rectangle again whenever it repaints; only a move is news.
    if (row >= 0 && row != m_nFocusAnnounced)
        ::NotifyWinEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_CLIENT, row + 1);
    m_nFocusAnnounced = row;
}
