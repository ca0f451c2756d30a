// Error of a file operation: a cause, the system's error number and the file's name.
#pragma once
#include "CException.h"
#include "CString.h"

class FW_API CFileException : public CException {
public:
    enum Cause {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    explicit CFileException(int cause = none, LONG osError = -1, const char* fileName = nullptr)
        : m_cause(cause), m_lOsError(osError), m_strFileName(fileName) {}

    BOOL GetErrorMessage(LPTSTR buffer, UINT maxChars, UINT* helpContext = nullptr) const override;

    // The cause for an error number of the system (GetLastError on Windows, errno elsewhere).
    static int OsErrorToException(LONG osError);
    // Throws a heap-allocated exception for that error number; does nothing for 0.
    static void ThrowOsError(LONG osError, const char* fileName = nullptr);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};
