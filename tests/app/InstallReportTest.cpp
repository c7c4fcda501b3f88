// The closing box's text, from the failures an install met: groups, advice, Retry and
// its bounds.
#include "app/InstallReport.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

namespace {
using Side = CInstallReport::Side;

TEST(InstallReportTest, EachFailureIsToldUnderItsCauseWithWhatTheUserCanDo) {
    struct Case {
        DWORD error;
        Side side;
        const wchar_t* heading;
        const wchar_t* advice;
        bool retry;
    };
    const Case cases[] = {
        {ERROR_SHARING_VIOLATION, Side::Package,
         L"Plug-ins of the package in use by another program:",
         L"Close the program that uses them.", true},
        {ERROR_FILE_NOT_FOUND, Side::Package, L"Plug-ins of the package that could not be read:",
         L"Unpack the Quillon Tools package again and run QuillonDeploy from its folder.", false},
        {ERROR_SHARING_VIOLATION, Side::Destination, L"In use by another program:",
         L"Close the programs that use these plug-ins, such as your image editor.", true},
        {ERROR_USER_MAPPED_FILE, Side::Destination, L"In use by another program:",
         L"Close the programs that use these plug-ins, such as your image editor.", true},
        {kTargetIsAFolder, Side::Destination, L"A folder of the same name is in the way:",
         L"Move or rename these folders, then run QuillonDeploy again.", false},
        {ERROR_ACCESS_DENIED, Side::Destination, L"Access denied or read-only:",
         L"Check that these folders may be written to: the disk or the folder may be read-only, "
         L"its permissions may not allow it, or a security program may block it. Then run "
         L"QuillonDeploy again.",
         false},
        {ERROR_WRITE_PROTECT, Side::Destination, L"Access denied or read-only:", nullptr, false},
        {ERROR_DISK_FULL, Side::Destination, L"Not enough space on the disk:",
         L"Free some space on the disk.", true},
        {ERROR_PATH_NOT_FOUND, Side::Destination, L"Folder missing or invalid:",
         L"Check the folder's name, or choose another place, and run QuillonDeploy again.", false},
        {ERROR_INVALID_FUNCTION, Side::Destination, L"Other errors:",
         L"Run QuillonDeploy again; if the error stays, copy these plug-ins by hand.", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.heading);
        CInstallReport report;
        report.AddFailedCopy(L"C:\\PS\\Plug-Ins\\QuillonTools\\a.8bf", c.error, c.side);
        EXPECT_EQ(c.retry, report.CanRetry());
        const WideString message = report.Message("C:\\Kit\\puninst.log");
        const WideString advice =
            c.advice != nullptr ? WideString(c.advice) : message.substr(message.rfind(L'\n') + 1);
        WideString expected = L"These plug-ins could not be installed.\n\n" +
                              WideString(c.heading) + L"\nC:\\PS\\Plug-Ins\\QuillonTools\\a.8bf\n" +
                              advice;
        if (c.retry)
            expected +=
                L"\n\nChoose Retry to try these again, or Cancel to leave them as they are.";
        EXPECT_EQ(expected, message);
    }
}

TEST(InstallReportTest, BoxNamesABoundedNumberOfShortenedPathsAndCountsTheRest) {
    CInstallReport report;
    const WideString deep = L"C:\\" + WideString(200, L'd') + L"\\QuillonTools\\a.8bf";
    for (int i = 0; i < 7; ++i)
        report.AddFailedCopy(L"C:\\A\\QuillonTools\\" + WideString(std::to_wstring(i).c_str()) +
                                 L".8bf",
                             kTargetIsAFolder, Side::Destination);
    for (int i = 0; i < 7; ++i)
        report.AddFailedCopy(deep, ERROR_ACCESS_DENIED, Side::Destination);
    for (int i = 0; i < 3; ++i)
        report.AddFailedCopy(L"C:\\B\\QuillonTools\\" + WideString(std::to_wstring(i).c_str()) +
                                 L".8bf",
                             ERROR_PATH_NOT_FOUND, Side::Destination);
    report.AddUnloggedDestination(L"C:\\C\\QuillonTools", ERROR_ACCESS_DENIED);
    report.AddUnloggedDestination(L"C:\\D\\QuillonTools", ERROR_ACCESS_DENIED);
    const WideString message = report.Message("C:\\Kit\\puninst.log");

    // Five of a group at most, twelve in the whole box; every group names one at least.
    EXPECT_NE(WideString::npos, message.find(L"C:\\A\\QuillonTools\\4.8bf\n... and 2 more\n"));
    const WideString shortened =
        L"C:\\" + WideString(27, L'd') + L"..." + WideString(28, L'd') + L"\\QuillonTools\\a.8bf";
    EXPECT_NE(WideString::npos, message.find(L"read-only:\n" + shortened + L"\n"));
    EXPECT_NE(WideString::npos, message.find(shortened + L"\n... and 2 more\n"));
    EXPECT_NE(WideString::npos,
              message.find(L"invalid:\nC:\\B\\QuillonTools\\0.8bf\nC:\\B\\QuillonTools\\1.8bf\n"
                           L"... and 1 more\n"));
    EXPECT_NE(WideString::npos,
              message.find(L"puninst.log:\nC:\\C\\QuillonTools\n... and 1 more\n"));
    EXPECT_EQ(WideString::npos, message.find(WideString(29, L'd')));
    EXPECT_FALSE(report.CanRetry());
}
} // namespace
