// "Set Your Target File(s)": up to ten targets in the order the player opens them, each
// with the kind of viewer that shows it, its parameters, how often it opens and its
// failsafe program. The dialog works on copies of the project's targets; the project takes
// them back only on OK, with the gaps between used slots closed.
#pragma once
#include "CCorvEdit.h"
#include "CDialog.h"
#include "CHoverButton.h"
#include "CMenuButton.h"
#include "CProjectData.h"
#include "ComposerResource.h"

#include <memory>

class CTargetFilesDlg : public CDialog {
public:
    enum { IDD = IDD_TARGET_FILES, Slots = CProjectData::MaxTargets };

    explicit CTargetFilesDlg(CWnd* parent = nullptr);
    ~CTargetFilesDlg() override;

    // The opener's side: a copy of every project target (a child window of owner, the main
    // dialog), and on OK the used slots back into the project in their order, gaps closed;
    // project targets beyond them are destroyed. Cancel writes nothing.
    void CopyFrom(const CProjectData& project, const CString& baseFolder, CWnd* owner);
    void WriteBack(CProjectData& project, CWnd* owner) const;
    static INT_PTR Edit(CProjectData& project, const CString& baseFolder, CWnd* parent);

    // The slot's viewer, or null.
    CViewer* Viewer(int slot) const { return m_viewers[slot].get(); }

    CString m_baseFolder;
    CString m_targets[Slots];
    CString m_parameters[Slots];
    int m_launchTarget[Slots] = {};

    static UINT TargetId(int k) { return IDC_TF_TARGET_0 + 2 * static_cast<UINT>(k); }
    static UINT ParametersId(int k) { return TargetId(k) + 1; }
    static UINT BrowseId(int k) { return k == 0 ? IDC_TF_BROWSE_0 : IDC_TF_BROWSE_1 + static_cast<UINT>(k) - 1; }
    static UINT FailsafeId(int k) { return IDC_TF_FAILSAFE_0 + static_cast<UINT>(k); }
    static UINT ClearId(int k) { return k < 6 ? IDC_TF_CLEAR_0 + static_cast<UINT>(k) : IDC_TF_CLEAR_6 + static_cast<UINT>(k) - 6; }
    static UINT SettingsId(int k) { return IDC_TF_SETTINGS_0 + static_cast<UINT>(k); }
    static UINT LaunchId(int k) { return IDC_TF_LAUNCH_0 + static_cast<UINT>(k); }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    afx_msg void OnClearAll();
    DECLARE_MESSAGE_MAP()

private:
    // A browse button that remembers that its menu was shown, so that the menu's command
    // knows its slot. Showing a menu takes the marks off the other buttons: a menu closed
    // without a choice leaves no mark behind for the next menu's command.
    class CSlotButton : public CMenuButton {
    public:
        bool m_marked = false;
        CTargetFilesDlg* m_dialog = nullptr;

    protected:
        void TrackMenu() override
        {
            if (m_dialog)
                m_dialog->ClearMarks();
            m_marked = true;
            CMenuButton::TrackMenu();
        }
    };

    // The first slot whose browse button showed its menu (its mark cleared), or -1.
    int TakeMarkedSlot();
    void ClearMarks();
    // The slot's launch target as its viewer holds it (a slot without one: every time), so
    // that the list never shows what would not be stored.
    void ShowLaunchTarget(int k);
    void ApplySlotRules();
    bool IsFolderTarget(int k) const;
    // The slot's viewer of the type, kept when it has that type already, else a new one.
    CViewer& ViewerOfType(int k, int type);

    void ChooseFile(int k);
    void ChooseViewer(int k);
    void RunHandler(int k, int type, const CString& target);
    void ChooseSlideShow(int k);
    void ChooseMenu(int k);
    std::unique_ptr<CViewer> TakeOtherKind(int k, int type);
    void PutBack(int k, std::unique_ptr<CViewer> earlier);
    void ChooseUrl(int k);
    void ChooseFolder(int k);
    void EditViewerSettings(int k);
    void EditFailsafe(int k);
    void ClearSlot(int k);
    void RefuseOutside(int k);

    std::unique_ptr<CViewer> m_viewers[Slots];
    CString m_chosenPath;
    CString m_projectKey;
    CCorvEdit m_helpPanel;
    CSlotButton m_browse[Slots];
    CHoverButton m_failsafe[Slots], m_clear[Slots], m_settings[Slots];
    CMenuButton m_clearAll, m_ok, m_cancel;
};
