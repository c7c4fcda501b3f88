#include "app/InstallReport.h"

#include "framework/MbcsText.h"

namespace {
// How many paths a group names before it only counts the rest: the box must fit the
// screen.
constexpr size_t kPathsListed = 10;

struct Group {
    const wchar_t* heading;
    const wchar_t* advice;
};

// Indexed by CInstallReport::Cause.
const Group kCopyGroups[] = {
    {L"In use by another program:",
     L"Close the programs that use these plug-ins, such as your image editor, and run "
     L"QuillonDeploy again."},
    {L"Access denied or read-only:",
     L"Make sure these folders may be written to (run QuillonDeploy as an administrator), "
     L"then run it again."},
    {L"Not enough space on the disk:", L"Free some space on the disk and run QuillonDeploy again."},
    {L"Folder missing or invalid:",
     L"Check the folder's name, or choose another place, and run QuillonDeploy again."},
    {L"A file named QuillonTools is in the way:",
     L"It is not a folder (a file, or a link to another place): move or rename it, and run "
     L"QuillonDeploy again."},
    {L"The folder QuillonDeploy runs from:",
     L"The plug-ins are already there. Choose another place, and run QuillonDeploy again."},
    {L"Folder names this system's code page cannot hold:",
     L"Copy these plug-ins by hand, or choose another place."},
    {L"Other errors:",
     L"Run QuillonDeploy again; if the error stays, copy these plug-ins by hand."},
};

static_assert(sizeof(kCopyGroups) / sizeof(kCopyGroups[0]) == CInstallReport::kCauseCount,
              "one group for every cause");

WideString Listed(const std::vector<WideString>& paths) {
    WideString text;
    for (size_t i = 0; i < paths.size() && i < kPathsListed; ++i)
        text += paths[i] + L"\n";
    if (paths.size() > kPathsListed)
        text += L"... and " + ToWide(std::to_string(paths.size() - kPathsListed)) + L" more\n";
    return text;
}
} // namespace

CInstallReport::Cause CInstallReport::CauseOf(DWORD error) {
    switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
        return kInUse;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        return kAccessDenied;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return kDiskFull;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_NOT_READY:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY:
        return kBadFolder;
    default:
        return kOther;
    }
}

void CInstallReport::AddFailedCopy(const WideString& target, DWORD error) {
    m_failed[CauseOf(error)].push_back(target);
}

void CInstallReport::AddUnloggedDestination(const std::string& destination) {
    m_unlogged.push_back(ToWide(destination));
}

void CInstallReport::AddRefusedCopy(const WideString& target, Cause cause) {
    m_failed[cause].push_back(target);
}

bool CInstallReport::IsEmpty() const {
    for (const std::vector<WideString>& paths : m_failed)
        if (!paths.empty())
            return false;
    return m_unlogged.empty();
}

WideString CInstallReport::Message(const std::string& logPath) const {
    WideString message;
    for (int cause = 0; cause < kCauseCount; ++cause) {
        if (m_failed[cause].empty())
            continue;
        if (message.empty())
            message = L"These plug-ins could not be installed.\n";
        message += WideString(L"\n") + kCopyGroups[cause].heading + L"\n" +
                   Listed(m_failed[cause]) + kCopyGroups[cause].advice + L"\n";
    }
    if (!m_unlogged.empty()) {
        if (!message.empty())
            message += L"\n";
        message += L"These folders are missing from the uninstall log " + ToWide(logPath) + L":\n" +
                   Listed(m_unlogged) +
                   (m_logRefused ? L"The log was left as it is: it is a link to another "
                                   L"file, or a folder.\n"
                                 : L"") +
                   L"The uninstaller will not remove them: delete them by hand when you "
                   L"uninstall.\n";
    }
    // The box ends with the last line, not with a blank one.
    if (!message.empty())
        message.pop_back();
    return message;
}
