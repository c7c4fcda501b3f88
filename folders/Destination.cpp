#include "folders/Destination.h"

#include "folders/MbcsText.h"

namespace {
const wchar_t kPlugInsFolder[] = L"Plug-Ins";
} // namespace

WideString HostPlugInFolder(const WideString& applicationFolder) {
    const bool endsWithSeparator = !applicationFolder.empty() && applicationFolder.back() == L'\\';
    return applicationFolder + (endsWithSeparator ? L"" : L"\\") + kPlugInsFolder;
}

std::string DestinationIn(const std::string& folder, UINT codePage) {
    return WithoutTrailingSeparator(folder, codePage) + kDestinationSubFolder;
}

WideString DestinationIn(const WideString& folder) {
    const bool endsWithSeparator = !folder.empty() && folder.back() == L'\\';
    return (endsWithSeparator ? folder.substr(0, folder.size() - 1) : folder) +
           ToWide(kDestinationSubFolder);
}
