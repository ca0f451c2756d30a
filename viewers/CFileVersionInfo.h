// The version information of a program file: its fixed version record and its first
// language and code page.
#pragma once
#include "CString.h"
#include "ViewersExport.h"

#include <vector>

#ifdef _WIN32
#include <winver.h>
#else
struct VS_FIXEDFILEINFO {
    DWORD dwSignature, dwStrucVersion, dwFileVersionMS, dwFileVersionLS, dwProductVersionMS, dwProductVersionLS,
        dwFileFlagsMask, dwFileFlags, dwFileOS, dwFileType, dwFileSubtype, dwFileDateMS, dwFileDateLS;
};
#endif

class VIEWERS_API CFileVersionInfo {
public:
    CFileVersionInfo();
    ~CFileVersionInfo();
    CFileVersionInfo(const CFileVersionInfo&) = delete;
    CFileVersionInfo& operator=(const CFileVersionInfo&) = delete;

    // Reads the file's version information; false without a fixed record or without a
    // translation (language and code page).
    bool Open(const char* path);
    void Reset();

    // The product version of the fixed record, "a.b.c.d"; "" when nothing is held.
    CString GetVersionString() const;
    DWORD GetTranslation() const { return m_translation; }
    const VS_FIXEDFILEINFO& GetFixedInfo() const { return m_fixed; }
    const CString& GetPath() const { return m_path; }

    static CString FormatVersion(DWORD mostSignificant, DWORD leastSignificant);

private:
    CString m_path;
    std::vector<BYTE> m_data;
    DWORD m_translation;
    VS_FIXEDFILEINFO m_fixed;
    bool m_held;
};
