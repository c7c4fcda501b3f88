// The control for the planted-DLL test: a program without the installer's restricted
// DLL search loads uxtheme.dll by name. Its exit code says where the name was found:
// 0 beside this program, 1 elsewhere, 2 nowhere.
#include <windows.h>

#include <string>

int main() {
    HMODULE module = ::LoadLibraryA("uxtheme.dll");
    if (module == nullptr)
        return 2;
    char self[MAX_PATH] = "", found[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    ::GetModuleFileNameA(module, found, MAX_PATH);
    const std::string folder(self, std::string(self).rfind('\\'));
    return std::string(found).rfind(folder + "\\", 0) == 0 ? 0 : 1;
}
