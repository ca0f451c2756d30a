#include "CFile.h"

#include <algorithm>
#include <cerrno>

#ifndef _WIN32
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

LONG LastOsError()
{
#ifdef _WIN32
    return static_cast<LONG>(::GetLastError());
#else
    return errno;
#endif
}

}

CFile::CFile()
#ifdef _WIN32
    : m_hFile(INVALID_HANDLE_VALUE)
#else
    : m_fd(-1)
#endif
{
}

CFile::CFile(const char* fileName, UINT openFlags) : CFile()
{
    CFileException error;
    if (!Open(fileName, openFlags, &error))
        throw new CFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile()
{
    if (IsOpen())
        Abort();
}

CString CFile::GetFileName() const
{
    const int slash = std::max(m_strFileName.ReverseFind('\\'), m_strFileName.ReverseFind('/'));
    return m_strFileName.Mid(slash + 1);
}

void CFile::ThrowLastError() const
{
    LONG err = LastOsError();
    throw new CFileException(CFileException::OsErrorToException(err), err, m_strFileName);
}

#ifdef _WIN32

bool CFile::IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }

BOOL CFile::Open(const char* fileName, UINT openFlags, CFileException* error)
{
    if (IsOpen())
        Abort();
    m_strFileName = fileName;
    DWORD access = 0;
    switch (openFlags & 3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    default: access = GENERIC_READ | GENERIC_WRITE; break;
    }
    DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    switch (openFlags & 0x70) {
    case shareExclusive: share = 0; break;
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    default: break;
    }
    DWORD disposition = OPEN_EXISTING;
    if (openFlags & modeCreate)
        disposition = (openFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    SECURITY_ATTRIBUTES sa = { sizeof sa, nullptr, (openFlags & modeNoInherit) ? FALSE : TRUE };
    HANDLE h = ::CreateFileA(fileName, access, share, &sa, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        if (error) {
            error->m_lOsError = LastOsError();
            error->m_cause = CFileException::OsErrorToException(error->m_lOsError);
            error->m_strFileName = fileName;
        }
        return FALSE;
    }
    m_hFile = h;
    return TRUE;
}

UINT CFile::Read(void* buffer, UINT count)
{
    if (count == 0)
        return 0;
    DWORD read = 0;
    if (!::ReadFile(m_hFile, buffer, count, &read, nullptr))
        ThrowLastError();
    return read;
}

void CFile::Write(const void* buffer, UINT count)
{
    if (count == 0)
        return;
    DWORD written = 0;
    if (!::WriteFile(m_hFile, buffer, count, &written, nullptr))
        ThrowLastError();
    if (written != count)
        throw new CFileException(CFileException::diskFull, ERROR_DISK_FULL, m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from)
{
    LARGE_INTEGER distance, result;
    distance.QuadPart = offset;
    const DWORD method = from == begin ? FILE_BEGIN : from == current ? FILE_CURRENT : FILE_END;
    if (!::SetFilePointerEx(m_hFile, distance, &result, method))
        ThrowLastError();
    return static_cast<ULONGLONG>(result.QuadPart);
}

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER zero, result;
    zero.QuadPart = 0;
    if (!::SetFilePointerEx(m_hFile, zero, &result, FILE_CURRENT))
        ThrowLastError();
    return static_cast<ULONGLONG>(result.QuadPart);
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(m_hFile, &size))
        ThrowLastError();
    return static_cast<ULONGLONG>(size.QuadPart);
}

void CFile::SetLength(ULONGLONG newLength)
{
    Seek(static_cast<LONGLONG>(newLength), begin);
    if (!::SetEndOfFile(m_hFile))
        ThrowLastError();
}

void CFile::Flush()
{
    if (IsOpen() && !::FlushFileBuffers(m_hFile))
        ThrowLastError();
}

void CFile::Close()
{
    if (!IsOpen())
        return;
    HANDLE h = m_hFile;
    m_hFile = INVALID_HANDLE_VALUE;
    if (!::CloseHandle(h))
        ThrowLastError();
}

void CFile::Abort()
{
    if (IsOpen())
        ::CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
}

void CFile::Remove(const char* fileName)
{
    if (!::DeleteFileA(fileName))
        CFileException::ThrowOsError(LastOsError(), fileName);
}

void CFile::Rename(const char* oldName, const char* newName)
{
    if (!::MoveFileA(oldName, newName))
        CFileException::ThrowOsError(LastOsError(), oldName);
}

#else

bool CFile::IsOpen() const { return m_fd >= 0; }

BOOL CFile::Open(const char* fileName, UINT openFlags, CFileException* error)
{
    if (IsOpen())
        Abort();
    m_strFileName = fileName;
    int flags = 0;
    switch (openFlags & 3) {
    case modeRead: flags = O_RDONLY; break;
    case modeWrite: flags = O_WRONLY; break;
    default: flags = O_RDWR; break;
    }
    if (openFlags & modeCreate)
        flags |= O_CREAT | ((openFlags & modeNoTruncate) ? 0 : O_TRUNC);
    if (openFlags & modeNoInherit)
        flags |= O_CLOEXEC;
    int fd = ::open(fileName, flags, 0666);
    // Only reading opens a folder (writing one fails with EISDIR, also "access denied").
    if (fd >= 0 && (flags & O_ACCMODE) == O_RDONLY) {
        struct stat st;
        if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
            ::close(fd);
            fd = -1;
            errno = EACCES;
        }
    }
    if (fd < 0) {
        if (error) {
            error->m_lOsError = errno;
            error->m_cause = CFileException::OsErrorToException(errno);
            error->m_strFileName = fileName;
        }
        return FALSE;
    }
    m_fd = fd;
    return TRUE;
}

UINT CFile::Read(void* buffer, UINT count)
{
    UINT total = 0;
    while (total < count) {
        ssize_t n = ::read(m_fd, static_cast<char*>(buffer) + total, count - total);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowLastError();
        }
        if (n == 0)
            break;
        total += static_cast<UINT>(n);
    }
    return total;
}

void CFile::Write(const void* buffer, UINT count)
{
    UINT total = 0;
    while (total < count) {
        ssize_t n = ::write(m_fd, static_cast<const char*>(buffer) + total, count - total);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowLastError();
        }
        total += static_cast<UINT>(n);
    }
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from)
{
    const int whence = from == begin ? SEEK_SET : from == current ? SEEK_CUR : SEEK_END;
    off_t pos = ::lseek(m_fd, static_cast<off_t>(offset), whence);
    if (pos < 0)
        ThrowLastError();
    return static_cast<ULONGLONG>(pos);
}

ULONGLONG CFile::GetPosition() const
{
    off_t pos = ::lseek(m_fd, 0, SEEK_CUR);
    if (pos < 0)
        ThrowLastError();
    return static_cast<ULONGLONG>(pos);
}

ULONGLONG CFile::GetLength() const
{
    struct stat st;
    if (::fstat(m_fd, &st) != 0)
        ThrowLastError();
    return static_cast<ULONGLONG>(st.st_size);
}

void CFile::SetLength(ULONGLONG newLength)
{
    if (::ftruncate(m_fd, static_cast<off_t>(newLength)) != 0)
        ThrowLastError();
}

void CFile::Flush()
{
    if (IsOpen() && ::fsync(m_fd) != 0 && errno != EINVAL)
        ThrowLastError();
}

void CFile::Close()
{
    if (!IsOpen())
        return;
    int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        ThrowLastError();
}

void CFile::Abort()
{
    if (IsOpen())
        ::close(m_fd);
    m_fd = -1;
}

void CFile::Remove(const char* fileName)
{
    if (::unlink(fileName) != 0)
        CFileException::ThrowOsError(errno, fileName);
}

void CFile::Rename(const char* oldName, const char* newName)
{
    if (::rename(oldName, newName) != 0)
        CFileException::ThrowOsError(errno, oldName);
}

#endif
