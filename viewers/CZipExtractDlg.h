// The extractor dialog of a Zip target: the author's message, the proposed destination the
// user may change, and Install, which unpacks the archive with a progress bar and makes the
// shortcuts. Only a completed installation ends it with OK, and after one every way of
// closing it does.
#pragma once
#include "CDialog.h"
#include "CHoverButton.h"
#include "CProgressCtrl.h"
#include "ShortcutInfo.h"
#include "ViewersExport.h"
#include "ViewersResource.h"

class VIEWERS_API CZipExtractDlg : public CDialog {
public:
    enum { IDD = IDD_ZIP_EXTRACT };
    CZipExtractDlg();

    CProgressCtrl m_progress;
    CHoverButton m_browse;
    CString m_message;
    CString m_destination;
    CString m_archivePath;
    CString m_password;
    CString m_folderName;
    int m_numShortcuts = 0;
    ShortcutInfo* m_shortcuts = nullptr;  // the viewer's list, borrowed
    bool m_done = false;

    // What the dialog did, for the viewer's log.
    CString GetLog() const { return m_log; }
    void Install();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Button 1, the close box and Esc: done once the installation has completed, else cancelled.
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnBrowse();
    afx_msg void OnInstall();
    afx_msg void OnDestinationChange();
    DECLARE_MESSAGE_MAP()

private:
    // A message box over the dialog; returns its answer.
    int Tell(const CString& text, UINT type = MB_OK | MB_ICONEXCLAMATION);
    void CreateShortcuts();

    CString m_log;
    bool m_exchanging = false;
};
