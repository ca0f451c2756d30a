// The file-system calls on POSIX systems. Attributes are given in MS-DOS form: directory,
// read-only (no owner write) and archive (every regular file).
#include "ZipPlatform.h"

#include "CZipException.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <strings.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/time.h>
#include <unistd.h>

#include <string>

DWORD ZipPlatform::GetLastSystemError() { return static_cast<DWORD>(errno); }

CString ZipPlatform::GetSystemErrorText(DWORD error)
{
    return CString(std::strerror(static_cast<int>(error)));
}

CString ZipPlatform::NativePath(const char* path)
{
    CString p(path);
    p.Replace('\\', '/');
    return p;
}

ULONGLONG ZipPlatform::GetDeviceFreeSpace(const char* path)
{
    CString p = NativePath(path);
    struct statvfs st;
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (::statvfs(p, &st) == 0)
            return static_cast<ULONGLONG>(st.f_bavail) * static_cast<ULONGLONG>(st.f_frsize);
        // The folder of a file that does not exist yet.
        const int slash = p.ReverseFind('/');
        if (slash < 0)
            p = ".";
        else
            p = slash == 0 ? CString("/") : p.Left(slash);
    }
    return 0;
}

bool ZipPlatform::GetFileSize(const char* path, ULONGLONG& size)
{
    int fd = ::open(NativePath(path), O_RDONLY);
    if (fd < 0)
        return false;
    struct stat st;
    bool ok = ::fstat(fd, &st) == 0;
    if (ok)
        size = static_cast<ULONGLONG>(st.st_size);
    ::close(fd);
    return ok;
}

CString ZipPlatform::CreateTempFileIn(const char* folder)
{
    CString dir = NativePath(folder);
    dir.TrimRight('/');
    std::string templ = std::string(dir.c_str()) + "/ZARXXXXXX";
    int fd = ::mkstemp(&templ[0]);
    if (fd < 0)
        return CString();
    // The permissions a new file gets, not the private ones of a temporary file.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    ::close(fd);
    return CString(templ);
}

CString ZipPlatform::GetSystemTempFolder()
{
    const char* dir = std::getenv("TMPDIR");
    return CString(dir && *dir ? dir : "/tmp");
}

CString ZipPlatform::GetCurrentFolder()
{
    char buf[4096];
    return ::getcwd(buf, sizeof buf) ? CString(buf) : CString();
}

bool ZipPlatform::GetFileAttr(const char* path, DWORD& attributes)
{
    struct stat st;
    if (::stat(NativePath(path), &st) != 0)
        return false;
    attributes = S_ISDIR(st.st_mode) ? 0x10 : 0x20;
    if (!(st.st_mode & S_IWUSR))
        attributes |= 0x01;
    return true;
}

bool ZipPlatform::SetFileAttr(const char* path, DWORD attributes)
{
    const CString p = NativePath(path);
    struct stat st;
    if (::stat(p, &st) != 0)
        return false;
    mode_t mode = st.st_mode & 07777;
    if (attributes & 0x01)
        mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
    else
        mode |= S_IWUSR;
    // Most files have the mode already.
    return mode == (st.st_mode & 07777) || ::chmod(p, mode) == 0;
}

bool ZipPlatform::GetFileModTime(const char* path, time_t& modTime)
{
    struct stat st;
    if (::stat(NativePath(path), &st) != 0)
        return false;
    modTime = st.st_mtime;
    return modTime != static_cast<time_t>(-1);
}

bool ZipPlatform::SetFileModTime(const char* path, time_t modTime)
{
    struct timeval times[2];
    ::gettimeofday(&times[0], nullptr);
    times[1] = times[0];
    if (modTime != static_cast<time_t>(-1)) {
        times[1].tv_sec = modTime;
        times[1].tv_usec = 0;
    }
    return ::utimes(NativePath(path), times) == 0;
}

bool ZipPlatform::ChangeDirectory(const char* path)
{
    return ::chdir(NativePath(path)) == 0;
}

int ZipPlatform::FileExists(const char* path)
{
    struct stat st;
    if (::stat(NativePath(path), &st) != 0)
        return 0;
    return S_ISDIR(st.st_mode) ? -1 : 1;
}

bool ZipPlatform::IsDriveRemovable(const char*)
{
    return false;
}

bool ZipPlatform::SetVolLabel(const char*, const char*)
{
    return false;
}

void ZipPlatform::AnsiOem(CZipBuffer&, bool)
{
    // No code pages here: names keep their bytes.
}

bool ZipPlatform::RemoveFile(const char* path, bool throws)
{
    if (::unlink(NativePath(path)) == 0)
        return true;
    if (throws)
        CZipException::Throw(CZipException::notRemoved, path);
    return false;
}

bool ZipPlatform::RenameFile(const char* oldName, const char* newName, bool throws)
{
    if (::rename(NativePath(oldName), NativePath(newName)) == 0)
        return true;
    if (throws)
        CZipException::Throw(CZipException::notRenamed, oldName);
    return false;
}

bool ZipPlatform::CreateDirectory(const char* path)
{
    return ::mkdir(NativePath(path), 0777) == 0;
}

int ZipPlatform::CompareCollate(const char* a, const char* b) { return std::strcoll(a, b); }

int ZipPlatform::CompareCollateNoCase(const char* a, const char* b)
{
    std::string la(a), lb(b);
    for (char& c : la)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    for (char& c : lb)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return std::strcoll(la.c_str(), lb.c_str());
}

int ZipPlatform::CompareBytes(const char* a, const char* b) { return std::strcmp(a, b); }

int ZipPlatform::CompareBytesNoCase(const char* a, const char* b) { return ::strcasecmp(a, b); }

bool ZipPlatform::MapFile(void* fileHandle, ULONGLONG length, void** view, void** mapping)
{
    const int fd = static_cast<int>(reinterpret_cast<intptr_t>(fileHandle));
    if (fd < 0 || length == 0)
        return false;
    void* p = ::mmap(nullptr, static_cast<size_t>(length), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (p == MAP_FAILED)
        return false;
    *view = p;
    *mapping = nullptr;
    return true;
}

void ZipPlatform::UnmapFile(void* view, void*, ULONGLONG length)
{
    if (view) {
        ::msync(view, static_cast<size_t>(length), MS_SYNC);
        ::munmap(view, static_cast<size_t>(length));
    }
}
