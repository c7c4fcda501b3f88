#include "platform/TemporaryFile.h"

#include "framework/FileFind.h"
#include "framework/Text.h"
#include "platform/FileSystem.h"
#include "platform/PlainFile.h"

namespace {
const wchar_t kSuffix[] = L".~qt";
const wchar_t kPlugInExtension[] = L".8bf";
// Names tried before giving up: each one taken means a name planted in our way.
constexpr unsigned kAttempts = 100;

bool EndsWith(const WideString& text, const WideString& end) {
    return text.size() >= end.size() &&
           ::CompareStringOrdinal(text.c_str() + text.size() - end.size(),
                                  static_cast<int>(end.size()), end.c_str(),
                                  static_cast<int>(end.size()), TRUE) == CSTR_EQUAL;
}

bool IsNumber(const WideString& text) {
    return !text.empty() && text.find_first_not_of(L"0123456789") == WideString::npos;
}

// True for a name this program gives its temporary files: <plug-in>.8bf.<run>-<attempt>.~qt,
// or <plug-in>.8bf.~qt as older versions named them. Any other name ending in .~qt is
// someone else's file.
bool IsTemporaryFileName(const WideString& name) {
    if (!EndsWith(name, kSuffix))
        return false;
    WideString target = name.substr(0, name.size() - (sizeof(kSuffix) / sizeof(wchar_t) - 1));
    const size_t dot = target.rfind(L'.');
    const size_t dash = target.rfind(L'-');
    if (dot != WideString::npos && dash != WideString::npos && dash > dot &&
        IsNumber(target.substr(dot + 1, dash - dot - 1)) && IsNumber(target.substr(dash + 1)))
        target.resize(dot);
    return EndsWith(target, kPlugInExtension);
}
} // namespace

WideString TemporaryPathFor(const WideString& target, DWORD run, unsigned attempt) {
    return target + L"." + DecimalText(run) + L"-" + DecimalText(attempt) + kSuffix;
}

DWORD CreateTemporaryFile(const WideString& target, COwnedHandle& file, WideString& path) {
    const DWORD run = ::GetCurrentProcessId();
    DWORD error = ERROR_FILE_EXISTS;
    for (unsigned attempt = 0; attempt < kAttempts; ++attempt) {
        path = TemporaryPathFor(target, run, attempt);
        // Plain attributes: a plug-in shipped read-only must not be installed
        // read-only, or the next version could not replace it.
        error = CreateNewFile(path, GENERIC_WRITE | DELETE, FILE_ATTRIBUTE_NORMAL, file);
        // Wine answers "not found" for a symbolic link that leads nowhere; a missing
        // folder is "path not found".
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS &&
            error != ERROR_FILE_NOT_FOUND)
            return error;
    }
    return error;
}

void RemoveStaleTemporaryFiles(const WideString& folder) {
    const WideString longFolder = ExtendedLengthPath(folder);
    // Held while the clean-up runs, so that the folder cannot be swapped for a link to
    // another one meanwhile; a folder that is a link now is not cleaned at all.
    COwnedHandle held;
    if (OpenPlainFolder(longFolder, held) != ERROR_SUCCESS)
        return;
    CFileFind finder;
    for (bool more = finder.FindFile(longFolder + L"\\*" + kSuffix); more;) {
        more = finder.FindNextFile();
        // The pattern matches short names too: the long name decides.
        if (!finder.IsDirectory() && IsTemporaryFileName(finder.GetFileName()))
            DeletePlainFile(finder.GetFilePath());
    }
}
