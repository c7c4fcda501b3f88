#include "platform/FileSystem.h"

#include "framework/MbcsText.h"

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
    // Read access too: the end of the file tells whether its last line is finished.
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                FILE_FLAG_WRITE_THROUGH, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    if (!::SetFilePointerEx(file, LARGE_INTEGER{}, nullptr, FILE_END)) {
        ::CloseHandle(file);
        return nullptr;
    }
    return file;
}

namespace {
bool EndsWithLineBreak(HANDLE file, LARGE_INTEGER end) {
    if (end.QuadPart < 2)
        return false;
    LARGE_INTEGER lastTwo{};
    lastTwo.QuadPart = end.QuadPart - 2;
    char tail[2] = {};
    DWORD read = 0;
    return ::SetFilePointerEx(file, lastTwo, nullptr, FILE_BEGIN) &&
           ::ReadFile(file, tail, 2, &read, nullptr) && read == 2 && tail[0] == '\r' &&
           tail[1] == '\n';
}
} // namespace

bool AppendRecord(HANDLE file, const std::string& record) {
    LARGE_INTEGER end{};
    if (!::SetFilePointerEx(file, LARGE_INTEGER{}, &end, FILE_END))
        return false;
    const std::string bytes =
        end.QuadPart == 0 || EndsWithLineBreak(file, end) ? record : "\r\n" + record;
    if (!::SetFilePointerEx(file, end, nullptr, FILE_BEGIN))
        return false;
    DWORD written = 0;
    if (::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size())
        return true;
    // A torn record would glue the next one onto it: both would be lost to the uninstaller.
    ::SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
    ::SetEndOfFile(file);
    return false;
}

void CloseFile(HANDLE file) {
    ::CloseHandle(file);
}

namespace {
// Windows refuses to replace a read-only file; the attribute is taken off for the
// replacement and given back when the replacement fails.
DWORD MoveIntoPlace(const std::string& replacement, const std::string& target) {
    const DWORD attributes = ::GetFileAttributesA(target.c_str());
    const bool readOnly = attributes != INVALID_FILE_ATTRIBUTES &&
                          (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
                          (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (readOnly)
        ::SetFileAttributesA(target.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    if (::MoveFileExA(replacement.c_str(), target.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return ERROR_SUCCESS;
    DWORD error = ::GetLastError();
    if (readOnly)
        ::SetFileAttributesA(target.c_str(), attributes);
    // A plug-in loaded by a running host cannot be replaced either; Windows calls that
    // access denied, while the user needs to hear that a program is using it.
    if (error == ERROR_ACCESS_DENIED) {
        HANDLE probe = ::CreateFileA(target.c_str(), GENERIC_READ,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, 0, nullptr);
        if (probe != INVALID_HANDLE_VALUE)
            ::CloseHandle(probe);
        else if (::GetLastError() == ERROR_SHARING_VIOLATION)
            error = ERROR_SHARING_VIOLATION;
    }
    return error;
}
} // namespace

DWORD InstallCopy(const std::string& source, const std::string& target) {
    const size_t separator = FindLastSeparator(target);
    const std::string folder = separator == std::string::npos ? "." : target.substr(0, separator);
    // A name a host never loads (not *.8bf), made unique by the system.
    char temporary[MAX_PATH] = "";
    if (::GetTempFileNameA(folder.c_str(), "~qt", 0, temporary) == 0)
        return ::GetLastError();
    DWORD error = ERROR_SUCCESS;
    if (!::CopyFileA(source.c_str(), temporary, FALSE)) {
        error = ::GetLastError();
    } else {
        // The copy keeps the source's attributes; a read-only plug-in could never be
        // replaced by the next version.
        const DWORD attributes = ::GetFileAttributesA(temporary);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
            ::SetFileAttributesA(temporary, attributes & ~FILE_ATTRIBUTE_READONLY);
        error = MoveIntoPlace(temporary, target);
    }
    if (error != ERROR_SUCCESS)
        ::DeleteFileA(temporary);
    return error;
}
