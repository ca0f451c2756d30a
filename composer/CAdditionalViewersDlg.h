// "Additional Viewer Settings": up to three file types the presentation needs a viewer
// for, each with the viewer's installer in the base folder, the confirmation text asked
// before it runs and an optional minimum viewer version. A row unlocks the next once it
// has an installer.
#pragma once
#include "CProjectData.h"
#include "CSettingsDlg.h"

#include <vector>

class CAdditionalViewersDlg : public CSettingsDlg {
public:
    enum { IDD = IDD_ADDITIONAL_VIEWERS, Rows = 3 };
    static const char* const Extensions[];

    explicit CAdditionalViewersDlg(CWnd* parent = nullptr);

    // The opener's side: the rows from the project's entries (rows beyond them keep their
    // defaults), and on OK all three rows back as three entries, as the author left them;
    // the main dialog removes dots from the extensions and drops the rows after the last
    // one with an installer. Cancel writes nothing.
    void CopyFrom(const std::vector<AdditionalViewerEntry>& entries, const CString& baseFolder);
    void WriteBack(std::vector<AdditionalViewerEntry>& entries) const;
    static INT_PTR Edit(std::vector<AdditionalViewerEntry>& entries, const CString& baseFolder, CWnd* parent);

    AdditionalViewerEntry m_rows[Rows];

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void ApplyEnableRules() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    afx_msg void OnClear();
    DECLARE_MESSAGE_MAP()

private:
    // Control ids of row r (0 to 2).
    static UINT ExtensionId(int r) { return IDC_VIEWER_EXTENSION_1 + 3 * static_cast<UINT>(r); }
    static UINT InstallerId(int r) { return IDC_VIEWER_INSTALLER_1 + 3 * static_cast<UINT>(r); }
    static UINT BrowseId(int r) { return IDC_VIEWER_BROWSE_1 + 3 * static_cast<UINT>(r); }
    static UINT ConfirmationId(int r) { return IDC_VIEWER_CONFIRMATION_1 + static_cast<UINT>(r); }
    static UINT VersionId(int r) { return IDC_VIEWER_VERSION_1 + static_cast<UINT>(r); }
    void EnableRowButtons(int r, BOOL enable);
    void EnableRowEntry(int r, BOOL enable);
    void OnExtensionPicked(int r);
    void OnBrowse(int r);
    void OnConfirmation(int r);
    void OnVersion(int r);

    CHoverButton m_browse[Rows], m_confirmation[Rows], m_versionButtons[Rows];
};
