// A path with the small string rules the cabinet extractor uses and, on Windows, its split
// and join into drive, folder, name and extension and a few file operations.
#pragma once
#include "CString.h"
#ifdef _WIN32
#include <windows.h>
#endif

class CPathName {
public:
    CPathName() = default;
    CPathName(const char* path) : m_path(path) {}
    ~CPathName();
    CPathName(const CPathName& other) : m_path(other.m_path) {}
    CPathName& operator=(const CPathName& other);

    const CString& GetPath() const { return m_path; }
    operator const char*() const { return m_path; }
    void SetPath(const char* path) { m_path = path; }

    // Appends "\" unless the path already ends with one.
    void AppendBackslash();
    // Strips one trailing "\" from a path of two or more characters.
    void StripTrailingBackslash();
    void StripTrailingColon();
    void StripLeadingDot();

#ifdef _WIN32
    // The folder (drive and folder) replaced, name and extension kept.
    void SetFolder(const char* folder);
    // Name and extension replaced, drive and folder kept.
    void SetNameExt(const char* nameExt);
    CString GetFolder() const;
    CString GetNameExt() const;
    // The system's temp folder.
    static CPathName TempPath();
    // A file search finds the path.
    bool Exists();
#endif

private:
    void CloseSearch();

    CString m_path;
#ifdef _WIN32
    HANDLE m_search = INVALID_HANDLE_VALUE;
#endif
};
