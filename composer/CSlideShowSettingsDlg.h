// "SlideShow Settings": a SlideShow target's play settings, window size, pictures in show
// order, display time, music and background colour. The dialog owns a working slideshow
// viewer: its slide list carries the slides to the opener, and Test runs the show on it.
// A show still running is ended before the slide list changes and when the dialog closes.
#pragma once
#include "CListCtrl.h"
#include "CSettingsDlg.h"
#include "CSystemImageList.h"

#include <memory>
#include <vector>

class CSlideShowViewer;

class CSlideShowSettingsDlg : public CSettingsDlg {
public:
    enum { IDD = IDD_SLIDESHOW_SETTINGS, MinColumnWidth = 100 };
    enum WindowSize { SizeCustom = 0, SizeFullScreen = 1 };
    enum DisplayTimeType { TimeSeconds = 0, TimeSpreadOverMusic = 1 };

    explicit CSlideShowSettingsDlg(CWnd* parent = nullptr);
    ~CSlideShowSettingsDlg() override;

    // The opener's side: the members and the working viewer's slides from the target's
    // viewer, and on OK back into it in the fixed order, its slides replaced by the list's
    // and its file name "SlideShow" (what the opener also shows as the target's summary).
    // Edit does all of it and gives DoModal's result. Cancel writes nothing.
    void CopyFrom(const CSlideShowViewer& viewer, const CString& baseFolder);
    void WriteBack(CSlideShowViewer& viewer) const;
    static INT_PTR Edit(CSlideShowViewer& viewer, const CString& baseFolder, CWnd* parent);

    int m_loop = 0;
    int m_closeAfterDone = 1;
    int m_closeButton = 0;
    int m_windowSize = SizeCustom;
    int m_width = 800;
    int m_height = 600;
    int m_displayTimeType = TimeSeconds;
    int m_seconds = 5;
    CString m_music;  // relative to the base folder
    int m_imageSizeType = 0;
    COLORREF m_backgroundColor = 0;

    // The working viewer (its slides are the dialog's result) and what the list holds.
    CSlideShowViewer& WorkingViewer() const { return *m_viewer; }
    int SlideCount() const { return m_slideCount; }
    int ColumnWidth() const { return m_columnWidth; }
    std::vector<CString> ListedSlides() const;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void ApplyEnableRules() override;
    void OnOK() override;

    afx_msg void OnRuleChange();
    afx_msg void OnAddImages();
    afx_msg void OnDeleteImage();
    afx_msg void OnMoveUp();
    afx_msg void OnMoveDown();
    afx_msg void OnBrowseMusic();
    afx_msg void OnClearMusic();
    afx_msg void OnSwatch();
    afx_msg void OnTest();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // A file inside the base folder is listed as the last item, by its name below the base
    // folder; any other is left out without a word.
    void AddFile(const CString& path);
    // The column as wide as the widest item, never narrower than from.
    void FitColumn(int from);
    int SelectedItem() const { return m_slides.GetNextItem(-1, LVNI_SELECTED); }
    void SelectItem(int item);
    // The selected item one place up (-1) or down (+1).
    void MoveSelected(int step);
    // The working viewer's slides become the list's, in list order; a show on screen is
    // ended first, so the list it walks never changes under it.
    void TakeSlidesFromList();
    void EndTestShow();
    // The settings on screen into a viewer, in the opener's order.
    void Apply(CSlideShowViewer& viewer) const;

    std::unique_ptr<CSlideShowViewer> m_viewer;
    CListCtrl m_slides;
    CSystemImageList m_imageList;
    int m_slideCount = 0;
    int m_columnWidth = MinColumnWidth;
    CMenuButton m_addImages, m_deleteImage, m_moveUp, m_moveDown, m_swatch;
    CHoverButton m_browseMusic, m_clearMusic;
    CSeparatorStatic m_headings[3];  // 1025, 1167 and 1168; the frame has the others
};
