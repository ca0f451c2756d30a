#include "CCabExtractor.h"
#include "SafeName.h"
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

int ErrnoOf(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return ENOENT;
    case ERROR_TOO_MANY_OPEN_FILES: return EMFILE;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return EACCES;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return EEXIST;
    case ERROR_INVALID_PARAMETER: return EINVAL;
    default: return static_cast<int>(error);
    }
}

HANDLE AsHandle(INT_PTR hf) { return reinterpret_cast<HANDLE>(hf); }

void* DIAMONDAPI MemAlloc(ULONG cb) { return std::malloc(cb); }
void DIAMONDAPI MemFree(void* pv) { std::free(pv); }

INT_PTR DIAMONDAPI FileOpen(char* name, int oflag, int pmode)
{
    if (oflag & _O_TEXT) {
        errno = EINVAL;
        return -1;
    }
    DWORD access = GENERIC_READ;
    if ((oflag & 3) == _O_WRONLY)
        access = GENERIC_WRITE;
    else if ((oflag & 3) == _O_RDWR)
        access = GENERIC_READ | GENERIC_WRITE;
    DWORD disposition = OPEN_EXISTING;
    DWORD flags = FILE_ATTRIBUTE_NORMAL;
    if (oflag & _O_CREAT) {
        if (oflag & _O_EXCL)
            disposition = CREATE_NEW;
        else if (oflag & _O_TRUNC)
            disposition = CREATE_ALWAYS;
        else
            disposition = OPEN_ALWAYS;
        if (oflag & _O_TEMPORARY)
            flags |= FILE_FLAG_DELETE_ON_CLOSE;
        if (oflag & _O_SHORT_LIVED)
            flags |= FILE_ATTRIBUTE_TEMPORARY;
    } else if (oflag & _O_TRUNC) {
        disposition = TRUNCATE_EXISTING;
    }
    if (oflag & _O_RANDOM)
        flags |= FILE_FLAG_RANDOM_ACCESS;
    if (oflag & _O_SEQUENTIAL)
        flags |= FILE_FLAG_SEQUENTIAL_SCAN;
    DWORD share = 0;
    if ((pmode & _S_IREAD) || access == GENERIC_READ)
        share |= FILE_SHARE_READ;
    if (pmode & _S_IWRITE)
        share |= FILE_SHARE_WRITE;
    HANDLE h = ::CreateFileA(name, access, share, nullptr, disposition, flags, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        errno = ErrnoOf(::GetLastError());
        return -1;
    }
    if (oflag & _O_APPEND)
        ::SetFilePointer(h, 0, nullptr, FILE_END);
    return reinterpret_cast<INT_PTR>(h);
}

UINT DIAMONDAPI FileRead(INT_PTR hf, void* pv, UINT cb)
{
    DWORD done = 0;
    if (!::ReadFile(AsHandle(hf), pv, cb, &done, nullptr)) {
        errno = EBADF;
        return static_cast<UINT>(-1);
    }
    return done;
}

UINT DIAMONDAPI FileWrite(INT_PTR hf, void* pv, UINT cb)
{
    DWORD done = 0;
    if (!::WriteFile(AsHandle(hf), pv, cb, &done, nullptr)) {
        errno = ::GetLastError() == ERROR_DISK_FULL ? ENOSPC : EBADF;
        return static_cast<UINT>(-1);
    }
    return done;
}

int DIAMONDAPI FileClose(INT_PTR hf)
{
    if (!::CloseHandle(AsHandle(hf))) {
        errno = EBADF;
        return -1;
    }
    return 0;
}

__LONG32 DIAMONDAPI FileSeek(INT_PTR hf, __LONG32 dist, int seektype)
{
    DWORD method;
    switch (seektype) {
    case SEEK_SET: method = FILE_BEGIN; break;
    case SEEK_CUR: method = FILE_CURRENT; break;
    case SEEK_END: method = FILE_END; break;
    default: errno = EINVAL; return -1;
    }
    DWORD pos = ::SetFilePointer(AsHandle(hf), dist, nullptr, method);
    if (pos == INVALID_SET_FILE_POINTER && ::GetLastError() != NO_ERROR) {
        errno = EBADF;
        return -1;
    }
    return static_cast<__LONG32>(pos);
}

} // namespace

CCabExtractor::CCabExtractor()
    : m_erf(), m_created(false), m_lastError(0), m_cancelled(false), m_expectedIndex(-1), m_currentIndex(-1),
      m_startedIndex(-1), m_finishedIndex(-1), m_lastCabinet(false), m_fileSkipped(false),
      m_firstInfoOfCopy(false), m_hfdi(nullptr), m_target(CPathName::TempPath())
{
    m_hfdi = ::FDICreate(MemAlloc, MemFree, FileOpen, FileRead, FileWrite, FileClose, FileSeek, cpu80386, &m_erf);
    m_created = m_hfdi != nullptr;
}

CCabExtractor::~CCabExtractor()
{
    if (m_created)
        ::FDIDestroy(m_hfdi);
}

PFNALLOC CCabExtractor::GetAllocFunc() { return MemAlloc; }
PFNFREE CCabExtractor::GetFreeFunc() { return MemFree; }
PFNOPEN CCabExtractor::GetOpenFunc() { return FileOpen; }
PFNREAD CCabExtractor::GetReadFunc() { return FileRead; }
PFNWRITE CCabExtractor::GetWriteFunc() { return FileWrite; }
PFNCLOSE CCabExtractor::GetCloseFunc() { return FileClose; }
PFNSEEK CCabExtractor::GetSeekFunc() { return FileSeek; }
PFNFDINOTIFY CCabExtractor::GetNotifyFunc() { return Notify; }

bool CCabExtractor::OnCabinetInfo(USHORT, const char* cabinetPath, const char* nextCabinet, const char* nextDisk,
                                  USHORT cabinetIndex)
{
    // Only the cabinet FDICopy was called on decides what comes next: FDI reports the
    // cabinets it reaches while a file spans them as well, and resuming after those would
    // skip the files that start in them.
    if (!m_firstInfoOfCopy)
        return true;
    m_firstInfoOfCopy = false;
    m_diskName = nextDisk;
    m_currentIndex = cabinetIndex;
    // A set ends with the cabinet that names no next one (disk names may be empty).
    if (!nextCabinet || !*nextCabinet) {
        m_lastCabinet = true;
        return true;
    }
    m_expectedIndex = cabinetIndex + 1;
    CPathName folder(cabinetPath);
    folder.AppendBackslash();
    m_nextCabinet.SetPath(folder.GetPath() + nextCabinet);
    m_nextDisk = nextDisk;
    return true;
}

bool CCabExtractor::OnPartialFile(const char*, const char*, const char*) { return true; }

bool CCabExtractor::OnCopyFile(const char* fileName, long, CPathName& destination, bool&)
{
    // A stored name is refused unless it stays inside the target folder.
    if (!IsNameInsideFolder(fileName))
        return false;
    CPathName target(m_target);
    target.StripTrailingBackslash();
    destination.SetPath(target.GetPath() + "\\" + fileName);
    return true;
}

bool CCabExtractor::OnCloseFileInfo(const char*, USHORT, USHORT, USHORT) { return true; }
bool CCabExtractor::OnFileDone(const char*) { return true; }
bool CCabExtractor::OnEnumerate() { return true; }
bool CCabExtractor::OnNextCabinet(const char*, const char*, CPathName&, FDIERROR) { return true; }

void CCabExtractor::SetTargetFolder(const char* path)
{
    m_target.SetPath(path);
    m_target.AppendBackslash();
}

bool CCabExtractor::IsCabinet(const char* path, FDICABINETINFO* info)
{
    if (!m_created)
        return false;
    INT_PTR hf = FileOpen(const_cast<char*>(path), _O_BINARY | _O_RDONLY | _O_SEQUENTIAL, 0);
    if (hf == -1)
        return false;
    FDICABINETINFO found = {};
    bool is = ::FDIIsCabinet(m_hfdi, hf, &found) != FALSE;
    FileClose(hf);
    if (is && info)
        *info = found;
    return is;
}

int CCabExtractor::NotedIndex() const
{
    return m_lastCabinet ? m_currentIndex : m_currentIndex - 1;
}

INT_PTR DIAMONDAPI CCabExtractor::Notify(FDINOTIFICATIONTYPE type, PFDINOTIFICATION info)
{
    return static_cast<CCabExtractor*>(info->pv)->OnNotify(type, info);
}

INT_PTR CCabExtractor::OnNotify(FDINOTIFICATIONTYPE type, PFDINOTIFICATION info)
{
    switch (type) {
    case fdintCABINET_INFO:
        return OnCabinetInfo(info->setID, info->psz3, info->psz1, info->psz2, info->iCabinet) ? 0 : -1;
    case fdintPARTIAL_FILE:
        return OnPartialFile(info->psz1, info->psz2, info->psz3) ? 0 : -1;
    case fdintCOPY_FILE: {
        CPathName destination;
        bool skip = false;
        if (!OnCopyFile(info->psz1, info->cb, destination, skip))
            return -1;
        if (skip || destination.GetPath().IsEmpty()) {
            m_fileSkipped = true;
            return 0;
        }
        ::SetFileAttributesA(destination, FILE_ATTRIBUTE_NORMAL);
        // An existing file is truncated: a shorter file must not keep the old one's tail.
        INT_PTR hf = FileOpen(const_cast<char*>(destination.GetPath().c_str()),
                              _O_BINARY | _O_WRONLY | _O_CREAT | _O_TRUNC | _O_SEQUENTIAL, _S_IREAD | _S_IWRITE);
        if (hf == -1)
            return -1;
        m_lastDestination = destination;
        m_written.push_back(destination.GetPath());
        m_startedIndex = NotedIndex();
        return hf;
    }
    case fdintCLOSE_FILE_INFO: {
        bool ok = OnCloseFileInfo(info->psz1, info->date, info->time, info->attribs);
        FileClose(info->hf);
        HANDLE h = ::CreateFileA(m_lastDestination, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            FILETIME local, utc;
            if (::DosDateTimeToFileTime(info->date, info->time, &local) && ::LocalFileTimeToFileTime(&local, &utc))
                ::SetFileTime(h, &utc, nullptr, &utc);
            ::CloseHandle(h);
        }
        DWORD attributes = info->attribs & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM
                                            | FILE_ATTRIBUTE_ARCHIVE);
        ::SetFileAttributesA(m_lastDestination, attributes ? attributes : FILE_ATTRIBUTE_NORMAL);
        m_finishedIndex = NotedIndex();
        ok = OnFileDone(info->psz1) && ok;
        return ok ? 1 : -1;
    }
    case fdintNEXT_CABINET: {
        CPathName path(info->psz3);
        const CString before = path.GetPath();
        if (!OnNextCabinet(info->psz1, info->psz2, path, info->fdie)) {
            m_lastError = errorAborted;
            m_cancelled = true;
            return -1;
        }
        // FDI asks again while the cabinet stays missing: give up once the handler has
        // had its chance and changed nothing.
        if (info->fdie != FDIERROR_NONE && path.GetPath() == before) {
            m_lastError = errorCabinetNotFound;
            return -1;
        }
        std::strncpy(info->psz3, path, CB_MAX_CAB_PATH - 1);
        info->psz3[CB_MAX_CAB_PATH - 1] = 0;
        return 0;
    }
    case fdintENUMERATE:
        return OnEnumerate() ? 0 : -1;
    default:
        return 0;
    }
}

bool CCabExtractor::CopyOnce(const CPathName& cabinet)
{
    CPathName folder(cabinet.GetFolder());
    CString name = cabinet.GetNameExt();
    m_startedIndex = m_finishedIndex = -1;
    m_lastCabinet = false;
    m_fileSkipped = false;
    m_firstInfoOfCopy = true;
    m_nextCabinet.SetPath("");
    return ::FDICopy(m_hfdi, const_cast<char*>(name.c_str()), const_cast<char*>(folder.GetPath().c_str()), 0,
                     Notify, nullptr, this)
        != FALSE;
}

bool CCabExtractor::FindNextCabinet()
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        FDICABINETINFO info = {};
        int error = 0;
        if (!m_nextCabinet.Exists())
            error = errorCabinetNotFound;
        else if (!IsCabinet(m_nextCabinet, &info))
            error = errorNotACabinet;
        else if (info.iCabinet != m_expectedIndex)
            error = errorWrongCabinet;
        if (error == 0) {
            m_currentCabinet = m_nextCabinet;
            return true;
        }
        m_lastError = error;
        if (attempt == 1)
            break; // the handler had its chance
        CPathName folder(m_nextCabinet.GetFolder());
        const CString name = m_nextCabinet.GetNameExt();
        if (!OnNextCabinet(name, m_nextDisk, folder, FDIERROR_CABINET_NOT_FOUND)) {
            m_lastError = errorAborted;
            m_cancelled = true;
            return false;
        }
        folder.AppendBackslash();
        m_nextCabinet.SetPath(folder.GetPath() + name);
    }
    return false;
}

void CCabExtractor::DeleteWrittenFiles()
{
    for (const CString& path : m_written) {
        ::SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(path);
    }
    m_written.clear();
}

bool CCabExtractor::Extract(const char* cabinetPath, bool followSet)
{
    FDICABINETINFO info = {};
    if (!m_created || !IsCabinet(cabinetPath, &info))
        return false;
    m_lastError = 0;
    m_cancelled = false;
    m_expectedIndex = -1;
    m_currentIndex = info.iCabinet;
    m_written.clear();
    m_currentCabinet.SetPath(cabinetPath);
    for (;;) {
        if (!CopyOnce(m_currentCabinet)) {
            DeleteWrittenFiles();
            return false;
        }
        if (!followSet || m_lastCabinet || m_nextCabinet.GetPath().IsEmpty())
            break;
        if (!FindNextCabinet()) {
            DeleteWrittenFiles();
            return false;
        }
    }
    m_written.clear();
    return true;
}
