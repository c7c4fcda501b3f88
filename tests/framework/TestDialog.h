#pragma once
// The framework's test dialog: its members, exchanged with its controls, and a script
// that runs once the dialog is initialised.
#include "framework/CheckListBox.h"
#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "test_resource.h"

#include <atomic>
#include <functional>
#include <string>

// The framework draws a row's check box and focus; the text part is left blank here.
class TestCheckList : public CCheckListBox {
protected:
    void DrawItem(const DRAWITEMSTRUCT&) override {}
};

class TestDialog : public CDialog {
public:
    TestDialog() : CDialog(IDD_TEST_EXCHANGE) {}

    int m_nChoice = 0;
    std::string m_strText;
    TestCheckList m_lstChecks;
    std::atomic<int> m_nCheckChanges{0};
    // Posted to the dialog after posted input: once it is counted, everything posted
    // before it has been handled.
    static constexpr UINT kMarkerCommand = 0x7F00;
    std::atomic<int> m_nMarkers{0};
    std::function<void(TestDialog&)> m_onInit;

    using CDialog::UpdateData;

protected:
    const MessageMap& GetMessageMap() const override {
        static const MessageMapEntry entries[] = {
            MapCommand<CLBN_CHKCHANGE, IDC_CHECKLIST, &TestDialog::OnCheckChange>(),
            MapCommand<BN_CLICKED, kMarkerCommand, &TestDialog::OnMarker>(),
        };
        static const MessageMap map(&CDialog::GetMessageMap(), entries);
        return map;
    }
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, IDC_CHECKLIST, m_lstChecks);
        DDX_Radio(pDX, IDC_RADIO_A, m_nChoice);
        DDX_Text(pDX, IDC_TEXT, m_strText);
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        if (m_onInit)
            m_onInit(*this);
        return TRUE;
    }

private:
    void OnCheckChange() { ++m_nCheckChanges; }
    void OnMarker() { ++m_nMarkers; }
};
