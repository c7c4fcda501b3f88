#pragma once
// Keys and values written into the test prefix's real registry. A RegistrySandbox
// removes the trees it guards when it is made and again when it goes, so every test
// starts from a registry without them.
#include "framework/Win32.h"

#include <string>
#include <vector>

// The registry views: the 32-bit one is where the shipped build looks.
constexpr REGSAM kView32 = KEY_WOW64_32KEY;
constexpr REGSAM kView64 = KEY_WOW64_64KEY;

void SetRegString(HKEY root, const std::string& key, const char* value, const std::string& data,
                  REGSAM view = kView32);
void SetRegValue(HKEY root, const std::string& key, const char* value, DWORD type,
                 const std::string& bytes, REGSAM view = kView32);
void CreateRegKey(HKEY root, const std::string& key, REGSAM view = kView32);
void DeleteRegTree(HKEY root, const std::string& key, REGSAM view = kView32);

class RegistrySandbox {
public:
    struct Tree {
        HKEY root;
        std::string key;
    };
    explicit RegistrySandbox(std::vector<Tree> trees);
    ~RegistrySandbox();
    RegistrySandbox(const RegistrySandbox&) = delete;
    RegistrySandbox& operator=(const RegistrySandbox&) = delete;

private:
    void Clear();
    std::vector<Tree> m_trees;
};
