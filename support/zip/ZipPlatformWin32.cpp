// The file-system calls on Windows.
#include "ZipPlatform.h"

#include "CZipException.h"
#include "CZipPathComponent.h"

#include <mbstring.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/utime.h>

DWORD ZipPlatform::GetLastSystemError() { return ::GetLastError(); }

CString ZipPlatform::GetSystemErrorText(DWORD error)
{
    char* text = nullptr;
    DWORD n = ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                               nullptr, error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                               reinterpret_cast<LPSTR>(&text), 0, nullptr);
    CString out;
    if (n && text) {
        out = text;
        out.TrimRight("\r\n ");
    }
    if (text)
        ::LocalFree(text);
    return out;
}

CString ZipPlatform::NativePath(const char* path)
{
    return CString(path);
}

namespace {

CString DriveOf(const char* path)
{
    char full[MAX_PATH * 2];
    DWORD n = ::GetFullPathNameA(path, sizeof full, full, nullptr);
    CZipPathComponent zpc(n && n < sizeof full ? full : path);
    return zpc.GetFileDrive();
}

}

ULONGLONG ZipPlatform::GetDeviceFreeSpace(const char* path)
{
    CString drive = DriveOf(path);
    DWORD sectorsPerCluster, bytesPerSector, freeClusters, totalClusters;
    if (!::GetDiskFreeSpaceA(drive, &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters)) {
        drive += '\\';
        if (!::GetDiskFreeSpaceA(drive, &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters))
            return 0;
    }
    return static_cast<ULONGLONG>(sectorsPerCluster) * bytesPerSector * freeClusters;
}

bool ZipPlatform::GetFileSize(const char* path, ULONGLONG& size)
{
    HANDLE h = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER li;
    bool ok = ::GetFileSizeEx(h, &li) != 0;
    if (ok)
        size = static_cast<ULONGLONG>(li.QuadPart);
    ::CloseHandle(h);
    return ok;
}

CString ZipPlatform::CreateTempFileIn(const char* folder)
{
    char name[MAX_PATH];
    if (!::GetTempFileNameA(folder, "ZAR", 0, name))
        return CString();
    return CString(name);
}

CString ZipPlatform::GetSystemTempFolder()
{
    char dir[MAX_PATH];
    DWORD n = ::GetTempPathA(MAX_PATH, dir);
    return n && n < MAX_PATH ? CString(dir) : CString();
}

CString ZipPlatform::GetCurrentFolder()
{
    char dir[MAX_PATH];
    DWORD n = ::GetCurrentDirectoryA(MAX_PATH, dir);
    return n && n < MAX_PATH ? CString(dir) : CString();
}

bool ZipPlatform::GetFileAttr(const char* path, DWORD& attributes)
{
    DWORD a = ::GetFileAttributesA(path);
    if (a == INVALID_FILE_ATTRIBUTES)
        return false;
    attributes = a;
    return true;
}

bool ZipPlatform::SetFileAttr(const char* path, DWORD attributes)
{
    return ::SetFileAttributesA(path, attributes) != 0;
}

bool ZipPlatform::GetFileModTime(const char* path, time_t& modTime)
{
    struct _stat st;
    if (::_stat(path, &st) != 0)
        return false;
    modTime = st.st_mtime;
    return modTime != static_cast<time_t>(-1);
}

bool ZipPlatform::SetFileModTime(const char* path, time_t modTime)
{
    struct _utimbuf times;
    times.actime = ::time(nullptr);
    times.modtime = modTime == static_cast<time_t>(-1) ? times.actime : modTime;
    return ::_utime(path, &times) == 0;
}

bool ZipPlatform::ChangeDirectory(const char* path)
{
    return ::SetCurrentDirectoryA(path) != 0;
}

int ZipPlatform::FileExists(const char* path)
{
    DWORD a = ::GetFileAttributesA(path);
    if (a == INVALID_FILE_ATTRIBUTES)
        return 0;
    return (a & FILE_ATTRIBUTE_DIRECTORY) ? -1 : 1;
}

bool ZipPlatform::IsDriveRemovable(const char* path)
{
    CString root = DriveOf(path) + "\\";
    return ::GetDriveTypeA(root) == DRIVE_REMOVABLE;
}

bool ZipPlatform::SetVolLabel(const char* path, const char* label)
{
    CString root = DriveOf(path) + "\\";
    return ::SetVolumeLabelA(root, label) != 0;
}

void ZipPlatform::AnsiOem(CZipBuffer& buffer, bool toOem)
{
    if (!buffer.GetSize())
        return;
    if (toOem)
        ::CharToOemBuffA(buffer, buffer, buffer.GetSize());
    else
        ::OemToCharBuffA(buffer, buffer, buffer.GetSize());
}

bool ZipPlatform::RemoveFile(const char* path, bool throws)
{
    if (::DeleteFileA(path))
        return true;
    if (throws)
        CZipException::Throw(CZipException::notRemoved, path);
    return false;
}

bool ZipPlatform::RenameFile(const char* oldName, const char* newName, bool throws)
{
    if (::MoveFileExA(oldName, newName, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
        return true;
    if (throws)
        CZipException::Throw(CZipException::notRenamed, oldName);
    return false;
}

bool ZipPlatform::CreateDirectory(const char* path)
{
    return ::CreateDirectoryA(path, nullptr) != 0;
}

namespace {
const unsigned char* U(const char* s) { return reinterpret_cast<const unsigned char*>(s); }
}

int ZipPlatform::CompareCollate(const char* a, const char* b) { return ::_mbscoll(U(a), U(b)); }
int ZipPlatform::CompareCollateNoCase(const char* a, const char* b) { return ::_mbsicoll(U(a), U(b)); }
int ZipPlatform::CompareBytes(const char* a, const char* b) { return ::_mbscmp(U(a), U(b)); }
int ZipPlatform::CompareBytesNoCase(const char* a, const char* b) { return ::_mbsicmp(U(a), U(b)); }

bool ZipPlatform::MapFile(void* fileHandle, ULONGLONG length, void** view, void** mapping)
{
    if (!fileHandle || fileHandle == INVALID_HANDLE_VALUE || length == 0)
        return false;
    // An unnamed mapping: nothing else on the machine can open it.
    HANDLE map = ::CreateFileMappingA(fileHandle, nullptr, PAGE_READWRITE, 0, 0, nullptr);
    if (!map)
        return false;
    void* p = ::MapViewOfFile(map, FILE_MAP_WRITE, 0, 0, 0);
    if (!p) {
        ::CloseHandle(map);
        return false;
    }
    *view = p;
    *mapping = map;
    return true;
}

void ZipPlatform::UnmapFile(void* view, void* mapping, ULONGLONG)
{
    if (view) {
        ::FlushViewOfFile(view, 0);
        ::UnmapViewOfFile(view);
    }
    if (mapping)
        ::CloseHandle(static_cast<HANDLE>(mapping));
}
