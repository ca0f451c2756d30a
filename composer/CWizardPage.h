// A page of the wizard: a dialog template shown as a child of the wizard's page area. A page
// tells the wizard what it needs said (its help) and whether the author may go on (ready).
#pragma once
#include "CDialog.h"
#include "CStyledLabel.h"
#include "ComposerResource.h"

class CWizardDlg;

class CWizardPage : public CDialog {
public:
    explicit CWizardPage(UINT templateId) : CDialog(templateId, nullptr) {}

    CWizardDlg* m_wizard = nullptr;  // set by the wizard when it creates the page
    int m_ready = 0;                 // Next is open on arrival exactly when set

    void ShowHelp(UINT titleId, UINT textId, BOOL warning);
    void SetReady(int ready);

protected:
    BOOL OnInitDialog() override;
    // A page never ends by itself: Enter and the page's own button 2 are no OK or Cancel.
    void OnOK() override {}
    void OnCancel() override {}

    // The base folder that the wizard's Folder page holds ("" without one).
    CString BaseFolder() const;
    // The file-open dialog for a file in the base folder, starting there. Inside: stored :=
    // the name below the base folder, true. Outside: stored := "", the warning help under
    // refusedTitle, false. Cancel: false, nothing changed.
    bool BrowseInBaseFolder(const char* title, const char* filter, CString& stored, UINT refusedTitle);

    CStyledLabel m_label;
};
