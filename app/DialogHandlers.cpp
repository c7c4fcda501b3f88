// What the dialog's controls do, and how the dialog paints its picture and its icon.
#include "app/InstallerDlg.h"

#include "folders/FolderChooser.h"
#include "framework/PaintDC.h"
#include "ui/AboutDlg.h"

void CInstallerDlg::OnTargetChanged() {
    UpdateData(true);
    m_lstHosts.EnableWindow(m_nTarget == kTargetHosts);
    ::EnableWindow(GetDlgItem(IDC_OTHER_PATH), m_nTarget == kTargetOther);
    ::EnableWindow(GetDlgItem(IDC_BROWSE), m_nTarget == kTargetOther);
    if (m_nTarget == kTargetOther && m_strOtherPath.empty())
        OnChooseFolder();
}

void CInstallerDlg::OnChooseFolder() {
    // The chooser starts at the folder last accepted or read, not at text typed since.
    const std::string start = m_strOtherPath;
    CFolderChooser chooser("Select Directory", "Plug-in folder", start.c_str(), nullptr);
    // Install adds the sub-folder: a folder it would have to refuse is refused here.
    chooser.SetRoomBelow(sizeof(kTargetSubFolder) - 1);
    if (chooser.DoModal() == IDOK) {
        m_strOtherPath = chooser.GetPath();
        UpdateData(false);
    }
}

void CInstallerDlg::OnHostSelChange() {
    const int row = m_lstHosts.GetCurSel();
    if (row < 0 || static_cast<size_t>(row) >= m_arrHostDirs.size())
        return;
    m_wndHostPath.SetWindowText(m_arrHostDirs[static_cast<size_t>(row)]);
}

void CInstallerDlg::OnSysCommand(UINT id, LPARAM) {
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
        return;
    }
    Default();
}

void CInstallerDlg::OnPaint() {
    if (IsIconic()) {
        CPaintDC dc(m_hWnd);
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC));
        RECT client{};
        ::GetClientRect(m_hWnd, &client);
        const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
        const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
        ::DrawIcon(dc.m_hDC, x, y, m_hIcon);
        return;
    }

    CPaintDC dc(m_hWnd);
    HDC frame = ::GetDC(m_wndPicture.m_hWnd);
    RECT rect{};
    ::GetClientRect(m_wndPicture.m_hWnd, &rect);
    HBRUSH white = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    ::FillRect(frame, &rect, white);
    if (m_hPicture != nullptr) {
        // Centred in the frame; a picture larger than the frame gets negative offsets.
        const int x = (rect.right - m_cxPicture - rect.left) / 2;
        const int y = (rect.bottom - m_cyPicture - rect.top) / 2;
        HDC memory = ::CreateCompatibleDC(frame);
        HGDIOBJ old = ::SelectObject(memory, m_hPicture);
        ::BitBlt(frame, x, y, m_cxPicture, m_cyPicture, memory, 0, 0, SRCCOPY);
        ::SelectObject(memory, old);
        ::DeleteDC(memory);
    } else {
        ::FillRect(frame, &rect, white);
    }
    Default();
    ::ReleaseDC(m_wndPicture.m_hWnd, frame);
}

HCURSOR CInstallerDlg::OnQueryDragIcon() {
    return reinterpret_cast<HCURSOR>(m_hIcon);
}
