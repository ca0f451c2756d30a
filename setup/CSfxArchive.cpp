#include "CSfxArchive.h"
#include "SafeName.h"
#include <cstring>
#include <memory>
#include <vector>
#ifdef _WIN32
#include <windows.h>
#else
#include <climits>
#include <unistd.h>
#endif

const char CSfxArchive::marker[11] = "!KOVA_SFX!";

namespace {

const char kSeparator =
#ifdef _WIN32
    '\\';
#else
    '/';
#endif

// Reads exactly count bytes at position, or returns false.
bool ReadAt(CFile& file, ULONGLONG position, void* buffer, UINT count)
{
    file.Seek(static_cast<LONGLONG>(position), CFile::begin);
    UINT done = 0;
    while (done < count) {
        UINT got = file.Read(static_cast<char*>(buffer) + done, count - done);
        if (got == 0)
            return false;
        done += got;
    }
    return true;
}

bool ReadU32At(CFile& file, ULONGLONG position, UINT& value)
{
    unsigned char b[4];
    if (!ReadAt(file, position, b, 4))
        return false;
    value = b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<UINT>(b[3]) << 24);
    return true;
}

CString JoinDestination(const char* folder, const CString& name)
{
    CString path = CString(folder) + name;
#ifndef _WIN32
    path.Replace('\\', kSeparator);
#endif
    return path;
}

} // namespace

void CSfxArchive::Clear()
{
    for (CSfxEntry& e : m_entries)
        e = CSfxEntry();
    m_count = 0;
}

unsigned short CSfxArchive::ReadTable(const char* executablePath)
{
    Clear();
    CFile file;
    if (!file.Open(executablePath, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary))
        return openFailed;
    unsigned short result;
    try {
        result = ParseTrailer(file);
    } catch (CFileException* e) {
        e->Delete();
        result = damaged;
    }
    file.Abort();
    if (result != success)
        Clear();
    return result;
}

unsigned short CSfxArchive::ParseTrailer(CFile& file)
{
    const ULONGLONG length = file.GetLength();
    if (length < 10)
        return noMarker;
    char found[10];
    if (!ReadAt(file, length - 10, found, 10) || std::memcmp(found, marker, 10) != 0)
        return noMarker;
    UINT count = 0;
    if (length < 14 || !ReadU32At(file, length - 14, count))
        return damaged;
    if (count == 0)
        return emptyPayload;
    if (count > maxEntries)
        return damaged;

    ULONGLONG consumed = 14;
    for (int i = static_cast<int>(count) - 1; i >= 0; --i) {
        const ULONGLONG end = length - consumed; // end of entry block i
        UINT nameLength = 0;
        if (end < 4 || !ReadU32At(file, end - 4, nameLength))
            return damaged;
        if (nameLength == 0 || nameLength > maxNameLength || end < 12ULL + nameLength)
            return damaged;
        char name[maxNameLength];
        UINT size = 0, offset = 0;
        const ULONGLONG nameAt = end - 4 - nameLength;
        if (!ReadAt(file, nameAt, name, nameLength) || !ReadU32At(file, nameAt - 4, size)
            || !ReadU32At(file, nameAt - 8, offset))
            return damaged;
        if (!IsNameInsideFolder(std::string_view(name, nameLength)))
            return damaged;
        m_entries[i].name = CString(name, static_cast<int>(nameLength));
        m_entries[i].size = size;
        m_entries[i].offset = offset;
        consumed += nameLength + 12ULL;
    }
    // Every file's data lies before the first entry block.
    const ULONGLONG firstBlock = length - consumed;
    for (UINT i = 0; i < count; ++i)
        if (static_cast<ULONGLONG>(m_entries[i].offset) + m_entries[i].size > firstBlock)
            return damaged;
    m_count = static_cast<int>(count);
    return success;
}

unsigned short CSfxArchive::ExtractOne(CFile& source, int index, const char* destinationFolder)
{
    if (index < 0 || index >= m_count)
        return destinationFailed;
    const CSfxEntry& entry = m_entries[index];
    CFile out;
    if (!out.Open(JoinDestination(destinationFolder, entry.name),
                  CFile::modeCreate | CFile::modeWrite | CFile::typeBinary))
        return destinationFailed;
    unsigned short result = success;
    try {
        source.Seek(entry.offset, CFile::begin);
        char buffer[chunkSize];
        UINT left = entry.size;
        while (left > 0) {
            UINT got = source.Read(buffer, left < chunkSize ? left : static_cast<UINT>(chunkSize));
            if (got == 0) { // the file ends early: this entry's copy ends
                result = destinationFailed;
                break;
            }
            out.Write(buffer, got);
            left -= got;
        }
        out.Close();
    } catch (CFileException* e) {
        e->Delete();
        out.Abort();
        result = destinationFailed;
    }
    return result;
}

unsigned short CSfxArchive::ExtractAll(const char* destinationFolder, Callback callback, void* context)
{
    CString folder(destinationFolder);
    if (folder.IsEmpty() || (folder[folder.GetLength() - 1] != '\\' && folder[folder.GetLength() - 1] != kSeparator))
        folder += kSeparator;
    const CString self = GetExecutablePath();
    unsigned short result = ReadTable(self);
    if (result != success)
        return result;
    CFile source;
    if (!source.Open(self, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary))
        return reopenFailed;
    for (int i = m_count - 1; i >= 0; --i) {
        if (ExtractOne(source, i, folder) != success)
            result = destinationFailed;
        if (callback)
            callback(m_entries[i], context);
    }
    source.Abort();
    return result;
}

CString CSfxArchive::GetExecutablePath() const
{
#ifdef _WIN32
    char path[MAX_PATH + 1] = {};
    DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return CString(path, static_cast<int>(n));
#else
    char path[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", path, sizeof path);
    return n > 0 ? CString(path, static_cast<int>(n)) : CString();
#endif
}
