// "Zip Viewer Settings": the archive's files, the message shown before extraction, the
// proposed extract location and folder, the password, whether the folder is opened
// afterwards, and for any file of the archive a shortcut (location, name, icon) and whether
// it is started after the installation. The dialog edits a zip viewer of its own; Test
// extracts the archive for real on this machine.
#pragma once
#include "CComboBox.h"
#include "CListCtrl.h"
#include "CSettingsDlg.h"
#include "CSystemImageList.h"
#include "CZipViewer.h"

class CZipViewerSettingsDlg : public CSettingsDlg {
public:
    enum { IDD = IDD_ZIP_SETTINGS, ContentsColumnWidth = 200, IconNameMax = ShortcutInfo::FieldSize - 1 };
    // The shortcut locations: the fixed five, then the two program-group entries.
    enum Location { LocationNone = 0, LocationDesktop = 1, LocationStartMenu = 2, LocationPrograms = 3,
                    LocationAccessories = 4, LocationProgramsGroup = 5, LocationAccessoriesGroup = 6 };

    explicit CZipViewerSettingsDlg(CWnd* parent = nullptr);
    ~CZipViewerSettingsDlg() override;

    // The opener's side: the base folder, the archive's file name and the target's values
    // (its shortcuts among them) into the dialog's viewer, and on OK the edited values back;
    // Edit does all of it and gives DoModal's result. Cancel writes nothing.
    void CopyFrom(const CZipViewer& viewer, const CString& baseFolder);
    void WriteBack(CZipViewer& viewer) const;
    static INT_PTR Edit(CZipViewer& viewer, const CString& baseFolder, CWnd* parent);

    // The viewer the dialog edits.
    CZipViewer m_viewer;

    CString m_shortcutName;
    CString m_folder;
    CString m_message;
    int m_usePassword = 0;
    CString m_password;
    int m_openFolder = 0;
    int m_launchFile = 0;
    int m_createShortcut = 0;

    // For the tests: the index of the selected file (-1 none) and the preview's icon.
    int SelectedIndex() const { return m_selected; }
    HICON PreviewIcon() const { return m_previewIcon; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    afx_msg void OnContentsChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnMessageChange();
    afx_msg void OnExtractLocation();
    afx_msg void OnFolderChange();
    afx_msg void OnOpenFolder();
    afx_msg void OnUsePassword();
    afx_msg void OnPasswordChange();
    afx_msg void OnCreateShortcut();
    afx_msg void OnShortcutLocation();
    afx_msg void OnShortcutName();
    afx_msg void OnIcon();
    afx_msg void OnLaunchFile();
    afx_msg void OnTest();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // Lists the archive's files (and its icon files); whatever the archive library throws
    // ends the listing with what was read.
    void ListArchive();
    // The five fixed locations, and the two group entries when there is a folder; a group
    // entry chosen before shows as its plain entry when the folder has gone.
    void FillLocations();
    void ShowSelection();
    void ShowNoShortcut();
    void EnableShortcutControls(BOOL enable);
    // UpdateShortcut with the selected file and what is on screen.
    void UpdateShortcut();
    // The preview and the shortcut's icon from the icon list's choice.
    void ApplyIcon();
    void SetPreview(HICON icon);
    int LocationSelection() const;
    CString SelectedFileName() const;
    void PushMembers();

    static void CopyShortcuts(const CZipViewer& from, CZipViewer& to);

    CListCtrl m_contents;
    CComboBox m_locations, m_icons;
    CSystemImageList m_imageList;
    CSeparatorStatic m_messageHeading;
    int m_selected = -1;
    HICON m_previewIcon = nullptr;
    // Set while the dialog fills its own controls: their notifications change nothing.
    bool m_filling = false;
};
