// A path split into prefix ("\\\\", "\\\\?\\" or "\\\\?\\unc\\"), drive, directory, title and extension.
#pragma once
#include "CString.h"

class CZipPathComponent {
public:
    CZipPathComponent() = default;
    explicit CZipPathComponent(const char* path) { SetFullPath(path); }

    void SetFullPath(const char* path);

    CString GetFileTitle() const { return m_szFileTitle; }
    CString GetFileExt() const { return m_szFileExt; }
    CString GetFileDrive() const { return m_szDrive; }
    CString GetFileDir() const { return m_szDirectory; }
    CString GetPrefix() const { return m_szPrefix; }
    CString GetFileName() const;
    CString GetFilePath() const;
    CString GetFullPath() const;
    CString GetNoDrive() const;

    static bool IsSeparator(char c) { return c == '\\' || c == '/'; }
    static void RemoveSeparators(CString& path) { path.TrimRight("\\/"); }

private:
    CString m_szDirectory;
    CString m_szFileTitle;
    CString m_szFileExt;
    CString m_szDrive;
    CString m_szPrefix;
};
