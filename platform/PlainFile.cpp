#include "platform/PlainFile.h"

#include <vector>

namespace {
// The path by which the system reaches the open file or folder, links resolved.
WideString FinalPath(HANDLE handle) {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD length = ::GetFinalPathNameByHandleW(
            handle, buffer.data(), static_cast<DWORD>(buffer.size()), FILE_NAME_NORMALIZED);
        if (length == 0)
            return WideString();
        if (length < buffer.size())
            return WideString(buffer.data(), length);
        buffer.resize(length + 1);
    }
    return WideString();
}

bool SameText(const WideString& a, const WideString& b) {
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                  static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// The folder last checked, held open without delete sharing so that it cannot be
// renamed or replaced by a link while it stands for its final path: the package's
// plug-ins all lie in one folder, which is then looked up once, not once a plug-in.
struct CheckedFolder {
    WideString path;
    COwnedHandle handle;
    WideString finalPath;
};

const WideString* FinalPathOfFolder(const WideString& folder) {
    static CheckedFolder checked;
    if (checked.handle.Get() != nullptr && checked.path == folder)
        return &checked.finalPath;
    checked.handle.Reset(::CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                       FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    checked.path = folder;
    checked.finalPath =
        checked.handle.Get() != nullptr ? FinalPath(checked.handle.Get()) : WideString();
    if (checked.finalPath.empty()) {
        checked.handle.Close();
        return nullptr;
    }
    if (checked.finalPath.back() != L'\\')
        checked.finalPath += L'\\';
    return &checked.finalPath;
}

// True when the open file is the one of that name in its folder. Wine follows a
// symbolic link made outside Windows even when told not to, and shows no reparse
// point: only where the file really lies tells the link apart.
bool IsReachedByItsOwnName(HANDLE file, const WideString& path) {
    WideString folder, name;
    if (!SplitAtLastSeparator(path, folder, name))
        return false;
    if (!folder.empty() && folder.back() == L':')
        folder += L'\\';
    const WideString* expected = FinalPathOfFolder(folder);
    return expected != nullptr && SameText(FinalPath(file), *expected + name);
}

// A file kept by a reparse point that is not a link (in the cloud, compressed,
// deduplicated) is read and written through the system's handling of that point, which
// a handle on the point itself bypasses: it is opened again the ordinary way, and must
// still be the same file.
DWORD ReopenOrdinarily(const WideString& path, DWORD access, DWORD share, DWORD flags,
                       COwnedHandle& file) {
    BY_HANDLE_FILE_INFORMATION before{}, after{};
    if (!::GetFileInformationByHandle(file.Get(), &before))
        return kNotAPlainFile;
    // Let go first: its own sharing could refuse the second handle.
    file.Close();
    file.Reset(::CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING, flags, nullptr));
    if (file.Get() == nullptr)
        return ::GetLastError();
    return ::GetFileInformationByHandle(file.Get(), &after) &&
                   after.dwVolumeSerialNumber == before.dwVolumeSerialNumber &&
                   after.nFileIndexHigh == before.nFileIndexHigh &&
                   after.nFileIndexLow == before.nFileIndexLow
               ? ERROR_SUCCESS
               : kNotAPlainFile;
}
} // namespace

bool IsLink(DWORD attributes, DWORD reparseTag) {
    // Wine tells no tag for a Unix link: a tag of zero is taken for a link too.
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
           (reparseTag == 0 || IsReparseTagNameSurrogate(reparseTag));
}

DWORD OpenPlainFile(const WideString& path, DWORD access, DWORD share, DWORD flags,
                    COwnedHandle& file, NameCheck check) {
    file.Reset(::CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                             flags | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (file.Get() == nullptr) {
        const DWORD error = ::GetLastError();
        // A folder cannot be opened as a file: it is refused like a link, not as denied.
        return IsFolder(path) ? kNotAPlainFile : error;
    }
    // Two small queries (Wine answers a query of everything with a lookup of the
    // file's name, which costs more than the copy of a small plug-in): the attributes
    // with the reparse tag, to tell a link from a file the system keeps elsewhere (a
    // cloud or compressed file), and the count of the file's names.
    FILE_ATTRIBUTE_TAG_INFO tag{};
    FILE_STANDARD_INFO standard{};
    DWORD error =
        ::GetFileInformationByHandleEx(file.Get(), FileAttributeTagInfo, &tag, sizeof(tag)) &&
                !IsLink(tag.FileAttributes, tag.ReparseTag)
            ? ERROR_SUCCESS
            : kNotAPlainFile;
    if (error == ERROR_SUCCESS && (tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
        error = ReopenOrdinarily(path, access, share, flags, file);
    if (error == ERROR_SUCCESS && !(::GetFileInformationByHandleEx(file.Get(), FileStandardInfo,
                                                                   &standard, sizeof(standard)) &&
                                    !standard.Directory && standard.NumberOfLinks == 1))
        error = kNotAPlainFile;
    if (error == ERROR_SUCCESS && check == NameCheck::Whole &&
        !IsReachedByItsOwnName(file.Get(), path))
        error = kNotAPlainFile;
    if (error != ERROR_SUCCESS)
        file.Close();
    return error;
}

DWORD OpenPlainFolder(const WideString& path, COwnedHandle& folder) {
    // Not shared for deleting: while it is held, the name stays this folder's.
    folder.Reset(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (folder.Get() == nullptr)
        return ::GetLastError();
    // The name's own entry in its folder: Wine shows a link to a folder as a reparse
    // point there only, and describes the folder it leads to through the handle.
    WIN32_FIND_DATAW entry{};
    const HANDLE find = ::FindFirstFileW(path.c_str(), &entry);
    const bool listed = find != INVALID_HANDLE_VALUE;
    if (listed)
        ::FindClose(find);
    if (!listed || (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
        IsLink(entry.dwFileAttributes, entry.dwReserved0) ||
        !IsReachedByItsOwnName(folder.Get(), path)) {
        folder.Close();
        return kNotAPlainFile;
    }
    return ERROR_SUCCESS;
}

DWORD CreateNewFile(const WideString& path, DWORD access, DWORD flags, COwnedHandle& file) {
    file.Reset(::CreateFileW(path.c_str(), access, 0, nullptr, CREATE_NEW,
                             flags | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    return file.Get() != nullptr ? ERROR_SUCCESS : ::GetLastError();
}

bool DeletePlainFile(const WideString& path) {
    COwnedHandle file;
    return OpenPlainFile(path, DELETE, 0, 0, file) == ERROR_SUCCESS && DeleteOpenFile(file.Get());
}

bool DeleteOpenFile(HANDLE file) {
    FILE_DISPOSITION_INFO disposition{TRUE};
    return ::SetFileInformationByHandle(file, FileDispositionInfo, &disposition,
                                        sizeof(disposition)) != FALSE;
}

bool IsFolder(const WideString& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
