#include "CFolderDialog.h"

#include <shlobj.h>

CFolderDialog::CFolderDialog(const char* title, const char* rootFolder, CWnd* pParentWnd)
    : m_title(title ? title : ""), m_root(rootFolder ? rootFolder : ""), m_pParentWnd(pParentWnd)
{
}

INT_PTR CFolderDialog::DoModal()
{
    LPITEMIDLIST root = m_root.IsEmpty() ? nullptr : ::ILCreateFromPathA(m_root);
    char display[MAX_PATH] = {};
    BROWSEINFOA info = {};
    info.hwndOwner = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr;
    info.pidlRoot = root;
    info.pszDisplayName = display;
    info.lpszTitle = m_title;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST chosen = ::SHBrowseForFolderA(&info);
    INT_PTR result = IDCANCEL;
    if (chosen) {
        char path[MAX_PATH] = {};
        if (::SHGetPathFromIDListA(chosen, path) && path[0]) {
            m_folder = path;
            result = IDOK;
        }
        ::CoTaskMemFree(chosen);
    }
    if (root)
        ::ILFree(root);
    return result;
}
