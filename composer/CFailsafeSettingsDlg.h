// "Failsafe Program Settings": the installer in the base folder that the player runs for
// a target whose viewer the user may lack, when it runs, the confirmation box before it
// and the reboot prompt after it. OK is button 1084 only; the standard OK does nothing.
#pragma once
#include "CSettingsDlg.h"

class CViewer;

class CFailsafeSettingsDlg : public CSettingsDlg {
public:
    enum { IDD = IDD_FAILSAFE_SETTINGS, MaxConfirmationLength = 5000 };
    static const char* const DefaultConfirmation;

    explicit CFailsafeSettingsDlg(CWnd* parent = nullptr);

    // The opener's side, as for the viewer settings: copy in, run, write back on OK only.
    void CopyFrom(const CViewer& viewer, const CString& baseFolder);
    void WriteBack(CViewer& viewer) const;
    static INT_PTR Edit(CViewer& viewer, const CString& baseFolder, CWnd* parent);

    int m_useFailsafe = 0;
    CString m_failsafePath;
    int m_tryTargetFirst = 0;
    int m_checkVersion = 0;
    int m_alwaysRun = 0;
    int m_displayConfirmation = 1;
    int m_reboot = 0;
    CString m_version;
    CString m_confirmation;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void ApplyEnableRules() override;
    void OnOK() override {}

    afx_msg void OnUseFailsafe();
    afx_msg void OnBrowse();
    afx_msg void OnTryTargetFirst();
    afx_msg void OnCheckVersion();
    afx_msg void OnAlwaysRun();
    afx_msg void OnDisplayConfirmation();
    afx_msg void OnClear();
    afx_msg void OnFailsafeOk();
    DECLARE_MESSAGE_MAP()

private:
    // The run conditions, the confirmation box and the reboot prompt, as use failsafe ticked
    // allows them (the version and the text also follow their check boxes).
    void EnableRunOptions();
    void DisableRunOptions();

    CHoverButton m_browse;
    BOOL m_validating = FALSE;
};
