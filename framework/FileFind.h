#pragma once
// Lists the entries of a folder that match a pattern such as C:\Dir\*.8bf. The usual
// loop: for (bool more = find.FindFile(p); more;) { more = find.FindNextFile(); ... }
// FindNextFile moves to the next entry and tells whether another one follows it.
#include "framework/Win32.h"

#include <string>

class CFileFind {
public:
    CFileFind() = default;
    ~CFileFind();
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    bool FindFile(const std::string& pattern);
    bool FindNextFile();
    void Close();

    std::string GetFileName() const;
    // The folder of the pattern, a separator and the entry's name.
    std::string GetFilePath() const;
    bool IsDirectory() const;
    bool IsDots() const;

private:
    HANDLE m_hFind = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA m_next{};
    WIN32_FIND_DATAA m_found{};
    bool m_bHasNext = false;
    bool m_bHasFound = false;
    std::string m_strRoot;
};
