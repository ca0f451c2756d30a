#include "CZipException.h"

#include "ZipPlatform.h"

#include <cerrno>
#include <cstring>

namespace {

const char* RunTimeText(int code)
{
    switch (code) {
    case 1: return "Not super-user";
    case 2: return "No such file or directory";
    case 4: return "Interrupted system call";
    case 5: return "I/O error";
    case 6: return "No such device or address";
    case 9: return "Bad file number";
    case 12: return "Not enough space";
    case 13: return "Permission denied";
    case 14: return "Bad address";
    case 17: return "File exists";
    case 18: return "Cross-device link";
    case 19: return "No such device";
    case 20: return "Not a directory";
    case 21: return "Is a directory";
    case 22: return "Invalid argument";
    case 23: return "File table overflow";
    case 24: return "Too many open files";
    case 27: return "File too large";
    case 28: return "No space left on device";
    case 29: return "Illegal seek";
    case 30: return "Read-only file system";
    default: return nullptr;
    }
}

const char* LibraryText(int code)
{
    switch (code) {
    case CZipException::badZipFile: return "Damaged or not a zip file";
    case CZipException::badCrc: return "Crc mismatched";
    case CZipException::noCallback: return "No disk-spanning callback functor set";
    case CZipException::aborted: return "Disk change aborted";
    case CZipException::abortedAction: return "Action aborted";
    case CZipException::abortedSafely: return "Action aborted safely";
    case CZipException::nonRemovable: return "The device selected for the disk spanning archive is non removable";
    case CZipException::tooManyVolumes: return "Limit of the maximum volumes reached (999)";
    case CZipException::tooLongFileName: return "The filename of the file being added to the archive is too long";
    case CZipException::badPassword: return "Incorrect password set for the file being decrypted";
    case CZipException::dirWithSize: return "During testing found the directory with the size greater than 0";
    case CZipException::internal: return "Internal error";
    case CZipException::platfNotSupp: return "Cannot create the file for the specified platform";
    case CZipException::cdirNotFound:
        return "The central directory was not found in the archive (or you were trying to open not the last disk of a multi-disk archive)";
    case CZipException::streamEnd: return "Zlib Library error (end of stream)";
    case CZipException::streamError: return "Zlib library error (stream error)";
    case CZipException::dataError: return "Zlib library error (data error)";
    case CZipException::memError: return "Not enough memory";
    case CZipException::bufError: return "Zlib library error (buffer error)";
    case CZipException::versionError: return "Zlib library error (version error)";
    default: return nullptr;
    }
}

}

CZipException::CZipException(int cause, const char* path)
    : m_szFileName(path), m_iCause(cause), m_uSystemError(ZipPlatform::GetLastSystemError()), m_iErrno(errno)
{
}

void CZipException::Throw(int cause, const char* path)
{
    throw new CZipException(cause, path);
}

int CZipException::ZlibErrToZip(int zlibError)
{
    switch (zlibError) {
    case 1: return streamEnd;
    case 2: return needDict;
    case -1: return errNo;
    case -2: return streamError;
    case -3: return dataError;
    case -4: return memError;
    case -5: return bufError;
    case -6: return versionError;
    default: return generic;
    }
}

CString CZipException::Describe(int code, bool secondPass) const
{
    if (const char* text = RunTimeText(code))
        return text;
    if (const char* text = LibraryText(code))
        return text;
    CString out;
    switch (code) {
    case notRemoved:
    case notRenamed:
        out.Format("%s (%s)", code == notRemoved ? "Error while removing a file" : "Error while renaming a file",
                   Describe(generic, false).c_str());
        return out;
    case errNo:
        if (secondPass)
            return "Unknown error";
        return Describe(m_iErrno == errNo ? generic : m_iErrno, false);
    default:
        // Generic: the system's text of its last error, else the run-time library's.
        if (secondPass)
            return "Unknown error";
        if (m_uSystemError != 0) {
            out = ZipPlatform::GetSystemErrorText(m_uSystemError);
            if (!out.IsEmpty())
                return out;
        }
        return Describe(m_iErrno != 0 ? m_iErrno : generic, true);
    }
}

CString CZipException::GetErrorDescription() const
{
    return Describe(m_iCause, false);
}

BOOL CZipException::GetErrorMessage(LPTSTR buffer, UINT maxChars, UINT* helpContext) const
{
    if (helpContext)
        *helpContext = 0;
    if (!buffer || !maxChars)
        return FALSE;
    const CString text = GetErrorDescription();
    std::strncpy(buffer, text, maxChars - 1);
    buffer[maxChars - 1] = 0;
    return TRUE;
}
