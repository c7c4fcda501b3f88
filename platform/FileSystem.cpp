#include "platform/FileSystem.h"

#include "framework/WinApp.h"
#include "platform/OwnedHandle.h"
#include "platform/PlainFile.h"
#include "platform/TemporaryFile.h"

#include <io.h>

#include <algorithm>
#include <vector>

bool PathExists(const std::string& path) {
    return _access(path.c_str(), 0) == 0;
}

void CreateOneFolder(const std::string& path) {
    ::CreateDirectoryA(path.c_str(), nullptr);
}

namespace {
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

bool ToAnsiPath(const WideString& path, std::string& ansi) {
    if (ToAnsiExactly(path, ansi))
        return true;
    const WideString shortForm = ShortForm(path);
    return !shortForm.empty() && ToAnsiExactly(shortForm, ansi);
}

bool GetExecutableFolder(std::string& folder) {
    WideString longForm, name;
    if (!SplitAtLastSeparator(AfxGetExecutablePath(), longForm, name))
        return false;
    return ToAnsiPath(longForm, folder);
}

std::string GetCurrentDir() {
    char buffer[MAX_PATH];
    const DWORD length = ::GetCurrentDirectoryA(MAX_PATH, buffer);
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    return std::string(buffer, length);
}

WideString ExtendedLengthPath(const WideString& path) {
    const WideString prefix = L"\\\\?\\";
    if (path.compare(0, prefix.size(), prefix) == 0)
        return path;
    std::vector<wchar_t> buffer(MAX_PATH);
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD length = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()),
                                                buffer.data(), nullptr);
        if (length == 0)
            return path;
        if (length < buffer.size()) {
            const WideString full(buffer.data(), length);
            if (full.compare(0, 2, L"\\\\") != 0)
                return prefix + full;
            // \\server\share\... ; a device (\\.\) has no long form.
            return full.compare(0, 4, L"\\\\.\\") == 0 ? full : prefix + L"UNC" + full.substr(1);
        }
        buffer.resize(length);
    }
    return path;
}

bool WriteWholeAt(HANDLE file, LARGE_INTEGER offset, const std::string& bytes) {
    if (!::SetFilePointerEx(file, offset, nullptr, FILE_BEGIN))
        return false;
    DWORD written = 0;
    const BOOL wrote =
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    if (wrote && written == bytes.size())
        return true;
    // A short write without an error is a full disk; the cut leaves the cause told.
    const DWORD error = wrote ? ERROR_DISK_FULL : ::GetLastError();
    ::SetFilePointerEx(file, offset, nullptr, FILE_BEGIN);
    ::SetEndOfFile(file);
    ::SetLastError(error);
    return false;
}

namespace {
// Puts the open file in target's place in one step, replacing what is there.
DWORD RenameOver(HANDLE file, const WideString& target) {
    std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + target.size() * sizeof(wchar_t));
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    info->ReplaceIfExists = TRUE;
    info->RootDirectory = nullptr;
    info->FileNameLength = static_cast<DWORD>(target.size() * sizeof(wchar_t));
    std::copy(target.begin(), target.end(), info->FileName);
    info->FileName[target.size()] = L'\0';
    return ::SetFileInformationByHandle(file, FileRenameInfo, info,
                                        static_cast<DWORD>(buffer.size()))
               ? ERROR_SUCCESS
               : ::GetLastError();
}

// Windows refuses to replace a read-only file: the attribute is taken off for the
// replacement and given back when the replacement fails all the same. Only on the
// file of that name itself: a link's attribute is its file's, elsewhere.
bool SetReadOnly(const WideString& target, bool readOnly) {
    COwnedHandle file;
    if (OpenPlainFile(target, FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0,
                      file) != ERROR_SUCCESS)
        return false;
    FILE_BASIC_INFO info{};
    if (!::GetFileInformationByHandleEx(file.Get(), FileBasicInfo, &info, sizeof(info)) ||
        ((info.FileAttributes & FILE_ATTRIBUTE_READONLY) != 0) == readOnly)
        return false;
    info.FileAttributes ^= FILE_ATTRIBUTE_READONLY;
    // Attributes of zero would mean "leave them as they are".
    if (info.FileAttributes == 0)
        info.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    // Times of zero are left as they are.
    info.CreationTime.QuadPart = info.LastAccessTime.QuadPart = 0;
    info.LastWriteTime.QuadPart = info.ChangeTime.QuadPart = 0;
    return ::SetFileInformationByHandle(file.Get(), FileBasicInfo, &info, sizeof(info)) != FALSE;
}

DWORD RenameOverReadOnly(HANDLE file, const WideString& target) {
    if (!SetReadOnly(target, false))
        return ERROR_ACCESS_DENIED;
    const DWORD error = RenameOver(file, target);
    if (error != ERROR_SUCCESS)
        SetReadOnly(target, true);
    return error;
}

// A plug-in loaded by a running host is mapped, and a mapped file cannot be replaced
// either; Windows calls that access denied, while the user needs to hear that a
// program is using it. A mapped file is still opened for reading with any sharing, so
// the probe asks to write, which a mapping refuses as a file held open does.
bool InUse(const WideString& target) {
    COwnedHandle probe;
    return OpenPlainFile(target, GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0,
                         probe) == ERROR_SHARING_VIOLATION;
}

DWORD MoveIntoPlace(HANDLE file, const WideString& target) {
    DWORD error = RenameOver(file, target);
    if (error == ERROR_ACCESS_DENIED && IsFolder(target))
        return kTargetIsAFolder;
    if (error == ERROR_ACCESS_DENIED)
        error = RenameOverReadOnly(file, target);
    if (error == ERROR_ACCESS_DENIED && InUse(target))
        error = ERROR_SHARING_VIOLATION;
    return error;
}

CopyResult CopyBytes(HANDLE in, HANDLE out) {
    // One installer runs at a time, on one thread: one buffer serves every copy. Reads
    // of this size cost least under Wine; far larger ones cost more.
    static std::vector<char> buffer(256 * 1024);
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(in, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr))
            return {::GetLastError(), CopySide::Source};
        if (read == 0)
            return {};
        DWORD written = 0;
        if (!::WriteFile(out, buffer.data(), read, &written, nullptr))
            return {::GetLastError(), CopySide::Target};
        if (written != read)
            return {ERROR_DISK_FULL, CopySide::Target};
    }
}
} // namespace

CopyResult InstallCopy(const WideString& source, const WideString& target) {
    // The package's folder may be written by others too: a plug-in that is a link to
    // another file, or has another name, is not read, or that file would be copied where
    // others can read it. Checked on the handle, as Windows reports links; the lookup of
    // its final path that Wine's links need costs a millisecond a copy, and the install
    // is measured against a plain copy.
    COwnedHandle in;
    const DWORD opened = OpenPlainFile(ExtendedLengthPath(source), GENERIC_READ, FILE_SHARE_READ,
                                       FILE_FLAG_SEQUENTIAL_SCAN, in, NameCheck::HandleOnly);
    if (opened != ERROR_SUCCESS)
        return {opened, CopySide::Source};
    // The long form throughout: the temporary name is longer than the target's, and a
    // target that fits MAX_PATH must not fail for it.
    const WideString longTarget = ExtendedLengthPath(target);
    COwnedHandle out;
    WideString temporary;
    const DWORD created = CreateTemporaryFile(longTarget, out, temporary);
    if (created != ERROR_SUCCESS)
        return {created, CopySide::Target};
    CopyResult result = CopyBytes(in.Get(), out.Get());
    if (result.error == ERROR_SUCCESS) {
        FILETIME lastWrite{};
        if (::GetFileTime(in.Get(), nullptr, nullptr, &lastWrite))
            ::SetFileTime(out.Get(), nullptr, nullptr, &lastWrite);
        result = {MoveIntoPlace(out.Get(), longTarget), CopySide::Target};
    }
    if (result.error != ERROR_SUCCESS) {
        // Through the handle: the file removed is the copy, whatever its name became.
        DeleteOpenFile(out.Get());
    }
    return result;
}

bool PathExists(const WideString& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

namespace {
bool IdentityOf(const std::string& folder, BY_HANDLE_FILE_INFORMATION& info) {
    // Opened for no access at all: only what it is is read, whatever it is.
    const COwnedHandle handle(
        ::CreateFileA(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return handle.Get() != nullptr && ::GetFileInformationByHandle(handle.Get(), &info);
}
} // namespace

FolderKind KindOfFolder(const std::string& path) {
    // The attributes of the name itself: a handle opened on a link may describe what
    // it leads to instead.
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return FolderKind::Missing;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return FolderKind::InTheWay;
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
        return FolderKind::RealFolder;
    // A link or junction leads elsewhere: what it names is not the folder recorded. The
    // kind of reparse point comes with the name's entry in its folder; a name that
    // cannot be listed is taken for a link.
    WIN32_FIND_DATAA entry{};
    const HANDLE find = ::FindFirstFileA(path.c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return FolderKind::InTheWay;
    ::FindClose(find);
    return IsLink(entry.dwFileAttributes, entry.dwReserved0) ? FolderKind::InTheWay
                                                             : FolderKind::RealFolder;
}

bool IsSameFolder(const std::string& first, const std::string& second) {
    BY_HANDLE_FILE_INFORMATION a{}, b{};
    return IdentityOf(first, a) && IdentityOf(second, b) &&
           a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
           a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
}
