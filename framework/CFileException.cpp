#include "CFileException.h"

#include <cerrno>
#include <cstdio>

namespace {

const char* CauseText(int cause)
{
    switch (cause) {
    case CFileException::none: return "No error occurred";
    case CFileException::fileNotFound: return "The file could not be located";
    case CFileException::badPath: return "All or part of the path is invalid";
    case CFileException::tooManyOpenFiles: return "Too many files are open";
    case CFileException::accessDenied: return "Access to the file was denied";
    case CFileException::invalidFile: return "An invalid file handle was used";
    case CFileException::removeCurrentDir: return "The current folder cannot be removed";
    case CFileException::directoryFull: return "The folder is full";
    case CFileException::badSeek: return "The file pointer could not be set";
    case CFileException::hardIO: return "A hardware error occurred";
    case CFileException::sharingViolation: return "A sharing violation occurred";
    case CFileException::lockViolation: return "A locked region was accessed";
    case CFileException::diskFull: return "The disk is full";
    case CFileException::endOfFile: return "The end of the file was reached";
    default: return "An unknown error occurred";
    }
}

}

BOOL CFileException::GetErrorMessage(LPTSTR buffer, UINT maxChars, UINT* helpContext) const
{
    if (helpContext)
        *helpContext = 0;
    if (!buffer || !maxChars)
        return FALSE;
    if (m_strFileName.IsEmpty())
        std::snprintf(buffer, maxChars, "%s.", CauseText(m_cause));
    else
        std::snprintf(buffer, maxChars, "%s: %s.", CauseText(m_cause), m_strFileName.c_str());
    return TRUE;
}

int CFileException::OsErrorToException(LONG osError)
{
#ifdef _WIN32
    switch (static_cast<DWORD>(osError)) {
    case NO_ERROR: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
    case ERROR_CANNOT_MAKE: return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK: return badSeek;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION: return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE: return hardIO;
    default: return genericException;
    }
#else
    switch (osError) {
    case 0: return none;
    case ENOENT: return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG: return badPath;
    case EMFILE:
    case ENFILE: return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return accessDenied;
    case EBADF: return invalidFile;
    case ESPIPE: return badSeek;
    case EIO: return hardIO;
    case ENOSPC:
    case EFBIG: return diskFull;
    default: return genericException;
    }
#endif
}

void CFileException::ThrowOsError(LONG osError, const char* fileName)
{
    if (osError != 0)
        throw new CFileException(OsErrorToException(osError), osError, fileName);
}
