#include "framework/AccessibleName.h"

#include "framework/Accessibility.h"
#include "framework/AccessibleProxy.h"

namespace {
// The system's object for the control under another name.
class CNamedAccessible : public CAccessibleProxy {
public:
    CNamedAccessible(HWND hWnd, IAccessible* standard, const std::string& name)
        : CAccessibleProxy(hWnd, standard), m_strName(name) {}

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (ChildId(child) != CHILDID_SELF)
            return CAccessibleProxy::get_accName(child, name);
        *name = AllocAccessibleString(m_strName);
        return *name != nullptr ? S_OK : E_OUTOFMEMORY;
    }

private:
    const std::string m_strName;
};
} // namespace

void CAccessibleName::Attach(HWND control, const std::string& name) {
    if (control == nullptr || SetAccessibleNameProperty(control, name))
        return;
    m_strName = name;
    SubclassWindow(control);
}

LRESULT CAccessibleName::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
        if (IAccessible* standard = CreateStdAccessible(m_hWnd)) {
            auto* named = new CNamedAccessible(m_hWnd, standard, m_strName);
            const LRESULT answer = AnswerGetObject(wParam, named);
            named->Release();
            if (answer != 0)
                return answer;
        }
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
