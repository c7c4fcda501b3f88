#include "ui/AccessibleName.h"

#include "ui/AccessibleProxy.h"

namespace {
// The system's object for the control under another name.
class CNamedAccessible : public CAccessibleProxy {
public:
    CNamedAccessible(HWND hWnd, const std::string& name, IAccessible* standard)
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
    if (message == WM_GETOBJECT) {
        if (LRESULT answer =
                AnswerWithProxy<CNamedAccessible>(m_hWnd, wParam, lParam, m_hWnd, m_strName))
            return answer;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
