// The page that installs: copies the files, makes the shortcuts and writes the uninstall
// entry once it shows; a failure tells the user and ends the page with IDABORT.
#pragma once
#include "CInstallation.h"
#include "CSetupPage.h"

class CInstallProgressPage : public CSetupPage {
public:
    CInstallProgressPage(CInstallation& installation, CInstallList& list, const CString& tempFolder,
                         const CString& installFolder);

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnTimer(UINT_PTR id);
    DECLARE_MESSAGE_MAP()

private:
    CInstallation& m_installation;
    CInstallList& m_list;
    CString m_tempFolder, m_installFolder;
    CProgressCtrl m_progress;
    UINT_PTR m_timer = 0;
};
