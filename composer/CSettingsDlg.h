// The frame every settings dialog of the program shares: a help band in the highlight
// colour with an icon and a title, under it a read-only rich-text help panel, help buttons
// with the help icons, framed OK, Cancel and Test buttons, and a caption made of the
// dialog's prefix and the target's file name. The panel is where the dialog talks to the
// author; a warning icon in the band marks a refusal.
//
// A dialog derives from it, fills m_frame in its constructor and adds its own rules:
//
//   class CExampleDlg : public CSettingsDlg {
//   public:
//       CExampleDlg(CWnd* parent = nullptr) : CSettingsDlg(IDD_EXAMPLE, parent)
//       {
//           m_frame.captionPrefix = "Example Settings for ";   // null keeps the template's
//           m_frame.firstHelpTitle = IDS_TITLE_EXAMPLE;
//           m_frame.firstHelpText = IDS_HELP_EXAMPLE;
//           m_frame.helpButtons = {{IDC_HELP_1, IDS_TITLE_1, IDS_TEXT_1}};
//       }
//   protected:
//       void DoDataExchange(CDataExchange* pDX) override;   // the members <-> the controls
//       void ApplyEnableRules() override;                     // run at the end of the frame's start
//       afx_msg void OnSomething();                           // rules of its own
//       DECLARE_MESSAGE_MAP()
//   };
//
// The members mirror the screen: a check box click, an edit change or a list selection
// that the dialog's message map does not handle pulls the controls into the members at
// once (UpdateData(TRUE)); pushing the members (UpdateData(FALSE)) never pulls half-way.
#pragma once
#include "CCorvEdit.h"
#include "CDialog.h"
#include "CHoverButton.h"
#include "CMenuButton.h"
#include "CSeparatorStatic.h"
#include "ComposerResource.h"

#include <initializer_list>
#include <memory>
#include <vector>

class CSettingsDlg : public CDialog {
public:
    // A help button and the help it shows (string-table ids).
    struct HelpButton {
        UINT button, title, text;
    };
    // What a dialog sets in its constructor; the frame builds itself from it.
    struct Frame {
        const char* captionPrefix = nullptr;  // caption = prefix + target file name; null: the template's
        UINT firstHelpTitle = 0, firstHelpText = 0;
        UINT helpPanelId = IDC_HELP_PANEL;
        // 0: the panel reaches down to the bottom of the separator 1023; else it ends 8
        // pixels above the top of this control.
        UINT panelEndsAbove = 0;
        std::vector<HelpButton> helpButtons;
        std::vector<UINT> framedButtons = {IDOK, IDCANCEL, IDC_TEST};
    };
    // What a browse for a file in the base folder came to.
    enum BrowseResult { BrowseCancelled, BrowseInside, BrowseOutside };

    CSettingsDlg(UINT templateId, CWnd* parent);
    ~CSettingsDlg() override;

    // Set by the opener before the dialog runs.
    CString m_programDirectory;  // the CD-ROM base folder
    CString m_targetFilename;    // as the project stores it

    // Title and text from the string table into the band and the panel, the warning icon
    // or not; then the members are pushed to the controls and the band repainted.
    void ShowHelp(UINT titleId, UINT textId, BOOL warning = FALSE);

    // What the frame shows, for the dialogs' tests.
    const CString& HelpTitle() const { return m_helpTitle; }
    CString HelpText() const { return m_helpPanel.GetText(); }
    BOOL HelpWarning() const { return m_helpWarning; }
    const RECT& HelpBand() const { return m_band; }
    HWND HelpPanelWindow() const { return m_helpPanel.GetSafeHwnd(); }

    static CString LoadText(UINT id);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE) override;
    // The dialog's enable rules, run last in the frame's start; nothing by default.
    virtual void ApplyEnableRules() {}

    // The members from the screen as it is now, without the checks' messages: every control
    // is read; only a value that does not read yet (a number field emptied to be typed anew)
    // is passed over and keeps its member as it was. OK runs the full checks.
    void PullControls();
    void PushControls() { UpdateData(FALSE); }
    void EnableControls(std::initializer_list<UINT> ids, BOOL enable);
    BOOL IsChecked(UINT id) const { return ::IsDlgButtonChecked(m_hWnd, static_cast<int>(id)) == BST_CHECKED; }
    // A hover button of the dialog with its two icons and its tooltip (string id, 0: none).
    void SetUpHoverButton(CHoverButton& button, UINT id, UINT iconIn, UINT iconOut, UINT tooltip);

    // The file-open dialog for a file in the base folder (file and path must exist, the
    // current folder stays), starting there. Inside: stored := the name relative to the
    // base folder. Outside: stored := "" and the warning help says the file must be in
    // the base folder. Cancel changes nothing. The dialog adds its own consequences.
    // nameBuffer is the room for the chosen name in bytes (0: the file dialog's own).
    enum { TargetNameBuffer = 65535 };
    BrowseResult BrowseInBaseFolder(const char* title, const char* filter, CString& stored, DWORD nameBuffer = 0);

    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

    Frame m_frame;

private:
    void LayOutHelpArea();
    RECT ChildRect(UINT id) const;

    CCorvEdit m_helpPanel;
    CString m_helpTitle;
    BOOL m_helpWarning = FALSE;
    HICON m_normalIcon = nullptr;
    HICON m_warningIcon = nullptr;
    RECT m_band = {};
    BOOL m_pushing = FALSE;
    CSeparatorStatic m_helpSeparator;
    CSeparatorStatic m_headings[3];  // 1021, 1022 and 1024 where the dialog has them
    std::vector<std::unique_ptr<CHoverButton>> m_helpButtons;
    std::vector<std::unique_ptr<CMenuButton>> m_framedButtons;
};
