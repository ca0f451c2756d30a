// Error of the zip archive library: a code and the file it concerns. Thrown as a heap
// pointer (CZipException::Throw); the catcher calls Delete().
#pragma once
#include "CException.h"
#include "CString.h"

class CZipException : public CException {
public:
    enum ZipErrors {
        noError = 0,
        generic = 100,
        badZipFile = 101,
        badCrc = 102,
        noCallback = 103,
        aborted = 104,
        abortedAction = 105,
        abortedSafely = 106,
        nonRemovable = 107,
        tooManyVolumes = 108,
        tooLongFileName = 109,
        badPassword = 110,
        dirWithSize = 111,
        internal = 112,
        notRemoved = 113,
        notRenamed = 114,
        platfNotSupp = 115,
        cdirNotFound = 116,
        streamEnd = 500,
        needDict = 501,
        errNo = 502,
        streamError = 503,
        dataError = 504,
        memError = 505,
        bufError = 506,
        versionError = 507
    };

    explicit CZipException(int cause = generic, const char* path = nullptr);

    // Throws a new exception with that code and path.
    [[noreturn]] static void Throw(int cause = generic, const char* path = nullptr);
    // The code of the library for a zlib result.
    static int ZlibErrToZip(int zlibError);

    BOOL GetErrorMessage(LPTSTR buffer, UINT maxChars, UINT* helpContext = nullptr) const override;
    CString GetErrorDescription() const;

    CString m_szFileName;
    int m_iCause;

private:
    CString Describe(int code, bool secondPass) const;

    // The system's and the run-time library's error numbers when the error was raised.
    DWORD m_uSystemError;
    int m_iErrno;
};
