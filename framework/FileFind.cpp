#include "framework/FileFind.h"

#include <cwchar>

CFileFind::~CFileFind() {
    Close();
}

void CFileFind::Close() {
    if (m_hFind != INVALID_HANDLE_VALUE)
        ::FindClose(m_hFind);
    m_hFind = INVALID_HANDLE_VALUE;
    m_bHasNext = false;
    m_bHasFound = false;
}

bool CFileFind::FindFile(const WideString& pattern) {
    Close();
    WideString name;
    if (!SplitAtLastSeparator(pattern, m_strRoot, name))
        m_strRoot.clear();
    m_hFind = ::FindFirstFileW(pattern.c_str(), &m_next);
    m_bHasNext = m_hFind != INVALID_HANDLE_VALUE;
    return m_bHasNext;
}

bool CFileFind::FindNextFile() {
    if (!m_bHasNext)
        return false;
    m_found = m_next;
    m_bHasFound = true;
    m_bHasNext = ::FindNextFileW(m_hFind, &m_next) != FALSE;
    return m_bHasNext;
}

WideString CFileFind::GetFileName() const {
    return m_bHasFound ? m_found.cFileName : WideString();
}

WideString CFileFind::GetFilePath() const {
    if (!m_bHasFound)
        return WideString();
    return m_strRoot.empty() ? GetFileName() : m_strRoot + L"\\" + GetFileName();
}

bool CFileFind::IsDirectory() const {
    return m_bHasFound && (m_found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool CFileFind::IsDots() const {
    return m_bHasFound && IsDirectory() &&
           (std::wcscmp(m_found.cFileName, L".") == 0 ||
            std::wcscmp(m_found.cFileName, L"..") == 0);
}
