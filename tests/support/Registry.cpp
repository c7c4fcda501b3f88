#include "tests/support/Registry.h"

#include <stdexcept>

namespace {
HKEY CreateKey(HKEY root, const std::string& key, REGSAM view) {
    HKEY handle = nullptr;
    const LONG status = ::RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view,
                                          nullptr, &handle, nullptr);
    if (status != ERROR_SUCCESS)
        throw std::runtime_error("cannot create registry key " + key);
    return handle;
}
} // namespace

void SetRegString(HKEY root, const std::string& key, const char* value, const std::string& data,
                  REGSAM view) {
    SetRegValue(root, key, value, REG_SZ, std::string(data.c_str(), data.size() + 1), view);
}

void SetRegValue(HKEY root, const std::string& key, const char* value, DWORD type,
                 const std::string& bytes, REGSAM view) {
    HKEY handle = CreateKey(root, key, view);
    const LONG status =
        ::RegSetValueExA(handle, value, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                         static_cast<DWORD>(bytes.size()));
    ::RegCloseKey(handle);
    if (status != ERROR_SUCCESS)
        throw std::runtime_error("cannot set registry value in " + key);
}

void CreateRegKey(HKEY root, const std::string& key, REGSAM view) {
    ::RegCloseKey(CreateKey(root, key, view));
}

void DeleteRegTree(HKEY root, const std::string& key, REGSAM view) {
    const size_t separator = key.rfind('\\');
    const std::string parentPath =
        separator == std::string::npos ? std::string() : key.substr(0, separator);
    const std::string name = separator == std::string::npos ? key : key.substr(separator + 1);
    HKEY parent = nullptr;
    if (::RegOpenKeyExA(root, parentPath.c_str(), 0, KEY_ALL_ACCESS | view, &parent) !=
        ERROR_SUCCESS)
        return;
    ::RegDeleteTreeA(parent, name.c_str());
    ::RegDeleteKeyExA(parent, name.c_str(), view, 0);
    ::RegCloseKey(parent);
}

RegistrySandbox::RegistrySandbox(std::vector<Tree> trees) : m_trees(std::move(trees)) {
    Clear();
}

RegistrySandbox::~RegistrySandbox() {
    Clear();
}

void RegistrySandbox::Clear() {
    for (const Tree& tree : m_trees) {
        DeleteRegTree(tree.root, tree.key, kView32);
        DeleteRegTree(tree.root, tree.key, kView64);
    }
}
