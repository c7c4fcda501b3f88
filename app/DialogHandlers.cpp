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
    if (chooser.DoModal() == IDOK) {
        m_strOtherPath = chooser.GetPath();
        UpdateData(false);
    }
}

void CInstallerDlg::OnHostSelChange() {
    const int row = m_lstHosts.GetCurSel();
    if (row < 0 || static_cast<size_t>(row) >= m_arrHostDirs.size())
        return;
    ::SetWindowTextW(m_wndHostPath.m_hWnd, m_arrHostRealDirs[static_cast<size_t>(row)].c_str());
}

void CInstallerDlg::OnSysCommand(UINT id, LPARAM) {
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
        return;
    }
    Default();
}

// Everything is painted through the dialog's own paint DC, in one pass: the minimised
// window's icon, or the picture frame (a child without a background of its own, so the
// dialog paints beneath it and the frame draws only its border on top).
void CInstallerDlg::OnPaint() {
    CPaintDC dc(m_hWnd);
    if (IsIconic()) {
        RECT client{};
        ::GetClientRect(m_hWnd, &client);
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC));
        const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
        const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
        ::DrawIcon(dc.m_hDC, x, y, m_hIcon);
        return;
    }

    RECT frame{};
    ::GetClientRect(m_wndPicture.m_hWnd, &frame);
    ::MapWindowPoints(m_wndPicture.m_hWnd, m_hWnd, reinterpret_cast<POINT*>(&frame), 2);
    // A picture larger than the frame is cut at the frame's edge.
    ::IntersectClipRect(dc.m_hDC, frame.left, frame.top, frame.right, frame.bottom);
    ::FillRect(dc.m_hDC, &frame, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    if (m_hPicture == nullptr)
        return;
    // Centred in the frame; a picture larger than the frame gets negative offsets.
    const int x = frame.left + (frame.right - frame.left - m_cxPicture) / 2;
    const int y = frame.top + (frame.bottom - frame.top - m_cyPicture) / 2;
    CBitmapDC picture(dc.m_hDC, m_hPicture);
    ::BitBlt(dc.m_hDC, x, y, m_cxPicture, m_cyPicture, picture.m_hDC, 0, 0, SRCCOPY);
}

HCURSOR CInstallerDlg::OnQueryDragIcon() {
    return reinterpret_cast<HCURSOR>(m_hIcon);
}
