// "Media Viewer Settings": how a video or sound file plays in the presentation's own media
// window (start, repeat, close at the end, window size, the player's controls and tracker, a
// close button and a coloured border). Test plays the file with what is on screen in a test
// viewer the dialog owns; a test window still open goes with the dialog.
#pragma once
#include "CSettingsDlg.h"

#include <memory>

class CMediaViewer;

class CMediaViewerSettingsDlg : public CSettingsDlg {
public:
    enum { IDD = IDD_MEDIA_SETTINGS };
    enum WindowSize { SizeOfVideo = 0, SizeFullScreen = 1, SizeCustom = 2 };

    explicit CMediaViewerSettingsDlg(CWnd* parent = nullptr);
    ~CMediaViewerSettingsDlg() override;

    // The opener's side: the members from the target's viewer, and on OK back into it in the
    // fixed order (its position, audio, display and background settings are not edited here);
    // Edit does all of it and gives DoModal's result. Cancel writes nothing.
    void CopyFrom(const CMediaViewer& viewer, const CString& baseFolder);
    void WriteBack(CMediaViewer& viewer) const;
    static INT_PTR Edit(CMediaViewer& viewer, const CString& baseFolder, CWnd* parent);

    int m_autoStart = 1;
    int m_repeat = 0;
    int m_closeAfterFinished = 1;
    int m_showControls = 1;
    int m_windowSize = SizeOfVideo;
    int m_borderWidth = 5;
    int m_width = 800;
    int m_height = 600;
    int m_closeButton = 0;
    int m_showBorder = 0;
    int m_showTracker = 0;
    COLORREF m_borderColor = 0;

    // The viewer Test runs while the dialog's window is up; null after.
    CMediaViewer* TestViewer() const { return m_testViewer.get(); }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void ApplyEnableRules() override;

    afx_msg void OnRuleChange();
    afx_msg void OnSwatch();
    afx_msg void OnTest();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // The settings on screen into a viewer, in the opener's order.
    void Apply(CMediaViewer& viewer) const;

    CMenuButton m_swatch;
    std::unique_ptr<CMediaViewer> m_testViewer;
};
