// CZipArchive: reading and extracting entries.
#include "CZipArchive.h"

#include "CZipPathComponent.h"
#include "ZipPlatform.h"

#include <algorithm>
#include <cstring>

namespace {

// The folder part of a path: what precedes its last separator.
CString ParentOf(const CString& path)
{
    const int sep = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
    if (sep < 0)
        return CString();
    if (sep == 0)
        return path.Left(1);
    return path.Left(sep);
}

}

// ---- reading entries -----------------------------------------------------------------

bool CZipArchive::OpenFile(WORD index)
{
    if (IsClosed() || !m_centralDir.IsValidIndex(index) || m_storage.IsSpanMode() == 1 || m_iFileOpened != nothing)
        return false;
    m_pBuffer.Allocate(m_iBufferSize);
    m_centralDir.OpenFile(index);
    CZipFileHeader* h = m_centralDir.m_pOpenedFile;
    DWORD compressed = h->m_uComprSize;
    if (h->IsEncrypted()) {
        // An encrypted entry holds at least its 12-byte encryption header.
        if (compressed < 12) {
            m_centralDir.m_pOpenedFile = nullptr;
            ThrowError(CZipException::badZipFile);
        }
        if (!m_pszPassword.GetSize()) {
            m_centralDir.m_pOpenedFile = nullptr;
            ThrowError(CZipException::badPassword);
        }
        CryptInitKeys();
        char header[12];
        m_storage.Read(header, 12, false);
        for (char& c : header)
            CryptDecode(c);
        if (header[11] != h->GetEncryptionCheckByte()) {
            m_centralDir.m_pOpenedFile = nullptr;
            ThrowError(CZipException::badPassword);
        }
        compressed -= 12;
    }
    if (h->m_uMethod == 8) {
        try {
            StartInflate();
        } catch (...) {
            m_centralDir.m_pOpenedFile = nullptr;
            throw;
        }
    }
    m_stream.next_in = nullptr;
    m_stream.avail_in = 0;
    m_uComprLeft = compressed;
    m_uUncomprLeft = h->m_uUncomprSize;
    m_uCrc32 = 0;
    m_uProduced = 0;
    m_iFileOpened = extract;
    return true;
}

DWORD CZipArchive::ReadFile(void* buffer, DWORD size)
{
    if (m_iFileOpened != extract || !buffer || !size)
        return 0;
    CZipFileHeader* h = m_centralDir.m_pOpenedFile;
    const bool encrypted = h->IsEncrypted();
    const DWORD room = std::min(size, m_uUncomprLeft);
    m_stream.next_out = static_cast<Bytef*>(buffer);
    m_stream.avail_out = room;
    DWORD produced = 0;
    const bool drain = room == 0 && m_uComprLeft > 0;
    while (m_stream.avail_out > 0 || (drain && m_uComprLeft > 0)) {
        if (m_stream.avail_in == 0 && m_uComprLeft > 0) {
            const DWORD n = std::min(m_uComprLeft, m_pBuffer.GetSize());
            m_storage.Read(m_pBuffer, n, false);
            if (encrypted)
                for (DWORD i = 0; i < n; ++i)
                    CryptDecode(m_pBuffer.GetBuffer()[i]);
            m_uComprLeft -= n;
            m_stream.next_in = reinterpret_cast<Bytef*>(m_pBuffer.GetBuffer());
            m_stream.avail_in = n;
        }
        if (h->m_uMethod == 0) {
            if (drain) {
                m_stream.avail_in = 0;
                continue;
            }
            // Stored data shorter than the entry claims.
            if (m_stream.avail_in == 0)
                ThrowError(CZipException::badZipFile);
            const DWORD n = std::min(m_stream.avail_in, m_stream.avail_out);
            std::memcpy(m_stream.next_out, m_stream.next_in, n);
            m_uCrc32 = crc32(m_uCrc32, m_stream.next_out, n);
            m_stream.next_in += n;
            m_stream.avail_in -= n;
            m_stream.next_out += n;
            m_stream.avail_out -= n;
            produced += n;
            m_uUncomprLeft -= n;
        } else {
            Bytef* before = m_stream.next_out;
            const int err = inflate(&m_stream, Z_SYNC_FLUSH);
            const DWORD n = static_cast<DWORD>(m_stream.next_out - before);
            if (n) {
                m_uCrc32 = crc32(m_uCrc32, before, n);
                produced += n;
                m_uUncomprLeft -= n;
            }
            if (err == Z_STREAM_END)
                break;
            if (err == Z_BUF_ERROR) {
                if (m_stream.avail_out == 0)
                    break;
                // Compressed data shorter than the entry claims.
                if (m_stream.avail_in == 0 && m_uComprLeft == 0)
                    ThrowError(CZipException::badZipFile);
            }
            CheckForError(err == Z_BUF_ERROR ? Z_OK : err);
        }
    }
    m_uProduced += produced;
    return produced;
}

int CZipArchive::CloseFile(const char* path, bool afterException)
{
    if (m_iFileOpened != extract)
        return 0;
    int result = 1;
    CZipFileHeader* h = m_centralDir.m_pOpenedFile;
    if (!afterException) {
        if (m_uUncomprLeft > 0) {
            result = -1;
        } else if (!m_bIgnoreCRC && m_uCrc32 != h->m_uCrc32) {
            ThrowError(CZipException::badCrc);
        }
    }
    if (!afterException && result == 1 && path) {
        if (!ZipPlatform::SetFileModTime(path, h->GetTime()) || !ZipPlatform::SetFileAttr(path, h->GetSystemAttr()))
            result = -2;
    }
    // An entry not read to its end is not followed by its descriptor here.
    m_centralDir.CloseFile(afterException || result == -1);
    m_iFileOpened = nothing;
    return result;
}

int CZipArchive::CloseFile(CZipFile& file)
{
    const CString path = file.GetFilePath();
    file.Close();
    return CloseFile(path, false);
}

CString CZipArchive::SafeRelativePart(const char* fileNameInZip, bool fullPath, const char* newName) const
{
    CString part = newName ? newName : (fileNameInZip ? fileNameInZip : "");
    part.TrimRight("\\/");
    CString rel;
    if (fullPath) {
        rel = CZipPathComponent(part).GetNoDrive();
    } else {
        rel = part;
        if (!StripRootPath(rel))
            rel = CZipPathComponent(part).GetFileName();
    }
    // Nothing may lead out of the destination: drives, leading separators, "." and ".."
    // components are dropped.
    if (rel.GetLength() >= 2 && rel[1] == ':')
        rel = rel.Mid(2);
    CString out;
    int start = 0;
    const int n = rel.GetLength();
    for (int i = 0; i <= n; ++i) {
        if (i < n && !CZipPathComponent::IsSeparator(rel[i]))
            continue;
        CString comp = rel.Mid(start, i - start);
        start = i + 1;
        if (comp.IsEmpty() || comp == "." || comp == "..")
            continue;
        if (!out.IsEmpty())
            out += '\\';
        out += comp;
    }
    return out;
}

bool CZipArchive::StripRootPath(CString& path) const
{
    const int rootLength = m_szRootPath.GetLength();
    if (!rootLength || path.GetLength() <= rootLength)
        return false;
    // The root matches only whole components: "C:\\data" is no root of "C:\\database".
    if (!CZipPathComponent::IsSeparator(path[rootLength]))
        return false;
    CString head = path.Left(rootLength);
    CString root = m_szRootPath;
    head.Replace('/', '\\');
    root.Replace('/', '\\');
    if (ZipPlatform::CompareBytesNoCase(head, root) != 0)
        return false;
    path = path.Mid(rootLength);
    path.TrimLeft("\\/");
    return true;
}

CString CZipArchive::PredictExtractedFileName(const char* fileNameInZip, const char* path, bool fullPath,
                                              const char* newName) const
{
    CString entry = newName ? newName : (fileNameInZip ? fileNameInZip : "");
    CString folder = path ? path : "";
    if (entry.IsEmpty())
        return folder;
    if (!folder.IsEmpty())
        ZipPlatform::AppendSeparator(folder);
    return folder + SafeRelativePart(fileNameInZip, fullPath, newName);
}

bool CZipArchive::ForceDirectory(const char* path)
{
    CString p = path ? path : "";
    p.TrimRight("\\/");
    if (p.IsEmpty())
        return true;
    if (ZipPlatform::FileExists(p) == -1)
        return true;
    const CString parent = ParentOf(p);
    if (parent == p)
        return true;
    if (!parent.IsEmpty() && !(parent.GetLength() == 2 && parent[1] == ':') && !ForceDirectory(parent))
        return false;
    return ZipPlatform::CreateDirectory(p) || ZipPlatform::FileExists(p) == -1;
}

bool CZipArchive::ExtractFile(WORD index, const char* path, bool fullPath, const char* newName, DWORD bufferSize)
{
    if (bufferSize == 0)
        return false;
    CZipFileHeader header;
    if (!GetFileInfo(header, index))
        return false;
    const CString name = header.GetFileName();
    const CString target = PredictExtractedFileName(name, path, fullPath, newName);
    const bool isDir = header.IsDirectory();
    // An entry whose name holds nothing but separators, drives and dots has no place.
    const bool hasName = !SafeRelativePart(name, fullPath, newName).IsEmpty();
    if (!isDir && !hasName)
        return false;
    CZipActionCallback* callback = GetCallback(CZipActionCallback::cbExtract);
    if (callback)
        callback->Init(name, target);
    if (isDir) {
        if (callback)
            callback->SetTotal(0);
        bool ok = ForceDirectory(target);
        if (ok && hasName)
            ZipPlatform::SetFileAttr(target, header.GetSystemAttr());
        if (callback)
            callback->CallbackEnd();
        return ok;
    }
    if (callback)
        callback->SetTotal(header.m_uUncomprSize);
    if (!OpenFile(index))
        return false;
    const CString folder = ParentOf(target);
    if (!folder.IsEmpty() && folder != m_szExtractFolder && ForceDirectory(folder))
        m_szExtractFolder = folder;
    // A new file is written in its place and removed again when the entry fails. One that
    // exists already is replaced only by a complete one: the data go to a temporary file
    // beside it, which replaces it when the whole entry came out right.
    const bool replacing = ZipPlatform::FileExists(target) != 0;
    CString written = target;
    if (replacing) {
        written = ZipPlatform::CreateTempFileIn(folder.IsEmpty() ? "." : folder.c_str());
        if (written.IsEmpty()) {
            const LONG error = static_cast<LONG>(ZipPlatform::GetLastSystemError());
            throw new CFileException(CFileException::OsErrorToException(error), error, target);
        }
    }
    CZipFile file;
    bool created = replacing;
    int abortCode = 0;
    int result = 0;
    try {
        file.Open(written, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite, true);
        created = true;
        char* buf = m_dataBuffer.Allocate(bufferSize);
        for (;;) {
            const DWORD n = ReadFile(buf, bufferSize);
            if (n)
                file.Write(buf, n);
            if (callback && !callback->Callback(n)) {
                bool whole = n < bufferSize;
                if (!whole) {
                    char probe;
                    whole = ReadFile(&probe, 1) == 0;
                }
                abortCode = whole ? CZipException::abortedSafely : CZipException::abortedAction;
                break;
            }
            if (n < bufferSize)
                break;
        }
        result = CloseFile(file);
    } catch (...) {
        file.Abort();
        if (created)
            ZipPlatform::RemoveFile(written, false);
        if (callback)
            callback->CallbackEnd();
        throw;
    }
    if (result != 1 && abortCode == CZipException::abortedSafely)
        abortCode = CZipException::abortedAction;
    if (callback)
        callback->CallbackEnd();
    const bool complete = result == 1 || result == -2;
    if (complete && abortCode != CZipException::abortedAction) {
        if (replacing && !ZipPlatform::RenameFile(written, target, false)) {
            ZipPlatform::RemoveFile(written, false);
            CZipException::Throw(CZipException::notRenamed, target);
        }
    } else {
        ZipPlatform::RemoveFile(written, false);
    }
    if (abortCode)
        CZipException::Throw(abortCode, target);
    return result == 1;
}
