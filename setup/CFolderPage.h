// The page where the user chooses the installation folder, typed or browsed for.
#pragma once
#include "CHoverButton.h"
#include "CSetupPage.h"

class CFolderPage : public CSetupPage {
public:
    CFolderPage();
    CString m_strFolder;

    // The shell's folder browser titled with string title, starting at start; an empty
    // string when cancelled.
    static CString BrowseForFolder(CWnd* owner, UINT title, const CString& start);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnFolderChange();
    afx_msg void OnBrowse();
    DECLARE_MESSAGE_MAP()

private:
    CHoverButton m_btnBrowse;
};
