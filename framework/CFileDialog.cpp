#include "CFileDialog.h"

#include "CWinApp.h"

#include <cstring>

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog), m_defExt(lpszDefExt), m_file(MAX_PATH, '\0'), m_pParentWnd(pParentWnd)
{
    std::memset(&m_ofn, 0, sizeof(m_ofn));
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
    if (lpszFileName)
        std::strncpy(m_file.data(), lpszFileName, m_file.size() - 1);
    if (lpszFilter) {
        m_filter = lpszFilter;
        m_filter.Replace('|', '\0');
    }
}

void CFileDialog::SetBufferSize(DWORD size)
{
    if (size < 2)
        size = 2;
    std::vector<char> file(size, '\0');
    std::strncpy(file.data(), m_file.data(), size - 1);
    m_file.swap(file);
}

INT_PTR CFileDialog::DoModal()
{
    HWND owner = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr;
    if (!owner) {
        CWnd* main = AfxGetMainWnd();
        owner = main ? ::GetLastActivePopup(main->GetSafeHwnd()) : nullptr;
    }
    m_ofn.hwndOwner = owner;
    m_ofn.lpstrFilter = m_filter.IsEmpty() ? nullptr : static_cast<const char*>(m_filter);
    m_ofn.lpstrDefExt = m_defExt.IsEmpty() ? nullptr : static_cast<const char*>(m_defExt);
    m_ofn.lpstrFile = m_file.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_file.size());
    const BOOL chosen = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    return chosen ? IDOK : IDCANCEL;
}

CString CFileDialog::GetFileName() const
{
    const CString path = GetPathName();
    return path.Mid(path.ReverseFind('\\') + 1);
}

CString CFileDialog::GetFileExt() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

std::vector<CString> CFileDialog::GetPathNames() const
{
    std::vector<CString> paths;
    const char* first = m_file.data();
    if (!*first)
        return paths;
    const char* next = first + std::strlen(first) + 1;
    const bool several = (m_ofn.Flags & OFN_ALLOWMULTISELECT) && next < m_file.data() + m_file.size() && *next;
    if (!several) {
        paths.emplace_back(first);
        return paths;
    }
    CString folder(first);
    if (folder.Right(1) != "\\")
        folder += "\\";
    for (const char* end = m_file.data() + m_file.size(); next < end && *next; next += std::strlen(next) + 1)
        paths.push_back(folder + next);
    return paths;
}
