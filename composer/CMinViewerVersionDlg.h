// "Minimum Additional Viewer Version": whether the player installs an additional viewer
// also when the one it finds is older than a version. OK with the check box off hands
// back an empty version.
#pragma once
#include "CDialog.h"
#include "ComposerResource.h"

class CMinViewerVersionDlg : public CDialog {
public:
    enum { IDD = IDD_MIN_VIEWER_VERSION };
    explicit CMinViewerVersionDlg(CWnd* parent = nullptr) : CDialog(IDD, parent) {}

    CString m_version;
    int m_check = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void OnCheck();
    afx_msg void OnVersionChanged();
    DECLARE_MESSAGE_MAP()
};
