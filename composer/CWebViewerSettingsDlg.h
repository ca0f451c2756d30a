// "Web Viewer Settings": how the browser window of a web page or site looks (bars, size,
// position, an opening effect and its speed, waiting for the page, PDF links outside the
// browser). Test shows the page with what is on screen and closes the browser again after
// five seconds; the test viewer lives as long as the dialog's window, however it ends.
#pragma once
#include "CSettingsDlg.h"

#include <memory>

class CWebViewer;

class CWebViewerSettingsDlg : public CSettingsDlg {
public:
    enum { IDD = IDD_WEB_SETTINGS };
    enum SizeType { SizeDefault = 0, SizeMaximized = 1, SizeFullScreen = 2, SizeCustom = 3 };
    enum PositionType { PositionDefault = 0, PositionPreset = 1, PositionCustom = 2 };
    enum { SpeedMax = 200, MaxSize = 2048, MaxPercent = 100, TestTimer = 1, TestCloseMs = 5000, TestViewerId = 1 };

    explicit CWebViewerSettingsDlg(CWnd* parent = nullptr);
    ~CWebViewerSettingsDlg() override;

    // The opener's side: the members from the target's viewer, and on OK back into it in the
    // fixed order; the PDF setting travels only when withPdf (the Target Files dialog's
    // call; a menu button's web viewer keeps its own). Edit does all of it and gives
    // DoModal's result. Cancel writes nothing.
    void CopyFrom(const CWebViewer& viewer, const CString& baseFolder, bool withPdf);
    void WriteBack(CWebViewer& viewer, bool withPdf) const;
    static INT_PTR Edit(CWebViewer& viewer, const CString& baseFolder, bool withPdf, CWnd* parent);

    CString m_parameters;
    int m_toolBar = 1;
    int m_menuBar = 1;
    int m_addressBar = 1;
    int m_statusBar = 1;
    int m_resizable = 1;
    int m_width = 640;
    int m_height = 480;
    int m_x = 0;
    int m_y = 0;
    int m_useEffects = 0;
    int m_effectType = -1;
    int m_waitToLoad = 0;
    int m_launchPdfExternally = 0;
    int m_sizeType = SizeDefault;
    int m_positionType = PositionDefault;
    int m_preset = 0;
    int m_effectSpeed = 100;

    // For the tests: the test viewer (while the dialog's window is up) and the pending
    // close timer (-1 for none).
    CWebViewer* TestViewer() const { return m_testViewer.get(); }
    int TestTimerId() const { return m_testTimer; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void ApplyEnableRules() override;
    void OnOK() override;

    afx_msg void OnSizeType();
    afx_msg void OnPositionDefault();
    afx_msg void OnPositionPreset();
    afx_msg void OnPositionCustom();
    afx_msg void OnUseEffects();
    afx_msg void OnTest();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // The bars, size, position and effect settings into a viewer, in the opener's order.
    void Apply(CWebViewer& viewer) const;
    // Only the radio of the type checked, and the position inputs enabled as it asks.
    void ApplyPosition(int type);
    void StopTestTimer();
    // Where the slider pictures go, in client coordinates.
    RECT SpeedPicture(bool right) const;

    std::unique_ptr<CWebViewer> m_testViewer;
    int m_testTimer = -1;
    // The range checks run only when OK pulls the values.
    bool m_checkRanges = false;
};
