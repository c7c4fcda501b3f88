#include "framework/AccessibleProxy.h"

CAccessibleProxy::CAccessibleProxy(HWND hWnd, IAccessible* standard)
    : m_hWnd(hWnd), m_pStandard(standard) {}

CAccessibleProxy::~CAccessibleProxy() {
    m_pStandard->Release();
}

HRESULT CAccessibleProxy::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr)
        return E_POINTER;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDispatch) &&
        !IsEqualIID(iid, IID_IAccessible)) {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
}

// Counted atomically: the system may release a proxy it handed over from a thread of
// its own.
ULONG CAccessibleProxy::AddRef() {
    return static_cast<ULONG>(::InterlockedIncrement(&m_nReferences));
}

ULONG CAccessibleProxy::Release() {
    const LONG left = ::InterlockedDecrement(&m_nReferences);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

HRESULT CAccessibleProxy::GetTypeInfoCount(UINT* count) {
    if (count == nullptr)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT CAccessibleProxy::GetTypeInfo(UINT, LCID, ITypeInfo**) {
    return E_NOTIMPL;
}

HRESULT CAccessibleProxy::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT CAccessibleProxy::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                 UINT*) {
    return E_NOTIMPL;
}

HRESULT CAccessibleProxy::get_accParent(IDispatch** parent) {
    return m_pStandard->get_accParent(parent);
}
HRESULT CAccessibleProxy::get_accChildCount(LONG* count) {
    return m_pStandard->get_accChildCount(count);
}
HRESULT CAccessibleProxy::get_accChild(VARIANT child, IDispatch** object) {
    return m_pStandard->get_accChild(child, object);
}
HRESULT CAccessibleProxy::get_accName(VARIANT child, BSTR* name) {
    return m_pStandard->get_accName(child, name);
}
HRESULT CAccessibleProxy::get_accValue(VARIANT child, BSTR* value) {
    return m_pStandard->get_accValue(child, value);
}
HRESULT CAccessibleProxy::get_accDescription(VARIANT child, BSTR* description) {
    return m_pStandard->get_accDescription(child, description);
}
HRESULT CAccessibleProxy::get_accRole(VARIANT child, VARIANT* role) {
    return m_pStandard->get_accRole(child, role);
}
HRESULT CAccessibleProxy::get_accState(VARIANT child, VARIANT* state) {
    return m_pStandard->get_accState(child, state);
}
HRESULT CAccessibleProxy::get_accHelp(VARIANT child, BSTR* help) {
    return m_pStandard->get_accHelp(child, help);
}
HRESULT CAccessibleProxy::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) {
    return m_pStandard->get_accHelpTopic(file, child, topic);
}
HRESULT CAccessibleProxy::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return m_pStandard->get_accKeyboardShortcut(child, shortcut);
}
HRESULT CAccessibleProxy::get_accFocus(VARIANT* child) {
    return m_pStandard->get_accFocus(child);
}
HRESULT CAccessibleProxy::get_accSelection(VARIANT* children) {
    return m_pStandard->get_accSelection(children);
}
HRESULT CAccessibleProxy::get_accDefaultAction(VARIANT child, BSTR* action) {
    return m_pStandard->get_accDefaultAction(child, action);
}
HRESULT CAccessibleProxy::accSelect(LONG flags, VARIANT child) {
    return m_pStandard->accSelect(flags, child);
}
HRESULT CAccessibleProxy::accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                      VARIANT child) {
    return m_pStandard->accLocation(left, top, width, height, child);
}
HRESULT CAccessibleProxy::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
    return m_pStandard->accNavigate(direction, start, end);
}
HRESULT CAccessibleProxy::accHitTest(LONG x, LONG y, VARIANT* child) {
    return m_pStandard->accHitTest(x, y, child);
}
HRESULT CAccessibleProxy::accDoDefaultAction(VARIANT child) {
    return m_pStandard->accDoDefaultAction(child);
}
HRESULT CAccessibleProxy::put_accName(VARIANT child, BSTR name) {
    return m_pStandard->put_accName(child, name);
}
HRESULT CAccessibleProxy::put_accValue(VARIANT child, BSTR value) {
    return m_pStandard->put_accValue(child, value);
}

LONG CAccessibleProxy::ChildId(const VARIANT& child) {
    if (child.vt == VT_EMPTY)
        return CHILDID_SELF;
    return child.vt == VT_I4 && child.lVal >= 0 ? child.lVal : -1;
}

void CAccessibleProxy::SetChildId(VARIANT* variant, LONG id) {
    variant->vt = VT_I4;
    variant->lVal = id;
}
