#pragma once
// A read-only hold on one registry key. Keys are opened in the 32-bit view of the
// registry whichever build runs: the plug-in hosts this installer serves are 32-bit
// programs and register there, and the 64-bit build must see what the shipped 32-bit
// build sees.
#include "framework/Text.h"
#include "framework/Win32.h"

#include <string>
#include <vector>

class CRegistryKey {
public:
    CRegistryKey() = default;
    virtual ~CRegistryKey();
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    // Opens root\subKey[\part2[\part3]]; a null or empty part is left out. Returns the
    // registry status (ERROR_SUCCESS when open). Does not close a key already open.
    LONG Open(HKEY root, const char* subKey, const char* part2 = nullptr,
              const char* part3 = nullptr);
    void Close();

    // Reads a value of up to 200 bytes as text, up to its first NUL. On any failure,
    // a longer value included, result is the default text.
    LONG QueryString(const char* valueName, std::string& result, const char* defaultValue);
    std::string GetString(const char* valueName, const char* defaultValue);

    // Reads a text value by its real characters, whatever the code page holds: a
    // REG_SZ as it is, a REG_EXPAND_SZ with its environment variables expanded. Up to
    // 199 characters, expanded or not, as for QueryString. Any other type, a longer
    // text or a failure gives a status other than ERROR_SUCCESS and an empty result.
    LONG QueryWideString(const char* valueName, WideString& result);

    // The names of all direct sub-keys, in the registry's order. When the key cannot
    // be opened, names is left as it was and the open's status returned; an error
    // while listing ends the list early and still counts as success. The listed key
    // stays held until the next listing, for the Open of a key beneath it.
    LONG EnumSubkeys(HKEY root, const char* subKey, std::vector<std::string>& names);

    HKEY m_hKey = nullptr;

private:
    // The key last listed: a key named beneath it (root\subKey\part2...) is opened
    // from it in one step. Where a 64-bit process reads the 32-bit view, each level of a
    // path from the root can be a lookup of its own: with many hosts registered,
    // opening every one from the root costs several times as much.
    HKEY m_hList = nullptr;
    HKEY m_listRoot = nullptr;
    std::string m_listPath;
};
