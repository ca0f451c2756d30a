// The common file-open and file-save dialog for one file.
//
//   CFileDialog dlg(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST,
//                   "Velmora DAT Files (velmora.dat)|velmora.dat||", this);
//   dlg.m_ofn.lpstrInitialDir = folder;
//   dlg.m_ofn.lpstrTitle = "Select your Velmora DAT file";
//   dlg.SetBufferSize(65535);
//   if (dlg.DoModal() == IDOK) path = dlg.GetPathName();
//
// The filter is pairs of description and pattern separated by "|", ended by "||". The
// chosen name lives in a buffer of the size given (MAX_PATH unless set); DoModal gives
// IDOK or IDCANCEL. With OFN_ALLOWMULTISELECT the dialog hands back one name as one full
// path, several as the folder followed by the names; GetPathNames gives full paths either
// way (65535 bytes of buffer make room for many).
#pragma once
#include "CWnd.h"

#include <commdlg.h>

#include <vector>

class FW_API CFileDialog {
public:
    CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                CWnd* pParentWnd = nullptr);
    virtual ~CFileDialog() = default;
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    virtual INT_PTR DoModal();
    // Room for the chosen name, in bytes (the name given at construction is kept).
    void SetBufferSize(DWORD size);

    CString GetPathName() const { return CString(m_file.data()); }
    // Every name chosen, each as a full path (one for a dialog without multiple selection).
    std::vector<CString> GetPathNames() const;
    // The part after the last backslash, and the extension after the last dot in it.
    CString GetFileName() const;
    CString GetFileExt() const;

    OPENFILENAMEA m_ofn;

private:
    BOOL m_bOpenFileDialog;
    CString m_filter;    // with NULs in place of "|"
    CString m_defExt;
    std::vector<char> m_file;
    CWnd* m_pParentWnd;
};
