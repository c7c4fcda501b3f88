#pragma once
// The temporary file a plug-in is copied into beside its target before it replaces
// the target. Its name is this run's own and ends in .~qt, never in .8bf (not even in
// its short form), so no host loads a half-written copy.
#include "framework/Text.h"
#include "framework/Win32.h"
#include "platform/OwnedHandle.h"

// The name tried at attempt (0, 1, ...) by the run with process id run: target's own
// path + ".<run>-<attempt>.~qt".
WideString TemporaryPathFor(const WideString& target, DWORD run, unsigned attempt);

// Creates a new temporary file beside target, open for writing and for being renamed:
// a name that nothing in the folder has, so that no file, link or folder planted there
// is ever opened. ERROR_SUCCESS with file and path, or the error.
DWORD CreateTemporaryFile(const WideString& target, COwnedHandle& file, WideString& path);

// Removes from folder the temporary files that runs cut short left behind, so that
// they do not pile up: only plain files named as this program names them (the form
// above, or <target>.~qt as older versions did); a link or a folder of such a name is
// left as it is, and so is everything in a folder that is itself a link.
void RemoveStaleTemporaryFiles(const WideString& folder);
