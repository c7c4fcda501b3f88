#include "registry/RegistryKey.h"

#include "framework/Text.h"

namespace {
// The values read are host folders, which must leave room for the sub-folder below
// them within MAX_PATH; a value longer than this is no usable folder and reads as
// absent.
constexpr DWORD kValueBufferSize = 200;
constexpr DWORD kKeyNameBufferSize = MAX_PATH;

void CloseKey(HKEY& key) {
    if (key != nullptr) {
        ::RegCloseKey(key);
        key = nullptr;
    }
}
} // namespace

CRegistryKey::~CRegistryKey() {
    Close();
    CloseKey(m_hList);
}

LONG CRegistryKey::Open(HKEY root, const char* subKey, const char* part2, const char* part3) {
    std::string path = subKey != nullptr ? subKey : "";
    for (const char* part : {part2, part3}) {
        if (part != nullptr && *part != '\0') {
            path += '\\';
            path += part;
        }
    }
    // A key beneath the one last listed is opened from it: only its own levels are
    // looked up.
    HKEY parent = root;
    if (m_hList != nullptr && root == m_listRoot && path.size() > m_listPath.size() &&
        path.compare(0, m_listPath.size(), m_listPath) == 0) {
        parent = m_hList;
        path.erase(0, m_listPath.size());
    }
    HKEY key = nullptr;
    const LONG status = ::RegOpenKeyExA(parent, path.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &key);
    m_hKey = status == ERROR_SUCCESS ? key : nullptr;
    return status;
}

void CRegistryKey::Close() {
    CloseKey(m_hKey);
}

LONG CRegistryKey::QueryString(const char* valueName, std::string& result,
                               const char* defaultValue) {
    char buffer[kValueBufferSize];
    DWORD size = kValueBufferSize;
    const LONG status = ::RegQueryValueExA(m_hKey, valueName, nullptr, nullptr,
                                           reinterpret_cast<BYTE*>(buffer), &size);
    // A longer value fails with ERROR_MORE_DATA: success means it fitted.
    if (status != ERROR_SUCCESS) {
        result = defaultValue != nullptr ? defaultValue : "";
        return status;
    }
    // The data need not end in a NUL (any type, any bytes): never read past its length.
    size_t length = 0;
    while (length < size && buffer[length] != '\0')
        ++length;
    result.assign(buffer, length);
    return status;
}

LONG CRegistryKey::QueryWideString(const char* valueName, WideString& result) {
    result.clear();
    wchar_t buffer[kValueBufferSize];
    DWORD size = sizeof(buffer);
    DWORD type = REG_NONE;
    const LONG status =
        ::RegQueryValueExW(m_hKey, ToWide(valueName != nullptr ? valueName : "").c_str(), nullptr,
                           &type, reinterpret_cast<BYTE*>(buffer), &size);
    if (status != ERROR_SUCCESS)
        return status;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return ERROR_UNSUPPORTED_TYPE;
    size_t length = 0;
    while (length < size / sizeof(wchar_t) && buffer[length] != L'\0')
        ++length;
    const WideString text(buffer, length);
    if (type == REG_SZ) {
        result = text;
        return ERROR_SUCCESS;
    }
    // Only a REG_EXPAND_SZ names variables: in a REG_SZ a % sign is part of the name.
    wchar_t expanded[kValueBufferSize];
    const DWORD needed = ::ExpandEnvironmentStringsW(text.c_str(), expanded, kValueBufferSize);
    if (needed == 0 || needed > kValueBufferSize)
        return ERROR_MORE_DATA;
    result.assign(expanded, needed - 1);
    return ERROR_SUCCESS;
}

std::string CRegistryKey::GetString(const char* valueName, const char* defaultValue) {
    std::string result;
    QueryString(valueName, result, defaultValue);
    return result;
}

LONG CRegistryKey::EnumSubkeys(HKEY root, const char* subKey, std::vector<std::string>& names) {
    CloseKey(m_hList);
    const LONG status = Open(root, subKey);
    if (status != ERROR_SUCCESS)
        return status;
    names.clear();
    char buffer[kKeyNameBufferSize];
    for (DWORD index = 0; ::RegEnumKeyA(m_hKey, index, buffer, kKeyNameBufferSize) == ERROR_SUCCESS;
         ++index)
        names.emplace_back(buffer);
    // Kept for the keys the caller opens beneath it next, no longer as the open key.
    m_hList = m_hKey;
    m_listRoot = root;
    m_listPath = std::string(subKey != nullptr ? subKey : "") + '\\';
    m_hKey = nullptr;
    return ERROR_SUCCESS;
}
