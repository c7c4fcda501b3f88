#pragma once
// Lists the entries of a folder that match a pattern such as C:\Dir\*.txt. The usual
// loop: for (bool more = find.FindFile(p); more;) { more = find.FindNextFile(); ... }
// FindNextFile moves to the next entry and tells whether another one follows it.
#include "framework/Text.h"
#include "framework/Win32.h"

#include <string>

class CFileFind {
public:
    CFileFind() = default;
    ~CFileFind();
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    // Wide text: entries are named as they are, whatever the code page holds.
    bool FindFile(const WideString& pattern);
    bool FindNextFile();
    void Close();

    WideString GetFileName() const;
    // The folder of the pattern, a separator and the entry's name.
    WideString GetFilePath() const;
    bool IsDirectory() const;
    bool IsDots() const;

private:
    HANDLE m_hFind = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW m_next{};
    WIN32_FIND_DATAW m_found{};
    bool m_bHasNext = false;
    bool m_bHasFound = false;
    WideString m_strRoot;
};
