#include "ui/AccessibleProxy.h"

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

LONG CAccessibleProxy::ChildId(const VARIANT& child) {
    if (child.vt == VT_EMPTY)
        return CHILDID_SELF;
    return child.vt == VT_I4 && child.lVal >= 0 ? child.lVal : -1;
}

void CAccessibleProxy::SetChildId(VARIANT* variant, LONG id) {
    variant->vt = VT_I4;
    variant->lVal = id;
}
