// cab_set_maker FOLDER: writes source files into FOLDER\src and packs them with the
// system's cabinet compressor (FCI) into a set of small cabinets FOLDER\set1.cab,
// set2.cab, ..., with files spanning cabinets. Only the tests use it.
#include <windows.h>
#include <fci.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string g_folder;

void* DIAMONDAPI Alloc(ULONG cb) { return std::malloc(cb); }
void DIAMONDAPI Free(void* p) { std::free(p); }

INT_PTR DIAMONDAPI Open(char* name, int oflag, int pmode, int* err, void*)
{
    int fd = _open(name, oflag | _O_BINARY, pmode);
    if (fd == -1)
        *err = errno;
    return fd;
}

UINT DIAMONDAPI Read(INT_PTR hf, void* p, UINT cb, int* err, void*)
{
    int n = _read(static_cast<int>(hf), p, cb);
    if (n == -1)
        *err = errno;
    return static_cast<UINT>(n);
}

UINT DIAMONDAPI Write(INT_PTR hf, void* p, UINT cb, int* err, void*)
{
    int n = _write(static_cast<int>(hf), p, cb);
    if (n == -1)
        *err = errno;
    return static_cast<UINT>(n);
}

int DIAMONDAPI Close(INT_PTR hf, int* err, void*)
{
    int r = _close(static_cast<int>(hf));
    if (r == -1)
        *err = errno;
    return r;
}

__LONG32 DIAMONDAPI Seek(INT_PTR hf, __LONG32 dist, int type, int* err, void*)
{
    long r = _lseek(static_cast<int>(hf), dist, type);
    if (r == -1)
        *err = errno;
    return r;
}

int DIAMONDAPI Delete(char* name, int* err, void*)
{
    if (::DeleteFileA(name))
        return 0;
    *err = errno;
    return -1;
}

BOOL DIAMONDAPI TempFile(char* name, int cb, void*)
{
    char path[MAX_PATH];
    if (!::GetTempFileNameA(g_folder.c_str(), "fci", 0, path))
        return FALSE;
    ::DeleteFileA(path);
    if (static_cast<int>(std::strlen(path)) >= cb)
        return FALSE;
    std::strcpy(name, path);
    return TRUE;
}

int DIAMONDAPI Placed(PCCAB, char*, __LONG32, BOOL, void*) { return 0; }

void NameCabinet(PCCAB ccab)
{
    std::snprintf(ccab->szCab, sizeof ccab->szCab, "set%d.cab", ccab->iCab);
}

BOOL DIAMONDAPI NextCabinet(PCCAB ccab, ULONG, void*)
{
    NameCabinet(ccab);
    return TRUE;
}

__LONG32 DIAMONDAPI Status(UINT, ULONG, ULONG, void*) { return 0; }

INT_PTR DIAMONDAPI OpenInfo(char* name, USHORT* date, USHORT* time, USHORT* attribs, int* err, void* pv)
{
    HANDLE h = ::CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        FILETIME ft, local;
        ::GetFileTime(h, nullptr, nullptr, &ft);
        ::FileTimeToLocalFileTime(&ft, &local);
        ::FileTimeToDosDateTime(&local, date, time);
        ::CloseHandle(h);
    }
    *attribs = FILE_ATTRIBUTE_ARCHIVE;
    return Open(name, _O_RDONLY, 0, err, pv);
}

// Data that does not compress, so the files really span the small cabinets.
std::string Noise(unsigned seed, size_t n)
{
    std::string s(n, '\0');
    unsigned x = seed * 2654435761u + 1;
    for (size_t i = 0; i < n; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        s[i] = static_cast<char>(x >> 24);
    }
    return s;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: cab_set_maker FOLDER\n");
        return 2;
    }
    g_folder = argv[1];
    const std::string src = g_folder + "\\src";
    ::CreateDirectoryA(g_folder.c_str(), nullptr);
    ::CreateDirectoryA(src.c_str(), nullptr);

    CCAB ccab = {};
    ccab.cb = 40000;
    ccab.cbFolderThresh = 40000;
    ccab.iCab = 1;
    ccab.setID = 4711;
    std::snprintf(ccab.szCabPath, sizeof ccab.szCabPath, "%s\\", g_folder.c_str());
    NameCabinet(&ccab);
    ERF erf = {};
    HFCI fci = ::FCICreate(&erf, Placed, Alloc, Free, Open, Read, Write, Close, Seek, Delete, TempFile, &ccab, nullptr);
    if (!fci) {
        std::fprintf(stderr, "FCICreate failed: %d\n", erf.erfOper);
        return 1;
    }
    const size_t sizes[] = {5000, 52000, 30000, 47000, 900};
    for (unsigned i = 0; i < sizeof sizes / sizeof sizes[0]; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "file%u.bin", i + 1);
        const std::string path = src + "\\" + name;
        const std::string data = Noise(i + 1, sizes[i]);
        FILE* f = std::fopen(path.c_str(), "wb");
        if (!f || std::fwrite(data.data(), 1, data.size(), f) != data.size() || std::fclose(f) != 0) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
        if (!::FCIAddFile(fci, const_cast<char*>(path.c_str()), name, FALSE, NextCabinet, Status, OpenInfo,
                          tcompTYPE_MSZIP)) {
            std::fprintf(stderr, "FCIAddFile %s failed: %d\n", name, erf.erfOper);
            return 1;
        }
    }
    if (!::FCIFlushCabinet(fci, FALSE, NextCabinet, Status)) {
        std::fprintf(stderr, "FCIFlushCabinet failed: %d\n", erf.erfOper);
        return 1;
    }
    ::FCIDestroy(fci);
    return 0;
}
