// CZipArchive: adding entries, copying and replacing them, and writing the central directory.
#include "CZipArchive.h"

#include "CZipMemFile.h"
#include "CZipPathComponent.h"
#include "ZipPlatform.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

bool EndsWithSeparator(const CString& s)
{
    return !s.IsEmpty() && CZipPathComponent::IsSeparator(s[s.GetLength() - 1]);
}

// Copies size bytes of entry data from one archive to another through buf.
void CopyData(CZipStorage& from, CZipStorage& to, DWORD size, CZipBuffer& buf)
{
    while (size) {
        const DWORD n = std::min(size, buf.GetSize());
        from.Read(buf, n, false);
        to.Write(buf, n, false);
        size -= n;
    }
}

// Keeps the password aside while it lives (entries added without encryption).
class PasswordAside {
public:
    PasswordAside(CZipBuffer& password, bool active) : m_password(password), m_active(active)
    {
        if (m_active) {
            m_saved = m_password;
            m_password.Release();
        }
    }
    ~PasswordAside()
    {
        if (m_active)
            m_password = m_saved;
    }

private:
    CZipBuffer& m_password;
    CZipBuffer m_saved;
    bool m_active;
};

}

// ---- adding entries ------------------------------------------------------------------

bool CZipArchive::OpenNewFile(CZipFileHeader& header, int level, const char* filePath, int replaceIndex)
{
    if (IsClosed() || m_iFileOpened != nothing || m_storage.IsSpanMode() == -1 || m_storage.IsReadOnly() ||
        m_centralDir.GetCount() >= 65535)
        return false;
    // Entries are replaced through AddNewFile and GetFromArchive, which know the new size first.
    if (replaceIndex != -1)
        return false;
    if (level < -1 || level > 9)
        level = -1;
    header.SetSystemCompatibility(m_iArchiveSystCompatib);
    if (filePath) {
        DWORD attributes;
        if (!ZipPlatform::GetFileAttr(filePath, attributes))
            return false;
        time_t modTime;
        if (!ZipPlatform::GetFileModTime(filePath, modTime))
            modTime = std::time(nullptr);
        header.SetTime(modTime);
        header.SetSystemAttr(attributes);
    }
    const bool isDir = header.IsDirectory();
    CString name = header.GetFileName();
    if (isDir && !EndsWithSeparator(name))
        name += '\\';
    if (name.IsEmpty())
        name.Format("file%i", m_centralDir.GetCount());
    if (name.GetLength() > 65535 || header.m_pExtraField.GetSize() > 65535 || header.m_pszComment.GetSize() > 65535)
        ThrowError(CZipException::tooLongFileName);
    header.SetFileName(name);

    header.m_uSignature = 0x02014b50;
    header.m_uInternalAttr = 0;
    header.m_uVersionNeeded = isDir ? 10 : 20;
    header.m_uVersionMadeBy = static_cast<WORD>((m_iArchiveSystCompatib << 8) | 20);
    header.m_uCrc32 = 0;
    header.m_uComprSize = 0;
    header.m_uUncomprSize = 0;
    header.m_uMethod = level == 0 ? 0 : 8;
    header.m_uFlag = 0;
    if (header.m_uMethod == 8) {
        if (level == 1)
            header.m_uFlag |= 6;
        else if (level == 2)
            header.m_uFlag |= 4;
        else if (level == 8 || level == 9)
            header.m_uFlag |= 2;
    }
    if (m_storage.IsSpanMode() == 1 && m_storage.GetSpanMode() == CZipStorage::pkzipSpan)
        header.m_uFlag |= 8;
    const bool encrypted = m_pszPassword.GetSize() > 0;
    if (encrypted) {
        header.m_uFlag |= 9;
        header.m_uComprSize = 12;
    }

    CZipFileHeader* h = m_centralDir.AddNewFile(header);
    if (encrypted) {
        static bool seeded = false;
        if (!seeded) {
            std::srand(static_cast<unsigned>(std::time(nullptr)));
            seeded = true;
        }
        CryptInitKeys();
        char buf[12];
        for (int i = 0; i < 10; ++i) {
            const int r = std::rand();
            char c = static_cast<char>(r >> 6);
            if (!c)
                c = static_cast<char>(r);
            buf[i] = c;
            CryptEncode(buf[i]);
        }
        buf[10] = static_cast<char>(h->m_uModTime & 0xFF);
        buf[11] = static_cast<char>(h->m_uModTime >> 8);
        CryptEncode(buf[10]);
        CryptEncode(buf[11]);
        m_storage.Write(buf, 12, false);
    }
    m_pBuffer.Allocate(m_iBufferSize);
    if (h->m_uMethod == 8)
        StartDeflate(level);
    m_stream.next_in = nullptr;
    m_stream.avail_in = 0;
    m_stream.next_out = reinterpret_cast<Bytef*>(m_pBuffer.GetBuffer());
    m_stream.avail_out = m_pBuffer.GetSize();
    m_uCrc32 = 0;
    m_uProduced = 0;
    m_iFileOpened = compress;
    return true;
}

void CZipArchive::FlushWriteBuffer()
{
    const DWORD n = m_pBuffer.GetSize() - m_stream.avail_out;
    if (n) {
        CZipFileHeader* h = m_centralDir.m_pOpenedFile;
        if (h->IsEncrypted())
            for (DWORD i = 0; i < n; ++i)
                CryptEncode(m_pBuffer.GetBuffer()[i]);
        m_storage.Write(m_pBuffer, n, false);
        h->m_uComprSize += n;
    }
    m_stream.next_out = reinterpret_cast<Bytef*>(m_pBuffer.GetBuffer());
    m_stream.avail_out = m_pBuffer.GetSize();
}

bool CZipArchive::WriteNewFile(const void* buffer, DWORD size)
{
    if (m_iFileOpened != compress)
        return false;
    if (!size)
        return true;
    CZipFileHeader* h = m_centralDir.m_pOpenedFile;
    m_uCrc32 = crc32(m_uCrc32, static_cast<const Bytef*>(buffer), size);
    m_uProduced += size;
    m_stream.next_in = static_cast<Bytef*>(const_cast<void*>(buffer));
    m_stream.avail_in = size;
    while (m_stream.avail_in > 0) {
        if (m_stream.avail_out == 0)
            FlushWriteBuffer();
        if (h->m_uMethod == 8) {
            CheckForError(deflate(&m_stream, Z_NO_FLUSH));
        } else {
            const DWORD n = std::min(m_stream.avail_in, m_stream.avail_out);
            std::memcpy(m_stream.next_out, m_stream.next_in, n);
            m_stream.next_in += n;
            m_stream.avail_in -= n;
            m_stream.next_out += n;
            m_stream.avail_out -= n;
        }
    }
    return true;
}

bool CZipArchive::CloseNewFile(bool afterException)
{
    if (m_iFileOpened != compress)
        return false;
    CZipFileHeader* h = m_centralDir.m_pOpenedFile;
    if (!afterException) {
        if (h->m_uMethod == 8) {
            m_stream.avail_in = 0;
            for (;;) {
                if (m_stream.avail_out == 0)
                    FlushWriteBuffer();
                const int err = deflate(&m_stream, Z_FINISH);
                if (err == Z_STREAM_END)
                    break;
                CheckForError(err == Z_BUF_ERROR ? Z_OK : err);
            }
        }
        FlushWriteBuffer();
        h->m_uCrc32 = m_uCrc32;
        h->m_uUncomprSize = m_uProduced;
        m_centralDir.CloseNewFile();
    } else {
        // The abandoned entry does not stay in the directory.
        m_centralDir.m_pOpenedFile = nullptr;
        m_centralDir.RemoveLastFile();
    }
    m_iFileOpened = nothing;
    if (!afterException && m_bAutoFlush)
        Flush();
    return true;
}

bool CZipArchive::AddNewFile(const char* filePath, const char* nameInZip, int level, bool fullPath, DWORD bufferSize)
{
    CZipAddFileOptions options(filePath, nameInZip ? nameInZip : "");
    options.m_iComprLevel = level;
    options.m_bFullPath = fullPath;
    options.m_nBufSize = bufferSize;
    return AddNewFile(options);
}

bool CZipArchive::AddNewFile(const CZipAddFileOptions& options)
{
    if (IsClosed() || m_iFileOpened != nothing || !options.m_nBufSize)
        return false;
    int replace = options.m_iReplaceIndex;
    if (replace == -2)
        replace = FindFile(NameInArchive(options));
    if (replace < -1 || (replace >= 0 && !m_centralDir.IsValidIndex(replace)))
        return false;
    if (replace == -1)
        return AddNewFileInternal(options);
    if (m_storage.IsSpanMode() != 0 || m_storage.IsReadOnly())
        return false;
    // The new entry is made in an archive in memory first, then moved into the place
    // of the old one.
    CZipMemFile memory;
    CZipArchive temp;
    CreateInMemoryLikeThis(temp, memory);
    CZipAddFileOptions first(options);
    first.m_iReplaceIndex = -1;
    first.m_szFileNameInZip = NameInArchive(options);
    if (!temp.AddNewFileInternal(first))
        return false;
    const bool ok = GetFromArchive(temp, 0, replace, true);
    temp.Close();
    return ok;
}

void CZipArchive::CreateInMemoryLikeThis(CZipArchive& temp, CZipMemFile& memory)
{
    temp.Open(memory, zipCreate);
    temp.SetPassword(GetPassword());
    temp.SetRootPath(m_szRootPath);
    temp.SetSystemCompatibility(m_iArchiveSystCompatib);
    temp.SetCallback(GetCallback(CZipActionCallback::cbAddTmp), CZipActionCallback::cbAdd);
}

CString CZipArchive::NameInArchive(const CZipAddFileOptions& options) const
{
    CString path = options.m_szFilePath;
    path.TrimRight("\\/");
    CString name = options.m_szFileNameInZip;
    if (name.IsEmpty()) {
        CZipPathComponent zpc(path);
        if (options.m_bFullPath) {
            name = zpc.GetNoDrive();
        } else {
            name = path;
            if (!StripRootPath(name))
                name = zpc.GetFileName();
        }
    }
    return name;
}

bool CZipArchive::AddNewFileInternal(const CZipAddFileOptions& options)
{
    CString path = options.m_szFilePath;
    path.TrimRight("\\/");
    const CString name = NameInArchive(options);
    DWORD attributes = ZipPlatform::GetDefaultAttributes();
    time_t modTime = std::time(nullptr);
    if (!options.m_pFile) {
        if (!ZipPlatform::GetFileAttr(path, attributes))
            return false;
        if (!ZipPlatform::GetFileModTime(path, modTime))
            modTime = std::time(nullptr);
    }
    const int smart = options.m_iSmartLevel;
    const bool internalPass = (smart & CZipAddFileOptions::zipsmInternal01) != 0;
    CZipFileHeader header;
    header.SetFileName(name);
    header.SetSystemCompatibility(m_iArchiveSystCompatib);
    header.SetTime(modTime);
    header.SetSystemAttr(attributes);

    if (attributes & 0x10) {
        PasswordAside aside(m_pszPassword, !internalPass && (smart & CZipAddFileOptions::zipsmCPassDir));
        if (!OpenNewFile(header, 0, nullptr))
            return false;
        CloseNewFile();
        return true;
    }

    ULONGLONG size = 0;
    if (options.m_pFile)
        size = options.m_pFile->GetLength();
    else if (!ZipPlatform::GetFileSize(path, size))
        return false;
    int level = options.m_iComprLevel;
    PasswordAside aside(m_pszPassword, !internalPass && (smart & CZipAddFileOptions::zipsmCPFile0) && size == 0);
    if (!internalPass && (smart & CZipAddFileOptions::zipsmNotCompSmall) && size < 5)
        level = 0;
    const bool checkEfficiency = !internalPass && (smart & CZipAddFileOptions::zipsmCheckForEff) && level != 0;
    const DWORD encryptionHeader = m_pszPassword.GetSize() ? 12 : 0;

    CZipAddFileOptions second(options);
    second.m_iSmartLevel = CZipAddFileOptions::zipsmInternal01;
    second.m_iComprLevel = 0;
    second.m_szFileNameInZip = name;

    if (checkEfficiency && m_storage.IsSpanMode() == 1) {
        // Volumes cannot be rewritten: compress into an archive in memory first.
        CZipMemFile memory;
        CZipArchive temp;
        CreateInMemoryLikeThis(temp, memory);
        CZipAddFileOptions first(options);
        first.m_iSmartLevel = CZipAddFileOptions::zipsmInternal01;
        first.m_szFileNameInZip = name;
        if (!temp.AddNewFileInternal(first))
            return false;
        CZipFileHeader info;
        temp.GetFileInfo(info, 0);
        bool ok;
        if (info.m_uComprSize - encryptionHeader >= size) {
            temp.Close();
            ok = AddNewFileInternal(second);
        } else {
            ok = GetFromArchive(temp, 0);
            temp.Close();
        }
        return ok;
    }

    CZipFile diskFile;
    CZipAbstractFile* source = options.m_pFile;
    if (!source) {
        diskFile.Open(path, CFile::modeRead | CFile::shareDenyWrite, true);
        source = &diskFile;
    } else {
        source->Seek(0, CZipAbstractFile::begin);
    }
    if (!OpenNewFile(header, level, nullptr))
        return false;
    CZipActionCallback* callback = GetCallback(internalPass && checkEfficiency ? CZipActionCallback::cbAddStore
                                                                               : CZipActionCallback::cbAdd);
    if (callback) {
        callback->Init(name, path);
        callback->SetTotal(static_cast<DWORD>(size));
    }
    char* buf = m_dataBuffer.Allocate(options.m_nBufSize);
    for (;;) {
        const UINT n = source->Read(buf, options.m_nBufSize);
        if (n)
            WriteNewFile(buf, n);
        if (callback && !callback->Callback(n)) {
            const bool whole = n < options.m_nBufSize || source->GetPosition() >= source->GetLength();
            if (whole) {
                CloseNewFile();
                callback->CallbackEnd();
                ThrowError(CZipException::abortedSafely);
            }
            CloseNewFile(true);
            callback->CallbackEnd();
            ThrowError(CZipException::abortedAction);
        }
        if (n < options.m_nBufSize)
            break;
    }
    if (!options.m_pFile)
        diskFile.Close();
    CloseNewFile();
    if (callback)
        callback->CallbackEnd();

    if (checkEfficiency && m_storage.IsSpanMode() == 0) {
        const CZipFileHeader* h = m_centralDir[m_centralDir.GetCount() - 1];
        if (h->m_uComprSize - encryptionHeader >= size) {
            m_centralDir.RemoveLastFile();
            m_centralDir.m_bOnDisk = false;
            return AddNewFileInternal(second);
        }
    }
    return true;
}

bool CZipArchive::GetFromArchive(CZipArchive& other, WORD index, int replaceIndex, bool keepSystemCompatibility)
{
    if (IsClosed() || other.IsClosed() || m_iFileOpened != nothing || other.m_iFileOpened != nothing ||
        m_storage.IsSpanMode() == -1 || other.m_storage.IsSpanMode() == 1 || m_storage.IsReadOnly())
        return false;
    CZipFileHeader header;
    if (!other.GetFileInfo(header, index))
        return false;
    if (replaceIndex == -2)
        replaceIndex = FindFile(header.GetFileName());
    if (replaceIndex < -1 || (replaceIndex >= 0 && (!m_centralDir.IsValidIndex(replaceIndex) || m_storage.IsSpanMode())))
        return false;
    if (replaceIndex == -1 && m_centralDir.GetCount() >= 65535)
        return false;
    if (!keepSystemCompatibility && header.GetSystemCompatibility() != m_iArchiveSystCompatib) {
        const DWORD attributes = header.GetSystemAttr();
        header.SetSystemCompatibility(m_iArchiveSystCompatib);
        header.SetSystemAttr(attributes);
    }
    if (m_storage.IsSpanMode() == 1 && m_storage.GetSpanMode() == CZipStorage::pkzipSpan && !header.IsEncrypted())
        header.m_uFlag |= 8;
    other.m_centralDir.OpenFile(index);
    other.m_centralDir.m_pOpenedFile = nullptr;
    if (replaceIndex >= 0) {
        ReplaceEntry(other, header, static_cast<WORD>(replaceIndex));
        return true;
    }
    m_centralDir.AddNewFile(header);
    // The archive's own buffer: no entry of it is open.
    m_pBuffer.Allocate(m_iBufferSize);
    CopyData(other.m_storage, m_storage, header.m_uComprSize, m_pBuffer);
    m_centralDir.CloseNewFile();
    if (m_bAutoFlush)
        Flush();
    return true;
}

void CZipArchive::ReplaceEntry(CZipArchive& other, CZipFileHeader header, WORD index)
{
    // The new entry (local header, data, descriptor) is put together in memory.
    CZipMemFile entryFile;
    {
        CZipStorage entry;
        entry.Open(entryFile, zipCreate);
        header.WriteLocal(entry);
        CZipBuffer buf(m_iBufferSize);
        CopyData(other.m_storage, entry, header.m_uComprSize, buf);
        if (header.IsDataDescr()) {
            char d[16] = { 'P', 'K', 7, 8 };
            header.GetCrcAndSizes(d + 4);
            entry.Write(header.IsEncrypted() ? d : d + 4, header.IsEncrypted() ? 16 : 12, false);
        }
        entry.Close(false);
    }
    const ULONGLONG newSize = entryFile.GetLength();

    // Where the old entry and the data after it lie.
    CZipAbstractFile* file = m_storage.m_pFile;
    m_storage.Flush();
    const ULONGLONG before = m_centralDir.m_uBytesBeforeZip;
    CZipFileHeader* old = m_centralDir[index];
    const ULONGLONG oldStart = before + old->m_uOffset;
    const ULONGLONG dataEnd = m_centralDir.m_bOnDisk ? before + m_centralDir.m_uOffset : file->GetPosition();
    ULONGLONG oldEnd = dataEnd;
    for (WORD i = 0; i < m_centralDir.GetCount(); ++i) {
        const ULONGLONG start = before + m_centralDir[i]->m_uOffset;
        if (start > oldStart && start < oldEnd)
            oldEnd = start;
    }
    const LONGLONG delta = static_cast<LONGLONG>(newSize) - static_cast<LONGLONG>(oldEnd - oldStart);
    if (oldStart + newSize + (dataEnd - oldEnd) > 0xFFFFFFFFull)
        ThrowError(CZipException::internal);

    // Make room: the data after the old entry move by delta.
    CZipActionCallback* callback = GetCallback(CZipActionCallback::cbReplace);
    if (callback) {
        callback->Init(header.GetFileName(), GetArchivePath());
        callback->SetTotal(static_cast<DWORD>(dataEnd - oldEnd));
    }
    CZipBuffer buf(m_iBufferSize);
    ULONGLONG left = dataEnd - oldEnd;
    while (left && delta != 0) {
        const DWORD n = static_cast<DWORD>(std::min<ULONGLONG>(left, buf.GetSize()));
        // Moving up starts at the end, moving down at the start.
        const ULONGLONG from = delta > 0 ? oldEnd + left - n : dataEnd - left;
        file->Seek(static_cast<LONGLONG>(from), CZipAbstractFile::begin);
        if (file->Read(buf, n) != n)
            ThrowError(CZipException::badZipFile);
        file->Seek(static_cast<LONGLONG>(from) + delta, CZipAbstractFile::begin);
        file->Write(buf, n);
        left -= n;
        if (callback && !callback->Callback(n))
            ThrowError(CZipException::abortedAction);
    }
    if (callback)
        callback->CallbackEnd();
    file->Seek(static_cast<LONGLONG>(oldStart), CZipAbstractFile::begin);
    file->Write(entryFile.GetData(), static_cast<UINT>(newSize));
    file->Seek(static_cast<LONGLONG>(dataEnd) + delta, CZipAbstractFile::begin);

    const DWORD oldOffset = old->m_uOffset;
    for (WORD i = 0; i < m_centralDir.GetCount(); ++i)
        if (m_centralDir[i]->m_uOffset > oldOffset)
            m_centralDir[i]->m_uOffset = static_cast<DWORD>(m_centralDir[i]->m_uOffset + delta);
    header.m_uOffset = oldOffset;
    header.m_uDiskStart = 0;
    *old = header;
    old->ConvertFileName(true);
    m_centralDir.SetCompare(m_pZipCompare);
    m_centralDir.m_bOnDisk = false;
}

void CZipArchive::WriteCentralDirectory()
{
    m_centralDir.Write(GetCallback(CZipActionCallback::cbSave));
}

int CZipArchive::Flush()
{
    if (IsClosed() || m_iFileOpened != nothing || m_storage.IsSpanMode() != 0 || m_storage.IsReadOnly())
        return -1;
    WriteCentralDirectory();
    m_storage.Flush();
    return 0;
}
