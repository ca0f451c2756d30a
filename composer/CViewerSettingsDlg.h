// "Viewer Settings": how a File target is launched, the window state of the program that
// opens it and the "Try and Force" programs; Test launches the target with what is on
// screen. Also opened for a menu button that launches a file.
#pragma once
#include "CSettingsDlg.h"

class CViewer;

class CViewerSettingsDlg : public CSettingsDlg {
public:
    enum { IDD = IDD_VIEWER_SETTINGS };
    enum WindowState { StateNormal = 0, StateMaximized = 1, StateMinimized = 2 };

    explicit CViewerSettingsDlg(CWnd* parent = nullptr);

    // The opener's side: the members from the target's viewer (program directory the base
    // folder), and on OK back into it in the fixed order. Edit does all of it and gives
    // DoModal's result; Cancel writes nothing.
    void CopyFrom(const CViewer& viewer, const CString& baseFolder);
    void WriteBack(CViewer& viewer) const;
    static INT_PTR Edit(CViewer& viewer, const CString& baseFolder, CWnd* parent);

    int m_viewerType = 0;  // 1 Folder, anything else File
    int m_windowState = StateNormal;
    int m_tryAndForce = 0;
    CString m_forceProgram1;
    CString m_forceProgram2;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void ApplyEnableRules() override;

    afx_msg void OnTryAndForce();
    afx_msg void OnTest();
    DECLARE_MESSAGE_MAP()
};
