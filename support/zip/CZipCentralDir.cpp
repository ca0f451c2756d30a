#include "CZipCentralDir.h"

#include "CZipException.h"
#include "CZipStorage.h"
#include "ZipBytes.h"
#include "ZipPlatform.h"

#include <algorithm>
#include <cstring>

using namespace ZipBytes;

namespace {
const char kEndSignature[4] = { 'P', 'K', 5, 6 };
const char kDescriptorSignature[4] = { 'P', 'K', 7, 8 };
const DWORD kEndRecordSize = 22;
const ULONGLONG kMaxEndSearch = 65557;  // the end record and the longest comment
}

CZipCentralDir::CZipCentralDir()
    : m_uThisDisk(0), m_uDiskWithCD(0), m_uDiskEntriesNo(0), m_uEntriesNumber(0), m_uSize(0), m_uOffset(0),
      m_pOpenedFile(nullptr), m_pStorage(nullptr), m_bConvertAfterOpen(true), m_bOnDisk(false),
      m_uBytesBeforeZip(0), m_iBufferSize(32768), m_pCompare(ZipPlatform::CompareCollateNoCase),
      m_bFindFastEnabled(false), m_bFindArrayBuilt(false)
{
}

CZipCentralDir::~CZipCentralDir()
{
    Clear();
}

void CZipCentralDir::Init(CZipStorage* storage, ZIPNAMECOMPARE compare)
{
    m_pStorage = storage;
    m_pCompare = compare;
    m_pOpenedFile = nullptr;
    m_bOnDisk = false;
    m_uBytesBeforeZip = 0;
}

void CZipCentralDir::Clear()
{
    for (CZipFileHeader* h : m_headers)
        delete h;
    m_headers.clear();
    m_findarray.clear();
    m_bFindArrayBuilt = false;
    m_pOpenedFile = nullptr;
    m_pszComment.Release();
    m_pLocalExtraField.Release();
    m_uThisDisk = m_uDiskWithCD = m_uDiskEntriesNo = m_uEntriesNumber = 0;
    m_uSize = m_uOffset = 0;
    m_uBytesBeforeZip = 0;
    m_bOnDisk = false;
}

void CZipCentralDir::ThrowError(int code) const
{
    CZipException::Throw(code, m_pStorage ? m_pStorage->GetArchivePath().c_str() : "");
}

ULONGLONG CZipCentralDir::Locate()
{
    CZipAbstractFile* file = m_pStorage->m_pFile;
    const ULONGLONG length = file->GetLength();
    const ULONGLONG limit = length > kMaxEndSearch ? length - kMaxEndSearch : 0;
    const DWORD chunk = static_cast<DWORD>(m_iBufferSize);
    CZipBuffer buf(chunk);
    // Records whose comment does not end the file, last first: taken only when no record
    // ends the file exactly, as when bytes were appended after the archive.
    std::vector<ULONGLONG> others;
    ULONGLONG chunkEnd = length;
    while (chunkEnd > limit && chunkEnd - limit >= 4) {
        const ULONGLONG chunkStart = chunkEnd - limit > chunk ? chunkEnd - chunk : limit;
        const DWORD n = static_cast<DWORD>(chunkEnd - chunkStart);
        file->Seek(static_cast<LONGLONG>(chunkStart), CZipAbstractFile::begin);
        if (file->Read(buf, n) != n)
            ThrowError(CZipException::badZipFile);
        for (int i = static_cast<int>(n) - 4; i >= 0; --i) {
            if (std::memcmp(buf.GetBuffer() + i, kEndSignature, 4) != 0)
                continue;
            const ULONGLONG pos = chunkStart + static_cast<ULONGLONG>(i);
            if (pos + kEndRecordSize > length)
                continue;
            char lenBytes[2];
            file->Seek(static_cast<LONGLONG>(pos + 20), CZipAbstractFile::begin);
            if (file->Read(lenBytes, 2) != 2)
                ThrowError(CZipException::badZipFile);
            const ULONGLONG recordEnd = pos + kEndRecordSize + Get16(lenBytes);
            if (recordEnd == length)
                return pos;
            // A signature inside a comment or in the bytes that follow the archive.
            if (recordEnd < length)
                others.push_back(pos);
        }
        if (chunkStart == limit)
            break;
        chunkEnd = chunkStart + 3;
    }
    for (ULONGLONG pos : others)
        if (IsWholeDirectory(pos))
            return pos;
    ThrowError(CZipException::cdirNotFound);
}

bool CZipCentralDir::IsWholeDirectory(ULONGLONG pos) const
{
    CZipAbstractFile* file = m_pStorage->m_pFile;
    char record[kEndRecordSize];
    file->Seek(static_cast<LONGLONG>(pos), CZipAbstractFile::begin);
    if (file->Read(record, kEndRecordSize) != kEndRecordSize)
        return false;
    const WORD thisDisk = Get16(record + 4);
    const WORD entries = Get16(record + 10);
    const DWORD size = Get32(record + 12);
    const DWORD offset = Get32(record + 16);
    // Only a directory in this file can be read back; on the last volume of a set, its
    // offset is from the start of the volume, in a single file from the archive's start.
    if (Get16(record + 6) != thisDisk || Get16(record + 8) != entries || !size != !entries ||
        static_cast<ULONGLONG>(offset) + size > pos)
        return false;
    const ULONGLONG start = thisDisk ? offset : pos - size;
    const ULONGLONG end = start + size;
    ULONGLONG at = start;
    for (WORD i = 0; i < entries; ++i) {
        char header[CZipFileHeader::kCentralFixedSize];
        if (at + sizeof header > end)
            return false;
        file->Seek(static_cast<LONGLONG>(at), CZipAbstractFile::begin);
        if (file->Read(header, sizeof header) != sizeof header)
            return false;
        const DWORD headerSize = CZipFileHeader::CentralSize(header);
        if (!headerSize)
            return false;
        at += headerSize;
    }
    return at == end;
}

void CZipCentralDir::Read()
{
    const ULONGLONG pos = Locate();
    CZipAbstractFile* file = m_pStorage->m_pFile;
    file->Seek(static_cast<LONGLONG>(pos), CZipAbstractFile::begin);
    char buf[kEndRecordSize];
    if (file->Read(buf, kEndRecordSize) != kEndRecordSize)
        ThrowError(CZipException::badZipFile);
    m_uThisDisk = Get16(buf + 4);
    m_uDiskWithCD = Get16(buf + 6);
    m_uDiskEntriesNo = Get16(buf + 8);
    m_uEntriesNumber = Get16(buf + 10);
    m_uSize = Get32(buf + 12);
    m_uOffset = Get32(buf + 16);
    const WORD commentSize = Get16(buf + 20);
    if (commentSize) {
        m_pszComment.Allocate(commentSize);
        if (file->Read(m_pszComment, commentSize) != commentSize)
            ThrowError(CZipException::badZipFile);
    }
    m_pStorage->UpdateSpanMode(m_uThisDisk);
    if (!m_pStorage->IsSpanMode()) {
        const ULONGLONG cdEnd = static_cast<ULONGLONG>(m_uOffset) + m_uSize;
        if (pos < cdEnd)
            ThrowError(CZipException::badZipFile);
        m_uBytesBeforeZip = static_cast<DWORD>(pos - cdEnd);
    }
    if ((!m_uSize && m_uEntriesNumber) || (!m_uEntriesNumber && m_uSize))
        ThrowError(CZipException::badZipFile);
    if (m_uDiskWithCD > m_uThisDisk)
        ThrowError(CZipException::badZipFile);
    ReadHeaders();
    m_bOnDisk = true;
}

void CZipCentralDir::ReadHeaders()
{
    m_pStorage->SeekTo(m_uDiskWithCD, static_cast<ULONGLONG>(m_uOffset) + m_uBytesBeforeZip);
    m_headers.reserve(m_uEntriesNumber);
    for (WORD i = 0; i < m_uEntriesNumber; ++i) {
        CZipFileHeader* h = new CZipFileHeader;
        m_headers.push_back(h);
        h->ReadCentral(*m_pStorage);
        if (m_bConvertAfterOpen)
            h->ConvertFileName(true);
    }
    std::stable_sort(m_headers.begin(), m_headers.end(), [](const CZipFileHeader* a, const CZipFileHeader* b) {
        if (a->m_uDiskStart != b->m_uDiskStart)
            return a->m_uDiskStart < b->m_uDiskStart;
        return a->m_uOffset < b->m_uOffset;
    });
    for (size_t i = 1; i < m_headers.size(); ++i)
        if (m_headers[i]->m_uDiskStart == m_headers[i - 1]->m_uDiskStart &&
            m_headers[i]->m_uOffset == m_headers[i - 1]->m_uOffset)
            ThrowError(CZipException::badZipFile);
    if (m_bFindFastEnabled)
        BuildFindFastArray();
}

void CZipCentralDir::OpenFile(WORD index)
{
    CZipFileHeader* h = m_headers[index];
    m_pStorage->SeekTo(h->m_uDiskStart, static_cast<ULONGLONG>(m_uBytesBeforeZip) + h->m_uOffset);
    h->CheckLocal(*m_pStorage, m_pLocalExtraField);
    m_pOpenedFile = h;
}

void CZipCentralDir::CloseFile(bool skipDescriptor)
{
    if (!m_pOpenedFile)
        return;
    if (!skipDescriptor && m_pOpenedFile->IsDataDescr()) {
        // The signature of the descriptor is optional.
        char buf[16];
        m_pStorage->Read(buf, 4, false);
        const char* values = buf;
        if (std::memcmp(buf, kDescriptorSignature, 4) == 0) {
            m_pStorage->Read(buf + 4, 12, false);
            values = buf + 4;
        } else {
            m_pStorage->Read(buf + 4, 8, false);
        }
        if (!m_pOpenedFile->CompareCrcAndSizes(values))
            ThrowError(CZipException::badZipFile);
    }
    m_pOpenedFile = nullptr;
    m_pLocalExtraField.Release();
}

CZipFileHeader* CZipCentralDir::AddNewFile(const CZipFileHeader& header)
{
    if (m_bOnDisk && m_pStorage->IsSpanMode() == 0) {
        // New entries take the place of the central directory read from the file.
        m_pStorage->Flush();
        m_pStorage->m_pFile->Seek(static_cast<LONGLONG>(m_uOffset) + m_uBytesBeforeZip, CZipAbstractFile::begin);
    }
    m_bOnDisk = false;
    CZipFileHeader* h = new CZipFileHeader(header);
    m_headers.push_back(h);
    m_findarray.clear();
    m_bFindArrayBuilt = false;
    m_pStorage->AssureFree(h->GetSize(true));
    h->m_uDiskStart = static_cast<WORD>(m_pStorage->GetCurrentDisk());
    h->m_uOffset = static_cast<DWORD>(m_pStorage->GetPosition() - m_uBytesBeforeZip);
    h->WriteLocal(*m_pStorage);
    m_pOpenedFile = h;
    return h;
}

void CZipCentralDir::CloseNewFile()
{
    CZipFileHeader* h = m_pOpenedFile;
    if (!h)
        return;
    char buf[16];
    h->GetCrcAndSizes(buf + 4);
    const bool span = m_pStorage->IsSpanMode() != 0;
    if (h->IsDataDescr()) {
        if (span || h->IsEncrypted()) {
            std::memcpy(buf, kDescriptorSignature, 4);
            m_pStorage->Write(buf, 16, false);
        } else {
            m_pStorage->Write(buf + 4, 12, false);
        }
    }
    if (!h->IsDataDescr() || (!span && h->IsEncrypted()))
        m_pStorage->WriteAt(h->m_uDiskStart, static_cast<ULONGLONG>(h->m_uOffset) + m_uBytesBeforeZip + 14, buf + 4, 12);
    m_pOpenedFile = nullptr;
}

void CZipCentralDir::RemoveLastFile()
{
    if (m_headers.empty())
        return;
    CZipFileHeader* h = m_headers.back();
    if (m_pStorage->IsSpanMode() == 0) {
        // The space of the removed entry is taken by what is written next.
        m_pStorage->Flush();
        m_pStorage->m_pFile->Seek(static_cast<LONGLONG>(h->m_uOffset) + m_uBytesBeforeZip, CZipAbstractFile::begin);
        m_pStorage->m_pFile->SetLength(static_cast<ULONGLONG>(h->m_uOffset) + m_uBytesBeforeZip);
    }
    if (m_pOpenedFile == h)
        m_pOpenedFile = nullptr;
    delete h;
    m_headers.pop_back();
    m_findarray.clear();
    m_bFindArrayBuilt = false;
}

bool CZipCentralDir::TryConvertToSingle()
{
    // Only a volume set that stayed on its first volume.
    if (m_pStorage->IsSpanMode() != 1 || m_pStorage->GetCurrentDisk() != 0)
        return false;
    ULONGLONG needed = kEndRecordSize + m_pszComment.GetSize();
    ULONGLONG saved = 4;
    for (const CZipFileHeader* h : m_headers) {
        needed += h->GetSize(false);
        if (h->IsDataDescr() && !h->IsEncrypted())
            saved += 16;
    }
    if (needed > saved + m_pStorage->VolumeLeft())
        return false;
    DWORD length = 0;
    char* data = m_pStorage->BeginSingleConversion(length);
    if (!data)
        return false;
    // Check every entry lies in the data before moving anything.
    bool valid = length >= 4;
    for (const CZipFileHeader* h : m_headers) {
        if (!valid)
            break;
        const ULONGLONG start = h->m_uOffset;
        if (start + 30 > length) {
            valid = false;
            break;
        }
        const ULONGLONG local = 30 + Get16(data + start + 26) + Get16(data + start + 28);
        const ULONGLONG end = start + local + h->m_uComprSize + (h->IsDataDescr() ? 16 : 0);
        valid = end <= length;
    }
    if (!valid) {
        m_pStorage->EndSingleConversion(length);
        ThrowError(CZipException::internal);
    }
    DWORD out = 0;
    for (CZipFileHeader* h : m_headers) {
        const DWORD start = h->m_uOffset;
        const DWORD local = 30 + Get16(data + start + 26) + Get16(data + start + 28);
        // Only entries that have a data descriptor lose it; encrypted ones keep theirs,
        // since their password check byte depends on it.
        const bool strip = h->IsDataDescr() && !h->IsEncrypted();
        const DWORD keep = local + h->m_uComprSize + (h->IsDataDescr() && !strip ? 16 : 0);
        std::memmove(data + out, data + start, keep);
        if (strip) {
            h->m_uFlag = static_cast<WORD>(h->m_uFlag & ~8);
            Put16(data + out + 6, h->m_uFlag);
            h->GetCrcAndSizes(data + out + 14);
        }
        h->m_uOffset = out;
        out += keep;
    }
    if (m_headers.empty())
        out = 0;
    m_pStorage->EndSingleConversion(out);
    m_uBytesBeforeZip = 0;
    return true;
}

void CZipCentralDir::Write(CZipActionCallback* callback)
{
    if (m_bOnDisk)
        return;
    TryConvertToSingle();
    if (callback) {
        callback->Init(nullptr, m_pStorage->GetArchivePath());
        callback->SetTotal(static_cast<DWORD>(m_headers.size()));
    }
    const DWORD endSize = kEndRecordSize + m_pszComment.GetSize();
    m_uSize = 0;
    WORD onDisk = 0;
    int lastDisk = -1;
    for (size_t i = 0; i < m_headers.size(); ++i) {
        const CZipFileHeader* h = m_headers[i];
        m_pStorage->AssureFree(h->GetSize(false));
        const int disk = m_pStorage->GetCurrentDisk();
        if (i == 0) {
            m_uDiskWithCD = static_cast<WORD>(disk);
            m_uOffset = static_cast<DWORD>(m_pStorage->GetPosition() - m_uBytesBeforeZip);
        }
        if (disk != lastDisk) {
            onDisk = 0;
            lastDisk = disk;
        }
        h->WriteCentral(*m_pStorage);
        m_uSize += h->GetSize(false);
        ++onDisk;
        if (callback && !callback->Callback(1))
            ThrowError(i + 1 == m_headers.size() ? CZipException::abortedSafely : CZipException::abortedAction);
    }
    m_pStorage->AssureFree(endSize);
    const int disk = m_pStorage->GetCurrentDisk();
    if (m_headers.empty()) {
        m_uDiskWithCD = static_cast<WORD>(disk);
        m_uOffset = static_cast<DWORD>(m_pStorage->GetPosition() - m_uBytesBeforeZip);
    }
    if (disk != lastDisk)
        onDisk = 0;
    m_uThisDisk = static_cast<WORD>(disk);
    m_uDiskEntriesNo = onDisk;
    m_uEntriesNumber = static_cast<WORD>(m_headers.size());
    CZipBuffer buf(endSize);
    char* p = buf.GetBuffer();
    std::memcpy(p, kEndSignature, 4);
    Put16(p + 4, m_uThisDisk);
    Put16(p + 6, m_uDiskWithCD);
    Put16(p + 8, m_uDiskEntriesNo);
    Put16(p + 10, m_uEntriesNumber);
    Put32(p + 12, m_uSize);
    Put32(p + 16, m_uOffset);
    Put16(p + 20, static_cast<WORD>(m_pszComment.GetSize()));
    if (m_pszComment.GetSize())
        std::memcpy(p + 22, m_pszComment.GetBuffer(), m_pszComment.GetSize());
    m_pStorage->Write(buf, endSize, true);
    if (m_pStorage->IsSpanMode() == 0) {
        // Cut what an older, longer central directory left behind.
        m_pStorage->Flush();
        const ULONGLONG end = m_pStorage->m_pFile->GetPosition();
        if (m_pStorage->m_pFile->GetLength() > end)
            m_pStorage->m_pFile->SetLength(end);
    }
    if (callback)
        callback->CallbackEnd();
    m_bOnDisk = true;
}

void CZipCentralDir::SetCompare(ZIPNAMECOMPARE compare)
{
    m_pCompare = compare;
    m_findarray.clear();
    m_bFindArrayBuilt = false;
}

void CZipCentralDir::EnableFindFast(bool enable)
{
    m_bFindFastEnabled = enable;
    if (enable)
        BuildFindFastArray();
}

void CZipCentralDir::ConvertAll(bool forUse)
{
    for (CZipFileHeader* h : m_headers)
        h->ConvertFileName(forUse);
}

void CZipCentralDir::BuildFindFastArray()
{
    m_findarray.clear();
    m_findarray.reserve(m_headers.size());
    for (size_t i = 0; i < m_headers.size(); ++i)
        m_findarray.push_back({ m_headers[i]->GetFileName(), static_cast<WORD>(i) });
    ZIPNAMECOMPARE compare = m_pCompare;
    std::sort(m_findarray.begin(), m_findarray.end(),
              [compare](const CZipFindFastElement& a, const CZipFindFastElement& b) {
                  return compare(a.m_szName, b.m_szName) < 0;
              });
    m_bFindArrayBuilt = true;
}

int CZipCentralDir::FindFile(const char* name, ZIPNAMECOMPARE compare, bool useFindArray, bool fileNameOnly)
{
    if (!fileNameOnly && useFindArray) {
        if (!m_bFindArrayBuilt)
            BuildFindFastArray();
        size_t lo = 0, hi = m_findarray.size();
        while (lo < hi) {
            const size_t mid = (lo + hi) / 2;
            const int c = m_pCompare(name, m_findarray[mid].m_szName);
            if (c == 0)
                return m_findarray[mid].m_uIndex;
            if (c < 0)
                hi = mid;
            else
                lo = mid + 1;
        }
        return -1;
    }
    for (size_t i = 0; i < m_headers.size(); ++i) {
        CString entry = m_headers[i]->GetFileName();
        if (fileNameOnly) {
            CString trimmed = entry;
            trimmed.TrimRight("\\/");
            const int sep = std::max(trimmed.ReverseFind('\\'), trimmed.ReverseFind('/'));
            entry = trimmed.Mid(sep + 1);
        }
        if (compare(name, entry) == 0)
            return static_cast<int>(i);
    }
    return -1;
}
