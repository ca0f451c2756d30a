#include "PLFileSource.h"
#include "PLTextException.h"

#ifndef _WIN32
#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

PLFileSource::PLFileSource(PLIProgressNotification* notification) : PLDataSource(notification) {}

PLFileSource::~PLFileSource() {
    if (m_pStartPos)
        Close();
}

#ifdef _WIN32
int PLFileSource::Open(const char* path) {
    m_hf = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN,
                       nullptr);
    if (m_hf == INVALID_HANDLE_VALUE) {
        DWORD err = GetLastError();
        if (err == ERROR_PATH_NOT_FOUND)
            return PL_ERRPATH_NOT_FOUND;
        if (err == ERROR_ACCESS_DENIED || err == ERROR_SHARING_VIOLATION)
            return PL_ERRACCESS_DENIED;
        return PL_ERRFILE_NOT_FOUND;
    }
    DWORD size = ::GetFileSize(m_hf, nullptr);
    m_hm = CreateFileMappingA(m_hf, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (m_hm)
        m_pStartPos = static_cast<BYTE*>(MapViewOfFile(m_hm, FILE_MAP_READ, 0, 0, 0));
    if (!m_pStartPos) {
        if (m_hm)
            CloseHandle(m_hm);
        CloseHandle(m_hf);
        m_hm = nullptr;
        m_hf = INVALID_HANDLE_VALUE;
        return PL_ERRACCESS_DENIED;
    }
    m_pCurPos = m_pStartPos;
    SetNameAndSize(path, int(size));
    return 0;
}

void PLFileSource::Close() {
    if (m_pStartPos)
        UnmapViewOfFile(m_pStartPos);
    if (m_hm)
        CloseHandle(m_hm);
    if (m_hf != INVALID_HANDLE_VALUE)
        CloseHandle(m_hf);
    m_pStartPos = m_pCurPos = nullptr;
    m_hm = nullptr;
    m_hf = INVALID_HANDLE_VALUE;
    PLDataSource::Close();
}
#else
int PLFileSource::Open(const char* path) {
    m_fd = ::open(path, O_RDONLY);
    if (m_fd < 0) {
        int err = errno;
        if (err == ENOTDIR)
            return PL_ERRPATH_NOT_FOUND;
        if (err == ENOENT) {
            // As on Windows: a missing folder is "path not found", a missing file in an
            // existing folder is "file not found".
            std::string dir(path);
            size_t slash = dir.find_last_of('/');
            dir = slash == std::string::npos ? "." : dir.substr(0, slash ? slash : 1);
            struct stat st;
            return ::stat(dir.c_str(), &st) == 0 ? PL_ERRFILE_NOT_FOUND : PL_ERRPATH_NOT_FOUND;
        }
        return err == EACCES ? PL_ERRACCESS_DENIED : PL_ERRFILE_NOT_FOUND;
    }
    struct stat st;
    void* view = MAP_FAILED;
    if (::fstat(m_fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0 && st.st_size <= 0x7FFFFFFF)
        view = ::mmap(nullptr, size_t(st.st_size), PROT_READ, MAP_PRIVATE, m_fd, 0);
    if (view == MAP_FAILED) {
        ::close(m_fd);
        m_fd = -1;
        return PL_ERRACCESS_DENIED;
    }
    m_MappedSize = size_t(st.st_size);
    m_pStartPos = m_pCurPos = static_cast<BYTE*>(view);
    SetNameAndSize(path, int(st.st_size));
    return 0;
}

void PLFileSource::Close() {
    if (m_pStartPos)
        ::munmap(m_pStartPos, m_MappedSize);
    if (m_fd >= 0)
        ::close(m_fd);
    m_pStartPos = m_pCurPos = nullptr;
    m_fd = -1;
    m_MappedSize = 0;
    PLDataSource::Close();
}
#endif
