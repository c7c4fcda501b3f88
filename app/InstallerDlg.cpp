#include "app/InstallerDlg.h"

#include "framework/WinApp.h"
#include "ui/AboutDlg.h"

CInstallerDlg::CInstallerDlg(CWnd* parent) : CDialog(IDD, parent), m_nTarget(kTargetHosts) {
    HINSTANCE resources = AfxGetResourceHandle();
    // Loaded as the dialog's own copy (LoadIcon would give a shared one that must not
    // be destroyed).
    m_hIcon = static_cast<HICON>(
        ::LoadImageA(resources, MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    m_hPicture = static_cast<HBITMAP>(::LoadImageA(resources, MAKEINTRESOURCEA(IDB_PICTURE),
                                                   IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    BITMAP info{};
    if (m_hPicture != nullptr && ::GetObjectA(m_hPicture, sizeof(info), &info) != 0) {
        m_cxPicture = info.bmWidth;
        m_cyPicture = info.bmHeight;
    }
}

// The icon and the picture are the dialog's own: released with it.
CInstallerDlg::~CInstallerDlg() {
    if (m_hPicture != nullptr)
        ::DeleteObject(m_hPicture);
    if (m_hIcon != nullptr)
        ::DestroyIcon(m_hIcon);
}

const MessageMap& CInstallerDlg::GetMessageMap() const {
    static const MessageMapEntry entries[] = {
        MapMessage<WM_SYSCOMMAND, &CInstallerDlg::OnSysCommand>(),
        MapMessage<WM_PAINT, &CInstallerDlg::OnPaint>(),
        MapMessage<WM_QUERYDRAGICON, &CInstallerDlg::OnQueryDragIcon>(),
        MapCommand<BN_CLICKED, IDC_TARGET_HOSTS, &CInstallerDlg::OnTargetChanged>(),
        MapCommand<BN_CLICKED, IDC_BROWSE, &CInstallerDlg::OnChooseFolder>(),
        MapCommand<BN_CLICKED, IDC_TARGET_OTHER, &CInstallerDlg::OnTargetChanged>(),
        MapCommand<LBN_SELCHANGE, IDC_HOST_LIST, &CInstallerDlg::OnHostSelChange>(),
    };
    static const MessageMap map(&CDialog::GetMessageMap(), entries);
    return map;
}

void CInstallerDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PICTURE, m_wndPicture);
    DDX_Control(pDX, IDC_HOST_PATH, m_wndHostPath);
    DDX_Control(pDX, IDC_HOST_LIST, m_lstHosts);
    DDX_Radio(pDX, IDC_TARGET_HOSTS, m_nTarget);
    DDX_Text(pDX, IDC_OTHER_PATH, m_strOtherPath);
}

BOOL CInstallerDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    AddAboutEntry(m_hWnd);
    SetIcon(m_hIcon, true);
    SetIcon(m_hIcon, false);
    // The folder box is read by the radio button above it, which labels it on screen.
    m_nameBrowse.Attach(GetDlgItem(IDC_BROWSE), "Browse for another place");
    m_nameOtherPath.Attach(GetDlgItem(IDC_OTHER_PATH), WindowText(GetDlgItem(IDC_TARGET_OTHER)));
    DiscoverHosts();
    return TRUE;
}
