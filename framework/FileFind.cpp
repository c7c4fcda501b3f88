#include "framework/FileFind.h"

#include "framework/MbcsText.h"

#include <cstring>

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

bool CFileFind::FindFile(const std::string& pattern) {
    Close();
    const size_t separator = FindLastSeparator(pattern);
    m_strRoot = separator == std::string::npos ? std::string() : pattern.substr(0, separator);
    m_hFind = ::FindFirstFileA(pattern.c_str(), &m_next);
    m_bHasNext = m_hFind != INVALID_HANDLE_VALUE;
    return m_bHasNext;
}

bool CFileFind::FindNextFile() {
    if (!m_bHasNext)
        return false;
    m_found = m_next;
    m_bHasFound = true;
    m_bHasNext = ::FindNextFileA(m_hFind, &m_next) != FALSE;
    return m_bHasNext;
}

std::string CFileFind::GetFileName() const {
    return m_bHasFound ? m_found.cFileName : std::string();
}

std::string CFileFind::GetFilePath() const {
    if (!m_bHasFound)
        return std::string();
    return m_strRoot.empty() ? GetFileName() : m_strRoot + "\\" + GetFileName();
}

bool CFileFind::IsDirectory() const {
    return m_bHasFound && (m_found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool CFileFind::IsDots() const {
    return m_bHasFound && IsDirectory() &&
           (std::strcmp(m_found.cFileName, ".") == 0 || std::strcmp(m_found.cFileName, "..") == 0);
}
