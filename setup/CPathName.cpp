#include "CPathName.h"
#ifdef _WIN32
#include <cstdlib>
#endif

CPathName::~CPathName()
{
    CloseSearch();
}

CPathName& CPathName::operator=(const CPathName& other)
{
    m_path = other.m_path;
    return *this;
}

void CPathName::AppendBackslash()
{
    if (m_path.IsEmpty() || m_path[m_path.GetLength() - 1] != '\\')
        m_path += '\\';
}

void CPathName::StripTrailingBackslash()
{
    if (m_path.GetLength() >= 2 && m_path[m_path.GetLength() - 1] == '\\')
        m_path = m_path.Left(m_path.GetLength() - 1);
}

void CPathName::StripTrailingColon()
{
    if (!m_path.IsEmpty() && m_path[m_path.GetLength() - 1] == ':')
        m_path = m_path.Left(m_path.GetLength() - 1);
}

void CPathName::StripLeadingDot()
{
    if (!m_path.IsEmpty() && m_path[0] == '.')
        m_path = m_path.Mid(1);
}

#ifdef _WIN32

namespace {

struct Parts {
    char drive[_MAX_DRIVE];
    char dir[_MAX_DIR];
    char name[_MAX_FNAME];
    char ext[_MAX_EXT];
};

bool Split(const char* path, Parts& p)
{
    return _splitpath_s(path, p.drive, sizeof p.drive, p.dir, sizeof p.dir, p.name, sizeof p.name, p.ext,
                        sizeof p.ext) == 0;
}

CString Join(const char* drive, const char* dir, const char* name, const char* ext)
{
    char path[_MAX_PATH];
    if (_makepath_s(path, sizeof path, drive, dir, name, ext) != 0)
        return CString();
    return CString(path);
}

} // namespace

void CPathName::CloseSearch()
{
    if (m_search != INVALID_HANDLE_VALUE)
        ::FindClose(m_search);
    m_search = INVALID_HANDLE_VALUE;
}

void CPathName::SetFolder(const char* folder)
{
    Parts p;
    if (!Split(m_path, p))
        p = Parts();
    CPathName f(folder);
    f.AppendBackslash();
    m_path = Join(nullptr, f.m_path, p.name, p.ext);
}

void CPathName::SetNameExt(const char* nameExt)
{
    Parts p;
    if (!Split(m_path, p))
        p = Parts();
    m_path = Join(p.drive, p.dir, nameExt, nullptr);
}

CString CPathName::GetFolder() const
{
    Parts p;
    if (!Split(m_path, p))
        return CString();
    return CString(p.drive) + p.dir;
}

CString CPathName::GetNameExt() const
{
    Parts p;
    if (!Split(m_path, p))
        return CString();
    return CString(p.name) + p.ext;
}

CPathName CPathName::TempPath()
{
    char path[MAX_PATH + 1] = {};
    DWORD n = ::GetTempPathA(sizeof path, path);
    return CPathName(n > 0 && n <= MAX_PATH ? path : "");
}

bool CPathName::Exists()
{
    CloseSearch();
    WIN32_FIND_DATAA data;
    m_search = ::FindFirstFileA(m_path, &data);
    return m_search != INVALID_HANDLE_VALUE;
}

#else

void CPathName::CloseSearch() {}

#endif
