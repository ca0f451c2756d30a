// The authoring program's main dialog. It holds the whole project in memory (the project
// data with its target viewers, the base folder and the CD icon), edits the project-wide
// options, and runs Create, Open and Test; the help panel on the right explains each step
// and reports what went wrong.
#pragma once
#include "CCorvEdit.h"
#include "CDialog.h"
#include "CHoverButton.h"
#include "CMenuButton.h"
#include "CProjectData.h"
#include "CSeparatorStatic.h"
#include "CStatic.h"
#include "ComposerResource.h"

#include <memory>
#include <vector>

class CCmdUI;

class CProjectDlg : public CDialog {
public:
    enum { IDD = IDD_PROJECT };
    enum { HelpButtonCount = 9, StartupTimer = 1, StartupDelay = 300 };

    explicit CProjectDlg(CWnd* pParent = nullptr);
    ~CProjectDlg() override;

    // Loads title and text from the string table into the help panel (append: adds the text
    // after a blank line, the title stays), then refreshes the controls and the header.
    void ShowHelp(UINT titleId, UINT textId, BOOL warning, BOOL append = FALSE);
    // The same with a text of its own.
    void ShowHelpText(UINT titleId, const CString& text, BOOL warning);
    void EnableControls(BOOL enable);
    bool IsVersionAtLeast(int major, int minor, int build) const;

    const CProjectData& Project() const { return *m_project; }
    const CString& HelpTitle() const { return m_helpTitle; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Button 1 is Exit and button 2 is Create: the dialog manager's IDOK and IDCANCEL.
    void OnOK() override { OnExit(); }
    void OnCancel() override { OnCreate(); }

    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnClose();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    afx_msg void OnInitMenuPopup(CMenu* pPopup, UINT nIndex, BOOL bSysMenu);

    afx_msg void OnExit();
    afx_msg void OnCreate();
    afx_msg void OnOpenProject();
    afx_msg void OnTest();
    afx_msg void OnClearAll();
    afx_msg void OnWizardNew();
    afx_msg void OnWizardFailsafe();
    afx_msg void OnSingleInstance();
    afx_msg void OnRepeat();
    afx_msg void OnDebugMode();
    afx_msg void OnCheckAutoPlay();
    afx_msg void OnUsingInfo();
    afx_msg void OnManual();
    afx_msg void OnAbout();
    afx_msg void OnHelpButton(UINT nID);
    afx_msg void OnOptionChanged();

    afx_msg void OnBrowseBase();
    afx_msg void OnBrowseTargets();
    afx_msg void OnBrowseIcon();
    afx_msg void OnClearIcon();
    afx_msg void OnPreload();
    afx_msg void OnPreloadColour();
    afx_msg void OnSplash();
    afx_msg void OnSplashSettings();
    afx_msg void OnClearSplash();
    afx_msg void OnViewerChecking();
    afx_msg void OnViewerSettings();
    afx_msg void OnClearViewers();
    afx_msg void OnMusic();
    afx_msg void OnBrowseMusic();
    afx_msg void OnClearMusic();

    afx_msg void OnUpdateCreate(CCmdUI* pCmdUI);
    afx_msg void OnUpdateTest(CCmdUI* pCmdUI);
    afx_msg void OnUpdateSingleInstance(CCmdUI* pCmdUI);
    afx_msg void OnUpdateRepeat(CCmdUI* pCmdUI);
    afx_msg void OnUpdateDebugMode(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()

private:
    // The project back to a new project's values; every target viewer destroyed.
    void ResetProject();
    void RunWizard(bool withFailsafe);
    // The check boxes into the project (true) or the project into the check boxes.
    void ExchangeOptions(bool save);
    void RefreshControls();
    void RebuildTargetSummary();
    void ShowCdIcon();
    void SetTestEnabled(bool enabled);
    // The project controls off but the targets' own: the state of a project without targets.
    void EnableTargetChoiceOnly();
    // The two controls beside an option's check box follow it.
    void EnablePair(UINT first, UINT second, bool enable);
    // A file dialog for one existing file, starting in the base folder; the chosen path or "".
    CString ChooseFile(const char* title, const char* filter, const char* defaultExtension);
    CWnd* Control(UINT id);
    // The base folder with a trailing backslash.
    CString FolderPath() const;
    bool WriteProjectFiles(const CString& folder);
    void SetUpControls();
    void LayOutHelpPanel();

    std::unique_ptr<CProjectData> m_project;
    // The additional viewer rows as the author left them in their dialog (all of them, for
    // its next opening); the project holds the ones in use, which are written.
    std::vector<AdditionalViewerEntry> m_viewerRows;
    CString m_baseFolder;
    CString m_targetSummary;
    CString m_cdIcon;  // relative to the base folder; empty: the player's own icon

    CCorvEdit m_helpPanel;
    CString m_helpTitle;
    BOOL m_helpWarning = FALSE;
    RECT m_band = {};
    RECT m_etchedLine = {};
    HICON m_headerIcon = nullptr;
    HICON m_warningIcon = nullptr;
    HICON m_defaultCdIcon = nullptr;
    HICON m_cdIconShown = nullptr;  // loaded from the chosen icon file, or null
    HICON m_programIcon = nullptr;
    CString m_startupDirectory;
    CString m_programFolder;  // with a trailing backslash
    UINT_PTR m_startupTimer = 0;

    CHoverButton m_helpButtons[HelpButtonCount];
    CHoverButton m_browseBase, m_browseTargets, m_browseIcon, m_clearIcon, m_browseMusic, m_clearMusic;
    CHoverButton m_splashSettings, m_clearSplash, m_viewerSettings, m_clearViewers, m_wizardNew, m_wizardFailsafe;
    CMenuButton m_exit, m_create, m_test, m_preloadColour;
    CSeparatorStatic m_required, m_optional, m_helpSeparator;
    CStatic m_cdIconStatic;
};
