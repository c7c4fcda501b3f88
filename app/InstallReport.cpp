#include "app/InstallReport.h"

#include "folders/DisplayText.h"
#include "framework/Text.h"
#include "platform/FileSystem.h"

#include <algorithm>

namespace {
// The box must fit the screen: a group names a few paths and counts the rest, and the
// whole box names a bounded number of them.
constexpr size_t kPathsPerGroup = 5;
constexpr size_t kPathsInTheBox = 12;

struct Group {
    const wchar_t* heading;
    const wchar_t* advice;
};

// Indexed by CInstallReport::Cause, in the order the box shows them.
const Group kCopyGroups[] = {
    {L"Plug-ins of the package in use by another program:", L"Close the program that uses them."},
    {L"Plug-ins of the package that could not be read:",
     L"Unpack the Quillon Tools package again and run QuillonDeploy from its folder."},
    {L"In use by another program:",
     L"Close the programs that use these plug-ins, such as your image editor."},
    {L"A folder of the same name is in the way:",
     L"Move or rename these folders, then run QuillonDeploy again."},
    {L"Access denied or read-only:",
     L"Check that these folders may be written to: the disk or the folder may be read-only, "
     L"its permissions may not allow it, or a security program may block it. Then run "
     L"QuillonDeploy again."},
    {L"Not enough space on the disk:", L"Free some space on the disk."},
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

// A program holds the file (open, locked, or loaded as a plug-in).
bool IsInUse(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_USER_MAPPED_FILE;
}

bool IsDiskFull(DWORD error) {
    return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL;
}

const wchar_t kRetryLine[] =
    L"Choose Retry to try these again, or Cancel to leave them as they are.";

// Lists up to limit paths, each shortened to fit a line, and counts the rest; takes
// what it listed from the box's budget.
WideString Listed(const std::vector<WideString>& paths, size_t& budget) {
    // Every group names at least one: its heading alone would say too little.
    const size_t limit = std::max<size_t>(1, std::min(kPathsPerGroup, budget));
    WideString text;
    size_t listed = 0;
    for (; listed < paths.size() && listed < limit; ++listed)
        text += ShortenedInTheMiddle(paths[listed]) + L"\n";
    if (listed < paths.size())
        text += L"... and " + DecimalText(paths.size() - listed) + L" more\n";
    budget -= std::min(budget, listed);
    return text;
}
} // namespace

CInstallReport::Cause CInstallReport::CauseOf(DWORD error, Side side) {
    if (side == Side::Package)
        return IsInUse(error) ? kPackageInUse : kPackageUnreadable;
    if (IsInUse(error))
        return kInUse;
    if (IsDiskFull(error))
        return kDiskFull;
    switch (error) {
    case kTargetIsAFolder:
        return kFolderInTheWay;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        return kAccessDenied;
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

bool CInstallReport::IsClearable(DWORD error) {
    return IsInUse(error) || IsDiskFull(error);
}

void CInstallReport::AddFailedCopy(const WideString& path, DWORD error, Side side) {
    std::vector<WideString>& paths = m_failed[CauseOf(error, side)];
    // A plug-in of the package that cannot be read fails for every destination: it is
    // named once.
    if (side == Side::Package && std::find(paths.begin(), paths.end(), path) != paths.end())
        return;
    paths.push_back(path);
}

void CInstallReport::AddRefusedCopy(const WideString& target, Cause cause) {
    m_failed[cause].push_back(target);
}

void CInstallReport::AddUnloggedDestination(const WideString& destination, DWORD error) {
    m_unlogged.push_back(destination);
    m_unloggedClearable = m_unloggedClearable || IsClearable(error);
}

bool CInstallReport::IsEmpty() const {
    for (const std::vector<WideString>& paths : m_failed)
        if (!paths.empty())
            return false;
    return m_unlogged.empty();
}

bool CInstallReport::CanRetry() const {
    return !m_failed[kPackageInUse].empty() || !m_failed[kInUse].empty() ||
           !m_failed[kDiskFull].empty() || m_unloggedClearable;
}

WideString CInstallReport::Message(const std::string& logPath) const {
    size_t budget = kPathsInTheBox;
    WideString message;
    for (int cause = 0; cause < kCauseCount; ++cause) {
        if (m_failed[cause].empty())
            continue;
        if (message.empty())
            message = L"These plug-ins could not be installed.\n";
        message += WideString(L"\n") + kCopyGroups[cause].heading + L"\n" +
                   Listed(m_failed[cause], budget) + kCopyGroups[cause].advice + L"\n";
    }
    if (!m_unlogged.empty()) {
        if (!message.empty())
            message += L"\n";
        message += L"These folders are missing from the uninstall log " +
                   ShortenedInTheMiddle(ToWide(logPath)) + L":\n" + Listed(m_unlogged, budget);
        if (m_logRefused)
            message += L"The log was left as it is: it is a link to another file, or a folder.\n";
        message += L"The uninstaller will not remove them: delete them by hand when you "
                   L"uninstall.\n";
    }
    if (CanRetry())
        message += WideString(L"\n") + kRetryLine + L"\n";
    // The box ends with the last line, not with a blank one.
    if (!message.empty())
        message.pop_back();
    return message;
}
