// "Splash Screen Settings": the project's splash picture, its sound, how long it stays up
// and the background colour around it. Test shows the splash at once; it ends by itself
// (its timer, a click) while the dialog stays usable.
#pragma once
#include "CSettingsDlg.h"

#include <memory>

class CImageViewer;
class CProjectData;

class CSplashSettingsDlg : public CSettingsDlg {
public:
    enum { IDD = IDD_SPLASH_SETTINGS };

    explicit CSplashSettingsDlg(CWnd* parent = nullptr);
    ~CSplashSettingsDlg() override;

    // The opener's side (the main dialog's splash settings button): the project's splash
    // fields in, and on OK back: picture, duration, sound, background flag and colour.
    void CopyFrom(const CProjectData& project, const CString& baseFolder);
    void WriteBack(CProjectData& project) const;
    static INT_PTR Edit(CProjectData& project, const CString& baseFolder, CWnd* parent);

    CString m_image;
    CString m_sound;
    CString m_duration = "5";
    int m_showBackground = 0;
    COLORREF m_backgroundColour;

    // The splash of the last Test while the dialog lives, else null. The dialog owns it: a
    // new Test replaces it, closing the dialog ends it.
    CImageViewer* TestSplash() const { return m_testSplash.get(); }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void ApplyEnableRules() override;

    afx_msg void OnBackground();
    afx_msg void OnBrowseImage();
    afx_msg void OnBrowseSound();
    afx_msg void OnClearSound();
    afx_msg void OnSwatch();
    afx_msg void OnTest();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    CHoverButton m_browseImage, m_browseSound, m_clearSound;
    CMenuButton m_swatch;
    std::unique_ptr<CImageViewer> m_testSplash;
};
