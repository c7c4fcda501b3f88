#include "app/UninstallLog.h"

#include "framework/Text.h"
#include "platform/FileSystem.h"
#include "platform/PlainFile.h"

void CUninstallLog::Open(const std::string& path) {
    Close();
    const WideString file = ExtendedLengthPath(ToWide(path));
    // Not shared, written through; read access too: the end of the file tells whether
    // its last line is finished.
    const DWORD access = GENERIC_READ | GENERIC_WRITE;
    DWORD error = OpenPlainFile(file, access, 0, FILE_FLAG_WRITE_THROUGH, m_file);
    if (error == ERROR_FILE_NOT_FOUND)
        error = CreateNewFile(file, access, FILE_FLAG_WRITE_THROUGH, m_file);
    m_error = error;
}

bool CUninstallLog::EndsWithLineBreak(LARGE_INTEGER end) const {
    if (end.QuadPart < 2)
        return false;
    LARGE_INTEGER lastTwo{};
    lastTwo.QuadPart = end.QuadPart - 2;
    char tail[2] = {};
    DWORD read = 0;
    return ::SetFilePointerEx(m_file.Get(), lastTwo, nullptr, FILE_BEGIN) &&
           ::ReadFile(m_file.Get(), tail, 2, &read, nullptr) && read == 2 && tail[0] == '\r' &&
           tail[1] == '\n';
}

bool CUninstallLog::Append(const std::string& destination) {
    if (!IsOpen())
        return false;
    LARGE_INTEGER end{};
    if (!::SetFilePointerEx(m_file.Get(), LARGE_INTEGER{}, &end, FILE_END)) {
        m_error = ::GetLastError();
        return false;
    }
    // A torn record would glue the next one onto it: both would be lost to the
    // uninstaller.
    const std::string record = destination + "\r\n";
    if (WriteWholeAt(m_file.Get(), end,
                     end.QuadPart == 0 || EndsWithLineBreak(end) ? record : "\r\n" + record))
        return true;
    m_error = ::GetLastError();
    return false;
}

void CUninstallLog::Close() {
    m_file.Close();
    m_error = ERROR_SUCCESS;
}
