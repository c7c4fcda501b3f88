#pragma once
// The uninstall log (puninst.log beside the executable): one line per destination,
// appended while an install runs. It lies in a folder others may write, so a name
// planted there is never written through: a link or a folder of that name is refused
// and left as it is.
#include "framework/Win32.h"
#include "platform/OwnedHandle.h"
#include "platform/PlainFile.h"

#include <string>

class CUninstallLog {
public:
    // Opens the log at path for appending, creating it when there is none.
    void Open(const std::string& path);
    bool IsOpen() const { return m_file.Get() != nullptr; }
    // True when the log's name is a link to another file or a folder, and the log was
    // therefore not opened.
    bool IsRefused() const { return m_error == kNotAPlainFile; }
    // Appends one record: destination and CR LF, whole or not at all, on a line of its
    // own even after a line torn by a crash. True when the whole record was written.
    bool Append(const std::string& destination);
    // Why the log could not be opened, or the last record not written.
    DWORD Error() const { return m_error; }
    void Close();

private:
    bool EndsWithLineBreak(LARGE_INTEGER end) const;

    COwnedHandle m_file;
    DWORD m_error = ERROR_SUCCESS;
};
