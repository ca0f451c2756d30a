// The page that removes the installation once it shows.
#pragma once
#include "CInstallation.h"
#include "CSetupPage.h"

class CRemoveProgressPage : public CSetupPage {
public:
    CRemoveProgressPage(CInstallation& installation, CInstallList& list, const CString& ownFolder);

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnTimer(UINT_PTR id);
    DECLARE_MESSAGE_MAP()

private:
    CInstallation& m_installation;
    CInstallList& m_list;
    CString m_ownFolder;
    CProgressCtrl m_progress;
    UINT_PTR m_timer = 0;
};
