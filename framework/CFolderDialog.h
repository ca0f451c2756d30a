// The shell's folder browser for one file-system folder.
//
//   CFolderDialog dlg("Please select your Base Folder", nullptr, this);   // the whole shell
//   CFolderDialog dlg("Select the Folder to Open", baseFolder, this);     // below one folder
//   if (dlg.DoModal() == IDOK) folder = dlg.GetFolderPath();
//
// Only file-system folders can be chosen. With a root folder the tree starts at it; a root
// that cannot be found leaves the tree at the desktop. DoModal gives IDOK when a folder
// with a path was chosen, else IDCANCEL.
#pragma once
#include "CString.h"
#include "CWnd.h"

class FW_API CFolderDialog {
public:
    CFolderDialog(const char* title, const char* rootFolder = nullptr, CWnd* pParentWnd = nullptr);
    virtual ~CFolderDialog() = default;
    CFolderDialog(const CFolderDialog&) = delete;
    CFolderDialog& operator=(const CFolderDialog&) = delete;

    virtual INT_PTR DoModal();
    CString GetFolderPath() const { return m_folder; }

private:
    CString m_title;
    CString m_root;
    CWnd* m_pParentWnd;
    CString m_folder;
};
