// Unpacks a Zip target's archive into a destination folder: every entry under its stored
// path, reporting progress by files done. The archive is opened read-only with names
// compared without regard to case, and closed again by every call; errors of the archive
// library end up as text, never as an exception to the caller.
#pragma once
#include "CString.h"
#include "ViewersExport.h"

#include <functional>
#include <vector>

class VIEWERS_API CZipInstaller {
public:
    // Files done and the number of files (at least 1).
    typedef std::function<void(int done, int total)> Progress;

    CZipInstaller(const CString& archive, const CString& password);

    // Reads the archive's directory: how many files it holds and which of the files it
    // would write under destination exist already. False with Error() when it cannot be read.
    bool Survey(const CString& destination);
    int FileCount() const { return m_files; }
    const std::vector<CString>& Existing() const { return m_existing; }

    // Extracts every entry. True only when every file came out; else Error() says what
    // happened and Failed() names the entries that did not.
    bool Extract(const CString& destination, const Progress& progress);
    const std::vector<CString>& Failed() const { return m_failed; }
    CString Error() const { return m_error; }

private:
    CString m_archive;
    CString m_password;
    int m_files = 0;
    std::vector<CString> m_existing;
    std::vector<CString> m_failed;
    CString m_error;
};
