#include "platform/FileSystem.h"

#include <io.h>

#include <vector>

bool PathExists(const std::string& path) {
    return _access(path.c_str(), 0) == 0;
}

void CreateOneFolder(const std::string& path) {
    ::CreateDirectoryA(path.c_str(), nullptr);
}

bool GetExecutablePath(std::string& path) {
    // The ANSI call can give paths longer than MAX_PATH; the buffer grows until the
    // whole path fits. A path the system truncates is never taken as the answer.
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return false;
        if (length < buffer.size()) {
            path.assign(buffer.data(), length);
            return true;
        }
        if (buffer.size() >= 32768)
            return false;
        buffer.resize(buffer.size() * 2);
    }
}

std::string GetCurrentDir() {
    char buffer[MAX_PATH];
    const DWORD length = ::GetCurrentDirectoryA(MAX_PATH, buffer);
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    return std::string(buffer, length);
}

HANDLE OpenForAppend(const std::string& path) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                FILE_FLAG_WRITE_THROUGH, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    ::SetFilePointer(file, 0, nullptr, FILE_END);
    return file;
}

bool WriteBytes(HANDLE file, const std::string& bytes) {
    DWORD written = 0;
    const BOOL ok =
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    return ok != FALSE && written == bytes.size();
}

void CloseFile(HANDLE file) {
    ::CloseHandle(file);
}

bool CopyOneFile(const std::string& source, const std::string& target) {
    return ::CopyFileA(source.c_str(), target.c_str(), FALSE) != FALSE;
}
