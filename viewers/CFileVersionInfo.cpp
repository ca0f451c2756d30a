#include "CFileVersionInfo.h"

#include <cstring>

CFileVersionInfo::CFileVersionInfo() : m_translation(0), m_fixed(), m_held(false) {}

CFileVersionInfo::~CFileVersionInfo() { Reset(); }

void CFileVersionInfo::Reset()
{
    m_path.Empty();
    m_data.clear();
    m_translation = 0;
    std::memset(&m_fixed, 0, sizeof m_fixed);
    m_held = false;
}

CString CFileVersionInfo::FormatVersion(DWORD ms, DWORD ls)
{
    CString s;
    s.Format("%u.%u.%u.%u", unsigned(ms >> 16), unsigned(ms & 0xFFFF), unsigned(ls >> 16), unsigned(ls & 0xFFFF));
    return s;
}

CString CFileVersionInfo::GetVersionString() const
{
    if (!m_held)
        return CString();
    return FormatVersion(m_fixed.dwProductVersionMS, m_fixed.dwProductVersionLS);
}

#ifdef _WIN32

bool CFileVersionInfo::Open(const char* path)
{
    Reset();
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &handle);
    if (size == 0)
        return false;
    m_data.resize(size);
    if (!GetFileVersionInfoA(path, 0, size, m_data.data())) {
        Reset();
        return false;
    }
    void* fixed = nullptr;
    UINT fixedSize = 0;
    if (!VerQueryValueA(m_data.data(), "\\", &fixed, &fixedSize) || !fixed || fixedSize < sizeof m_fixed) {
        Reset();
        return false;
    }
    std::memcpy(&m_fixed, fixed, sizeof m_fixed);
    // Version information without its language and code page is not taken.
    void* translation = nullptr;
    UINT translationSize = 0;
    if (!VerQueryValueA(m_data.data(), "\\VarFileInfo\\Translation", &translation, &translationSize) || !translation
        || translationSize < 4) {
        Reset();
        return false;
    }
    std::memcpy(&m_translation, translation, 4);
    m_path = path;
    m_held = true;
    return true;
}

#else

// Program files of this system carry no Windows version information.
bool CFileVersionInfo::Open(const char*)
{
    Reset();
    return false;
}

#endif
