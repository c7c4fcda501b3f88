#include "ui/CheckListAccessible.h"

#include "framework/CheckListBox.h"
#include "ui/Accessibility.h"

namespace {
// A screen reader may hold the object after the list has gone.
constexpr HRESULT kListGone = CO_E_OBJNOTCONNECTED;
} // namespace

CCheckListAccessible::CCheckListAccessible(CCheckListBox* list, IAccessible* standard)
    : CAccessibleProxy(list->m_hWnd, standard), m_pList(list) {}

CCheckListBox* CCheckListAccessible::List() const {
    // Compared, never followed: the window leads to the list only while both live.
    return CWnd::FromHandlePermanent(m_hWnd) == m_pList ? m_pList : nullptr;
}

int CCheckListAccessible::Row(const VARIANT& child) const {
    const LONG id = ChildId(child);
    const CCheckListBox* list = List();
    if (list == nullptr || id < 1 || id > list->GetCount())
        return -1;
    return static_cast<int>(id - 1);
}

bool CCheckListAccessible::RowAvailable(int row) const {
    return List()->IsWindowEnabled() && List()->IsEnabled(row);
}

HRESULT CCheckListAccessible::get_accChildCount(LONG* count) {
    if (List() == nullptr)
        return kListGone;
    *count = List()->GetCount();
    return S_OK;
}

HRESULT CCheckListAccessible::get_accChild(VARIANT child, IDispatch** object) {
    // Rows are simple elements, read through the list by their child ids.
    *object = nullptr;
    return Row(child) >= 0 ? S_FALSE : E_INVALIDARG;
}

HRESULT CCheckListAccessible::get_accName(VARIANT child, BSTR* name) {
    if (ChildId(child) == CHILDID_SELF)
        return CAccessibleProxy::get_accName(child, name);
    const int row = Row(child);
    if (row < 0)
        return E_INVALIDARG;
    *name = AllocAccessibleString(List()->GetText(row));
    return *name != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT CCheckListAccessible::get_accRole(VARIANT child, VARIANT* role) {
    if (ChildId(child) == CHILDID_SELF)
        return CAccessibleProxy::get_accRole(child, role);
    if (Row(child) < 0)
        return E_INVALIDARG;
    SetChildId(role, ROLE_SYSTEM_CHECKBUTTON);
    return S_OK;
}

HRESULT CCheckListAccessible::get_accState(VARIANT child, VARIANT* state) {
    if (ChildId(child) == CHILDID_SELF)
        return CAccessibleProxy::get_accState(child, state);
    const int row = Row(child);
    if (row < 0)
        return E_INVALIDARG;
    const CCheckListBox* list = List();
    LONG bits = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
    const int check = list->GetCheck(row);
    bits |= check == 1 ? STATE_SYSTEM_CHECKED : check == 2 ? STATE_SYSTEM_MIXED : 0;
    if (!RowAvailable(row))
        bits |= STATE_SYSTEM_UNAVAILABLE;
    if (list->SendMessage(LB_GETSEL, static_cast<WPARAM>(row)) > 0)
        bits |= STATE_SYSTEM_SELECTED;
    if (::GetFocus() == m_hWnd && list->SendMessage(LB_GETCARETINDEX) == row)
        bits |= STATE_SYSTEM_FOCUSED;
    const RECT rect = list->GetItemRect(row);
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    if (rect.top >= client.bottom || rect.bottom <= client.top)
        bits |= STATE_SYSTEM_OFFSCREEN;
    SetChildId(state, bits);
    return S_OK;
}

HRESULT CCheckListAccessible::get_accFocus(VARIANT* child) {
    const CCheckListBox* list = List();
    if (list == nullptr)
        return kListGone;
    if (::GetFocus() != m_hWnd) {
        child->vt = VT_EMPTY;
        return S_FALSE;
    }
    const auto caret = static_cast<int>(list->SendMessage(LB_GETCARETINDEX));
    SetChildId(child, caret >= 0 && caret < list->GetCount() ? caret + 1 : CHILDID_SELF);
    return S_OK;
}

HRESULT CCheckListAccessible::get_accSelection(VARIANT* children) {
    const CCheckListBox* list = List();
    if (list == nullptr)
        return kListGone;
    const int selected = list->GetCurSel();
    if (selected < 0) {
        children->vt = VT_EMPTY;
        return S_FALSE;
    }
    SetChildId(children, selected + 1);
    return S_OK;
}

HRESULT CCheckListAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    if (ChildId(child) == CHILDID_SELF)
        return CAccessibleProxy::get_accDefaultAction(child, action);
    const int row = Row(child);
    if (row < 0)
        return E_INVALIDARG;
    // A row that cannot be ticked now has no action to offer.
    *action = nullptr;
    if (!RowAvailable(row))
        return S_FALSE;
    *action = AllocAccessibleString(List()->GetCheck(row) == 0 ? "Check" : "Uncheck");
    return *action != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT CCheckListAccessible::accDoDefaultAction(VARIANT child) {
    if (ChildId(child) == CHILDID_SELF)
        return CAccessibleProxy::accDoDefaultAction(child);
    const int row = Row(child);
    if (row < 0)
        return E_INVALIDARG;
    if (!RowAvailable(row))
        return DISP_E_MEMBERNOTFOUND;
    List()->Toggle(row);
    // A click also selects the row, which redraws it whole; here nothing else would
    // show the tick in the row's text part.
    List()->InvalidateRow(row);
    return S_OK;
}

HRESULT CCheckListAccessible::accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) {
    if (ChildId(child) == CHILDID_SELF)
        return CAccessibleProxy::accLocation(left, top, width, height, child);
    const int row = Row(child);
    if (row < 0)
        return E_INVALIDARG;
    RECT rect = List()->GetItemRect(row);
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    *left = rect.left;
    *top = rect.top;
    *width = rect.right - rect.left;
    *height = rect.bottom - rect.top;
    return S_OK;
}

HRESULT CCheckListAccessible::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
    const CCheckListBox* list = List();
    if (list == nullptr)
        return kListGone;
    const LONG count = list->GetCount();
    const LONG from = ChildId(start);
    LONG to = 0;
    if (from == CHILDID_SELF && direction == NAVDIR_FIRSTCHILD)
        to = count > 0 ? 1 : 0;
    else if (from == CHILDID_SELF && direction == NAVDIR_LASTCHILD)
        to = count;
    else if (from == CHILDID_SELF)
        return CAccessibleProxy::accNavigate(direction, start, end);
    else if (Row(start) < 0)
        return E_INVALIDARG;
    else if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN)
        to = from < count ? from + 1 : 0;
    else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP)
        to = from - 1;
    end->vt = VT_EMPTY;
    if (to == 0)
        return S_FALSE;
    SetChildId(end, to);
    return S_OK;
}

HRESULT CCheckListAccessible::accHitTest(LONG x, LONG y, VARIANT* child) {
    const HRESULT result = CAccessibleProxy::accHitTest(x, y, child);
    if (result != S_OK || child->vt != VT_I4 || child->lVal != CHILDID_SELF || List() == nullptr)
        return result;
    POINT point{x, y};
    ::ScreenToClient(m_hWnd, &point);
    const LRESULT hit = List()->SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    if (HIWORD(hit) == 0)
        SetChildId(child, static_cast<LONG>(LOWORD(hit)) + 1);
    return S_OK;
}
