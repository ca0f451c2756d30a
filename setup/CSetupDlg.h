// The installer's main window: unpacks the payload with a progress bar, then runs the
// installing pages, or, without a payload, the removing pages.
#pragma once
#include "CInstallList.h"
#include "CInstallation.h"
#include "CSfxArchive.h"
#include "Framework.h"
#include <memory>

class CSetupDlg : public CDialog {
public:
    CSetupDlg();

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnTimer(UINT_PTR id);
    DECLARE_MESSAGE_MAP()

private:
    static void OnEntryExtracted(const CSfxEntry& entry, void* context);
    // Unpacks Data1.cab and reads and checks its list; false (after telling why) ends the run.
    bool PrepareInstall();
    void RunInstall();
    void RunRemoval();
    void CleanUp();
    void Fail();

    std::unique_ptr<CInstallList> m_list; // about 850 KB: on the heap
    CInstallation m_installation;
    CProgressCtrl m_progress;
    HICON m_hIcon = nullptr;
    CString m_tempFolder;
    UINT_PTR m_timer = 0;
    CSfxArchive m_payload;
    CString m_installFolder;
};
