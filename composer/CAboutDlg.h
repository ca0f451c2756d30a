// "About Velmora Composer": the program's icon, its version history in a help panel, Close.
#pragma once
#include "CCorvEdit.h"
#include "CDialog.h"
#include "CMenuButton.h"
#include "ComposerResource.h"

class CAboutDlg : public CDialog {
public:
    enum { IDD = IDD_ABOUTBOX };
    explicit CAboutDlg(CWnd* pParent = nullptr) : CDialog(IDD, pParent) {}

    // The text of the history panel: the program's name, version and build date, then each
    // version from the newest down with its changes.
    static CString History();

protected:
    BOOL OnInitDialog() override;

private:
    CMenuButton m_close;
    CCorvEdit m_history;
};
