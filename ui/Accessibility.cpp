#include "ui/Accessibility.h"

#include "framework/Text.h"

namespace {
// The calls taken from the system's libraries. Each is found by name in a library
// loaded by its full path in the system folder, never by a search.
struct AccessibilityLibrary {
    HRESULT(WINAPI* createStdAccessibleObject)(HWND, LONG, REFIID, void**) = nullptr;
    LRESULT(WINAPI* lresultFromObject)(REFIID, WPARAM, LPUNKNOWN) = nullptr;
    // The property service's class, made without asking the registry which library
    // serves it.
    HRESULT(WINAPI* getClassObject)(REFCLSID, REFIID, void**) = nullptr;
    BSTR(WINAPI* sysAllocStringLen)(const OLECHAR*, UINT) = nullptr;
};

HMODULE LoadSystemLibrary(const char* name) {
    char folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    return ::LoadLibraryA((std::string(folder, length) + "\\" + name).c_str());
}

template <class Function> void Find(HMODULE module, const char* name, Function& function) {
    if (module != nullptr)
        function =
            reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

const AccessibilityLibrary* Library() {
    static const AccessibilityLibrary library = [] {
        AccessibilityLibrary found;
        HMODULE oleacc = LoadSystemLibrary("oleacc.dll");
        // The strings a screen reader takes over come from the automation library,
        // which the program does not import either.
        HMODULE oleaut = oleacc != nullptr ? LoadSystemLibrary("oleaut32.dll") : nullptr;
        Find(oleacc, "CreateStdAccessibleObject", found.createStdAccessibleObject);
        Find(oleacc, "LresultFromObject", found.lresultFromObject);
        Find(oleacc, "DllGetClassObject", found.getClassObject);
        Find(oleaut, "SysAllocStringLen", found.sysAllocStringLen);
        return found;
    }();
    const bool complete = library.createStdAccessibleObject != nullptr &&
                          library.lresultFromObject != nullptr &&
                          library.sysAllocStringLen != nullptr;
    return complete ? &library : nullptr;
}
} // namespace

IAccessible* CreateStdAccessible(HWND hWnd) {
    const AccessibilityLibrary* library = Library();
    IAccessible* object = nullptr;
    if (library == nullptr ||
        FAILED(library->createStdAccessibleObject(hWnd, OBJID_CLIENT, IID_IAccessible,
                                                  reinterpret_cast<void**>(&object))))
        return nullptr;
    return object;
}

LRESULT AnswerGetObject(WPARAM wParam, IAccessible* object) {
    const AccessibilityLibrary* library = Library();
    if (library == nullptr || object == nullptr)
        return 0;
    // A screen reader's calls then come through this thread's message loop, on the
    // thread that owns the windows they read. Never left: the reader may hold the
    // objects until the program ends.
    static const HRESULT apartment = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    (void)apartment;
    const LRESULT result = library->lresultFromObject(IID_IAccessible, wParam, object);
    return result > 0 ? result : 0;
}

BSTR AllocAccessibleString(const std::string& text) {
    const AccessibilityLibrary* library = Library();
    if (library == nullptr)
        return nullptr;
    const WideString wide = ToWide(text);
    return library->sysAllocStringLen(wide.c_str(), static_cast<UINT>(wide.size()));
}

bool SetAccessibleNameProperty(HWND control, const std::string& name) {
    const AccessibilityLibrary* library = Library();
    if (library == nullptr || library->getClassObject == nullptr)
        return false;
    IClassFactory* factory = nullptr;
    if (FAILED(library->getClassObject(CLSID_AccPropServices, IID_IClassFactory,
                                       reinterpret_cast<void**>(&factory))))
        return false;
    IAccPropServices* services = nullptr;
    HRESULT result =
        factory->CreateInstance(nullptr, IID_IAccPropServices, reinterpret_cast<void**>(&services));
    factory->Release();
    if (FAILED(result))
        return false;
    result = services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                      PROPID_ACC_NAME, ToWide(name).c_str());
    services->Release();
    return SUCCEEDED(result);
}
