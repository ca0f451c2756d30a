// "Flash Viewer Settings": how a Flash movie plays in the presentation's own Flash window
// (start, loop, close at the end, window size, close button, right-click menu). Test plays
// the movie with what is on screen in a test viewer the dialog owns: every Test reuses it,
// and a test window still open goes with the dialog.
#pragma once
#include "CSettingsDlg.h"

#include <memory>

class CFlashViewer;

class CFlashViewerSettingsDlg : public CSettingsDlg {
public:
    enum { IDD = IDD_FLASH_SETTINGS };
    enum WindowSize { SizeCustom = 0, SizeFullScreen = 1 };

    explicit CFlashViewerSettingsDlg(CWnd* parent = nullptr);
    ~CFlashViewerSettingsDlg() override;

    // The opener's side: the members from the target's viewer, and on OK back into it in the
    // fixed order; Edit does all of it and gives DoModal's result. Cancel writes nothing.
    void CopyFrom(const CFlashViewer& viewer, const CString& baseFolder);
    void WriteBack(CFlashViewer& viewer) const;
    static INT_PTR Edit(CFlashViewer& viewer, const CString& baseFolder, CWnd* parent);

    int m_startPlaying = 1;
    int m_loop = 0;
    int m_closeAfterFinished = 0;
    int m_closeButton = 0;
    int m_windowSize = -1;  // none chosen until the opener sets one
    int m_width = 0;
    int m_height = 0;
    int m_rightClickMenu = 0;

    // The viewer Test runs while the dialog's window is up; null after.
    CFlashViewer* TestViewer() const { return m_testViewer.get(); }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void ApplyEnableRules() override;

    afx_msg void OnWindowSize();
    afx_msg void OnTest();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // The settings on screen into a viewer, in the opener's order.
    void Apply(CFlashViewer& viewer) const;

    std::unique_ptr<CFlashViewer> m_testViewer;
};
