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

namespace {
// The wide call gives the real name, however long, where the ANSI one substitutes.
WideString ExecutablePathWide() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return WideString();
        if (length < buffer.size())
            return WideString(buffer.data(), length);
        if (buffer.size() >= 32768)
            return WideString();
        buffer.resize(buffer.size() * 2);
    }
}

WideString ShortForm(const WideString& path) {
    const DWORD size = ::GetShortPathNameW(path.c_str(), nullptr, 0);
    if (size == 0)
        return WideString();
    WideString shortPath(size, L'\0');
    const DWORD length = ::GetShortPathNameW(path.c_str(), &shortPath[0], size);
    shortPath.resize(length < size ? length : 0);
    return shortPath;
}
} // namespace

bool GetExecutableFolder(std::string& folder) {
    const WideString path = ExecutablePathWide();
    const size_t separator = path.rfind(L'\\');
    if (path.empty() || separator == WideString::npos)
        return false;
    const WideString longForm = path.substr(0, separator);
    if (ToAnsiExactly(longForm, folder))
        return true;
    const WideString shortForm = ShortForm(longForm);
    return !shortForm.empty() && ToAnsiExactly(shortForm, folder);
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
DWORD MoveIntoPlace(const WideString& replacement, const WideString& target) {
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    const bool readOnly = attributes != INVALID_FILE_ATTRIBUTES &&
                          (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
                          (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (readOnly)
        ::SetFileAttributesW(target.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    if (::MoveFileExW(replacement.c_str(), target.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return ERROR_SUCCESS;
    DWORD error = ::GetLastError();
    if (readOnly)
        ::SetFileAttributesW(target.c_str(), attributes);
    // A plug-in loaded by a running host cannot be replaced either; Windows calls that
    // access denied, while the user needs to hear that a program is using it.
    if (error == ERROR_ACCESS_DENIED) {
        HANDLE probe = ::CreateFileW(target.c_str(), GENERIC_READ,
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

DWORD InstallCopy(const WideString& source, const WideString& target) {
    const size_t separator = target.rfind(L'\\');
    const WideString folder = separator == WideString::npos ? L"." : target.substr(0, separator);
    // A name a host never loads (not *.8bf), made unique by the system.
    wchar_t temporary[MAX_PATH] = L"";
    if (::GetTempFileNameW(folder.c_str(), L"~qt", 0, temporary) == 0)
        return ::GetLastError();
    DWORD error = ERROR_SUCCESS;
    if (!::CopyFileW(source.c_str(), temporary, FALSE)) {
        error = ::GetLastError();
    } else {
        // The copy keeps the source's attributes; a read-only plug-in could never be
        // replaced by the next version.
        const DWORD attributes = ::GetFileAttributesW(temporary);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
            ::SetFileAttributesW(temporary, attributes & ~FILE_ATTRIBUTE_READONLY);
        error = MoveIntoPlace(temporary, target);
    }
    if (error != ERROR_SUCCESS)
        ::DeleteFileW(temporary);
    return error;
}
