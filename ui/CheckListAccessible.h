#pragma once
// A check list as a screen reader reads it: the list with its rows as children, each a
// check button named by its text, checked when ticked, unavailable when disabled, with
// the list's focus and selection; its default action ticks or clears the row as a
// click in its check box does. Everything else is the system's object for the list.
#include "ui/AccessibleProxy.h"

class CCheckListBox;

class CCheckListAccessible : public CAccessibleProxy {
public:
    CCheckListAccessible(CCheckListBox* list, IAccessible* standard);

    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override;

private:
    // The list, or null once it is gone while the reader still holds this object.
    CCheckListBox* List() const;
    // The row a child id names, or -1.
    int Row(const VARIANT& child) const;
    bool RowAvailable(int row) const;

    CCheckListBox* m_pList;
};
