#include "tests/framework/TestDialog.h"
#include "tests/support/WindowDriver.h"

#include <gtest/gtest.h>

namespace {
bool Checked(CDialog& dialog, int id) {
    return ::SendMessageA(dialog.GetDlgItem(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Check(CDialog& dialog, int checkedId) {
    for (int id : {IDC_RADIO_A, IDC_RADIO_B, IDC_RADIO_C})
        ::SendMessageA(dialog.GetDlgItem(id), BM_SETCHECK,
                       id == checkedId ? BST_CHECKED : BST_UNCHECKED, 0);
}

// Runs the dialog with a script that ends it; the script's findings are checked
// after DoModal returns, on the test's own thread.
template <class Script> void RunDialog(TestDialog& dialog, Script script) {
    dialog.m_onInit = [&](TestDialog& d) {
        script(d);
        d.EndDialog(IDCANCEL);
    };
    ASSERT_EQ(IDCANCEL, dialog.DoModal());
}

TEST(DataExchangeTest, RadioGroupCountsOnlyItsRadioButtonsUpToTheNextGroup) {
    TestDialog dialog;
    dialog.m_nChoice = 1;
    bool written[3] = {};
    bool otherGroupKept = false;
    int readBack[4] = {};
    bool noneForOutOfRange = false;
    RunDialog(dialog, [&](TestDialog& d) {
        // Written at initialisation: position 1 is B, although an edit box lies
        // between A and B.
        written[0] = Checked(d, IDC_RADIO_A);
        written[1] = Checked(d, IDC_RADIO_B);
        written[2] = Checked(d, IDC_RADIO_C);

        ::SendMessageA(d.GetDlgItem(IDC_RADIO_D), BM_SETCHECK, BST_CHECKED, 0);
        d.m_nChoice = 2;
        d.UpdateData(false);
        otherGroupKept =
            Checked(d, IDC_RADIO_D) && Checked(d, IDC_RADIO_C) && !Checked(d, IDC_RADIO_B);

        Check(d, IDC_RADIO_A);
        d.UpdateData(true);
        readBack[0] = d.m_nChoice;
        Check(d, IDC_RADIO_C);
        d.UpdateData(true);
        readBack[1] = d.m_nChoice;
        Check(d, 0);
        d.UpdateData(true);
        readBack[2] = d.m_nChoice;

        d.m_nChoice = 3;
        d.UpdateData(false);
        noneForOutOfRange =
            !Checked(d, IDC_RADIO_A) && !Checked(d, IDC_RADIO_B) && !Checked(d, IDC_RADIO_C);
        d.UpdateData(true);
        readBack[3] = d.m_nChoice;
    });
    EXPECT_FALSE(written[0]);
    EXPECT_TRUE(written[1]);
    EXPECT_FALSE(written[2]);
    EXPECT_TRUE(otherGroupKept);
    EXPECT_EQ(0, readBack[0]);
    EXPECT_EQ(2, readBack[1]);
    EXPECT_EQ(-1, readBack[2]);
    EXPECT_TRUE(noneForOutOfRange);
    EXPECT_EQ(-1, readBack[3]);
}

TEST(DataExchangeTest, TextGoesBothWaysWhole) {
    TestDialog dialog;
    const std::string longText(1000, 'x');
    dialog.m_strText = "C:\\Plug-ins %s";
    std::string shown, readBack, emptied = "not yet";
    RunDialog(dialog, [&](TestDialog& d) {
        shown = TextOf(d.GetDlgItem(IDC_TEXT));
        ::SetWindowTextA(d.GetDlgItem(IDC_TEXT), longText.c_str());
        d.UpdateData(true);
        readBack = d.m_strText;
        ::SetWindowTextA(d.GetDlgItem(IDC_TEXT), "");
        d.UpdateData(true);
        emptied = d.m_strText;
    });
    EXPECT_EQ("C:\\Plug-ins %s", shown);
    EXPECT_EQ(longText, readBack);
    EXPECT_EQ("", emptied);
}
} // namespace
