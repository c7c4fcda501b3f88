#pragma once
// Files opened by their own name only. The folders the installer writes into may be
// written by others, who can plant a link under a name it uses: a link there is never
// followed, and a file that has other names is never written through.
#include "framework/Text.h"
#include "framework/Win32.h"
#include "platform/OwnedHandle.h"

// What OpenPlainFile answers for a name that is a link (symbolic or hard), a folder or
// anything but a file of its own.
constexpr DWORD kNotAPlainFile = ERROR_CANT_ACCESS_FILE;

// How much of the name OpenPlainFile checks: the whole, or only what the opened handle
// tells (no link, no other name), for a file whose name was checked whole before.
enum class NameCheck { Whole, HandleOnly };

// Opens the existing file of that name itself, never what a link of that name leads
// to: refused (kNotAPlainFile) unless it is a plain file with no other name.
// ERROR_SUCCESS with file open, or the error.
DWORD OpenPlainFile(const WideString& path, DWORD access, DWORD share, DWORD flags,
                    COwnedHandle& file, NameCheck check = NameCheck::Whole);

// True when a name with these attributes leads elsewhere: a reparse point whose tag
// (FindFirstFile's dwReserved0, or the file's attribute tag) is a name surrogate, such
// as a symbolic link or a junction, or is not told at all. Files that the system keeps
// by a reparse point of another kind (in the cloud, compressed, deduplicated) are
// files like any other.
bool IsLink(DWORD attributes, DWORD reparseTag);

// Opens the existing folder of that name itself, not what a link of that name leads
// to, so that it cannot be renamed or replaced while it is held: refused
// (kNotAPlainFile) when the name is a link or not a folder. ERROR_SUCCESS with folder
// open, or the error.
DWORD OpenPlainFolder(const WideString& path, COwnedHandle& folder);

// Creates a file of that name that did not exist; an existing file, link or folder of
// that name is never opened. ERROR_SUCCESS with file open, or the error.
DWORD CreateNewFile(const WideString& path, DWORD access, DWORD flags, COwnedHandle& file);

// Removes the file of that name when it is a plain file with no other name; a link or
// a folder is left as it is. True when it was removed.
bool DeletePlainFile(const WideString& path);

// Removes the open file (opened with DELETE access) through its handle: what goes is
// the file looked at, not whatever its name may lead to by now.
bool DeleteOpenFile(HANDLE file);

// True when a folder, or a link to one, has that name.
bool IsFolder(const WideString& path);
