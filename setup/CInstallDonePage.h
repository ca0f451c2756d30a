// The installer's last page, with the desktop shortcut check box.
#pragma once
#include "CSetupPage.h"

class CInstallDonePage : public CSetupPage {
public:
    explicit CInstallDonePage(const CString& installFolder);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    CString m_installFolder;
};
