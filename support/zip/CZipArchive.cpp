#include "CZipArchive.h"

#include "CZipMemFile.h"
#include "CZipPathComponent.h"
#include "ZipCompatibility.h"
#include "ZipPlatform.h"

#include <algorithm>
#include <cstdlib>
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

bool EndsWithSeparator(const CString& s)
{
    return !s.IsEmpty() && CZipPathComponent::IsSeparator(s[s.GetLength() - 1]);
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

CZipArchive::CZipArchive()
    : m_bCaseSensitive(ZipPlatform::GetSystemCaseSensitivity()),
      m_pZipCompare(GetNameCompareFunction(ZipPlatform::GetSystemCaseSensitivity(), true)), m_iBufferSize(kBufferSize),
      m_iFileOpened(nothing), m_bIgnoreCRC(false), m_iArchiveSystCompatib(ZipPlatform::GetSystemID()),
      m_bDetectZlibMemoryLeaks(true), m_bStreamInit(false), m_uComprLeft(0), m_uUncomprLeft(0), m_uCrc32(0),
      m_uProduced(0), m_bAutoFlush(false)
{
    std::memset(&m_stream, 0, sizeof m_stream);
    m_keys[0] = m_keys[1] = m_keys[2] = 0;
    m_centralDir.Init(&m_storage, m_pZipCompare);
}

CZipArchive::~CZipArchive()
{
    if (!IsClosed())
        Close(afAfterException);
    FreeEntryMemory();
}

void CZipArchive::ThrowError(int code) const
{
    CZipException::Throw(code, IsClosed() ? "" : GetArchivePath().c_str());
}

CString CZipArchive::GetArchivePath() const
{
    return m_storage.GetArchivePath();
}

CString CZipArchive::GetGlobalComment() const
{
    const CZipBuffer& c = m_centralDir.m_pszComment;
    return c.GetSize() ? CString(c.GetBuffer(), static_cast<int>(c.GetSize())) : CString();
}

// ---- opening, listing, closing -------------------------------------------------------

bool CZipArchive::Open(const char* path, int mode, ULONGLONG volumeSize)
{
    if (!IsClosed())
        return false;
    if (mode < zipOpen || mode > zipCreateSpan)
        return false;
    m_storage.Open(path, mode, mode == zipCreateSpan || mode == zipOpen || mode == zipOpenReadOnly ? volumeSize : 0);
    OpenInternal(mode);
    return true;
}

bool CZipArchive::Open(CZipAbstractFile& file, int mode)
{
    if (!IsClosed())
        return false;
    if (mode != zipOpen && mode != zipOpenReadOnly && mode != zipCreate)
        return false;
    m_storage.Open(file, mode);
    OpenInternal(mode);
    return true;
}

void CZipArchive::OpenInternal(int mode)
{
    m_iFileOpened = nothing;
    m_centralDir.Clear();
    m_centralDir.Init(&m_storage, m_pZipCompare);
    m_iArchiveSystCompatib = ZipPlatform::GetSystemID();
    m_szRootPath.Empty();
    m_pszPassword.Release();
    if (mode == zipOpen || mode == zipOpenReadOnly) {
        try {
            m_centralDir.Read();
        } catch (...) {
            m_centralDir.Clear();
            m_storage.Close(true);
            throw;
        }
        if (m_centralDir.GetCount()) {
            const int system = m_centralDir[0]->GetSystemCompatibility();
            if (ZipCompatibility::IsPlatformSupported(system))
                m_iArchiveSystCompatib = system;
        }
    }
}

void CZipArchive::Close(int mode, bool updateTime)
{
    if (IsClosed())
        return;
    if (m_iFileOpened == extract)
        CloseFile(nullptr, mode != afNoException);
    if (m_iFileOpened == compress)
        CloseNewFile(mode != afNoException);
    if (mode != afAfterException && !m_storage.IsClosed(false))
        WriteCentralDirectory();
    time_t newest = 0;
    if (updateTime)
        for (WORD i = 0; i < m_centralDir.GetCount(); ++i)
            newest = std::max(newest, m_centralDir[i]->GetTime());
    m_centralDir.Clear();
    const bool callerFile = m_storage.m_bInMemory;
    const CString path = m_storage.Close(mode == afAfterException);
    if (updateTime && !callerFile && !path.IsEmpty())
        ZipPlatform::SetFileModTime(path, newest);
    FreeEntryMemory();
}

bool CZipArchive::IsClosed(bool archive) const
{
    return m_storage.IsClosed(archive);
}

int CZipArchive::GetCount(bool filesOnly) const
{
    if (!filesOnly)
        return m_centralDir.GetCount();
    int n = 0;
    for (WORD i = 0; i < m_centralDir.GetCount(); ++i)
        if (!m_centralDir[i]->IsDirectory())
            ++n;
    return n;
}

bool CZipArchive::GetFileInfo(CZipFileHeader& info, WORD index) const
{
    if (IsClosed() || !m_centralDir.IsValidIndex(index))
        return false;
    info = *m_centralDir[index];
    info.ConvertFileName(true);
    return true;
}

int CZipArchive::FindFile(const char* name, int caseMode, bool fileNameOnly)
{
    if (IsClosed() || !name)
        return -1;
    bool sensitive = caseMode == ffDefault ? m_bCaseSensitive : caseMode == ffCaseSens;
    return m_centralDir.FindFile(name, GetNameCompareFunction(sensitive, true), sensitive == m_bCaseSensitive,
                                 fileNameOnly);
}

ZIPNAMECOMPARE CZipArchive::GetNameCompareFunction(bool caseSensitive, bool collate)
{
    if (collate)
        return caseSensitive ? ZipPlatform::CompareCollate : ZipPlatform::CompareCollateNoCase;
    return caseSensitive ? ZipPlatform::CompareBytes : ZipPlatform::CompareBytesNoCase;
}

void CZipArchive::SetCaseSensitivity(bool caseSensitive)
{
    m_bCaseSensitive = caseSensitive;
    m_pZipCompare = GetNameCompareFunction(caseSensitive, true);
    m_centralDir.SetCompare(m_pZipCompare);
}

bool CZipArchive::SetSystemCompatibility(int code)
{
    if (IsClosed() || m_iFileOpened == compress || !ZipCompatibility::IsPlatformSupported(code))
        return false;
    m_iArchiveSystCompatib = code;
    return true;
}

void CZipArchive::SetRootPath(const char* path)
{
    if (m_iFileOpened != nothing)
        return;
    m_szRootPath = path ? path : "";
    m_szRootPath.TrimRight("\\/");
}

void CZipArchive::SetCallback(CZipActionCallback* callback, int codes)
{
    for (int bit = 1; bit <= 1024; bit <<= 1) {
        if (!(codes & bit))
            continue;
        if (callback)
            m_callbacks[bit] = callback;
        else
            m_callbacks.erase(bit);
    }
}

CZipActionCallback* CZipArchive::GetCallback(int code) const
{
    auto it = m_callbacks.find(code);
    return it == m_callbacks.end() ? nullptr : it->second;
}

// ---- passwords and encryption --------------------------------------------------------

bool CZipArchive::SetPassword(const char* password)
{
    if (m_iFileOpened != nothing)
        return false;
    if (!password || !*password) {
        m_pszPassword.Release();
        return true;
    }
    const size_t n = std::strlen(password);
    for (size_t i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(password[i]);
        if (c < 1 || c > 127) {
            m_pszPassword.Release();
            return false;
        }
    }
    m_pszPassword.Assign(password, static_cast<DWORD>(n));
    return true;
}

CString CZipArchive::GetPassword() const
{
    return m_pszPassword.GetSize() ? CString(m_pszPassword.GetBuffer(), static_cast<int>(m_pszPassword.GetSize()))
                                   : CString();
}

DWORD CZipArchive::CryptCrc32(DWORD crc, char c)
{
    static const z_crc_t* table = get_crc_table();
    return (crc >> 8) ^ static_cast<DWORD>(table[(crc ^ static_cast<unsigned char>(c)) & 0xFF]);
}

void CZipArchive::CryptInitKeys()
{
    m_keys[0] = 0x12345678u;
    m_keys[1] = 0x23456789u;
    m_keys[2] = 0x34567890u;
    for (DWORD i = 0; i < m_pszPassword.GetSize(); ++i)
        CryptUpdateKeys(m_pszPassword.GetBuffer()[i]);
}

void CZipArchive::CryptUpdateKeys(char c)
{
    m_keys[0] = CryptCrc32(m_keys[0], c);
    m_keys[1] = (m_keys[1] + (m_keys[0] & 0xFFu)) * 134775813u + 1u;
    m_keys[2] = CryptCrc32(m_keys[2], static_cast<char>(m_keys[1] >> 24));
}

char CZipArchive::CryptDecryptByte() const
{
    const DWORD t = (m_keys[2] & 0xFFFFu) | 2u;
    return static_cast<char>(((t * (t ^ 1u)) >> 8) & 0xFFu);
}

void CZipArchive::CryptDecode(char& c)
{
    c = static_cast<char>(c ^ CryptDecryptByte());
    CryptUpdateKeys(c);
}

void CZipArchive::CryptEncode(char& c)
{
    const char t = CryptDecryptByte();
    CryptUpdateKeys(c);
    c = static_cast<char>(c ^ t);
}

// ---- zlib memory ---------------------------------------------------------------------

voidpf CZipArchive::ZAlloc(voidpf opaque, uInt items, uInt size)
{
    CZipArchive* archive = static_cast<CZipArchive*>(opaque);
    char* p = new (std::nothrow) char[static_cast<size_t>(items) * size];
    if (p && archive->m_bDetectZlibMemoryLeaks)
        archive->m_list.push_back(p);
    return p;
}

void CZipArchive::ZFree(voidpf opaque, voidpf address)
{
    CZipArchive* archive = static_cast<CZipArchive*>(opaque);
    auto it = std::find(archive->m_list.begin(), archive->m_list.end(), address);
    if (it != archive->m_list.end())
        archive->m_list.erase(it);
    delete[] static_cast<char*>(address);
}

void CZipArchive::FreeEntryMemory()
{
    m_pBuffer.Release();
    for (void* p : m_list)
        delete[] static_cast<char*>(p);
    m_list.clear();
}

void CZipArchive::CheckForError(int zlibError) const
{
    if (zlibError == Z_OK || zlibError == Z_NEED_DICT)
        return;
    ThrowError(CZipException::ZlibErrToZip(zlibError));
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
    std::memset(&m_stream, 0, sizeof m_stream);
    if (h->m_uMethod == 8) {
        m_stream.zalloc = ZAlloc;
        m_stream.zfree = ZFree;
        m_stream.opaque = this;
        const int err = inflateInit2(&m_stream, -MAX_WBITS);
        if (err != Z_OK) {
            m_centralDir.m_pOpenedFile = nullptr;
            CheckForError(err);
        }
        m_bStreamInit = true;
    }
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
    if (m_bStreamInit) {
        inflateEnd(&m_stream);
        m_bStreamInit = false;
    }
    if (!afterException && result == 1 && path) {
        if (!ZipPlatform::SetFileModTime(path, h->GetTime()) || !ZipPlatform::SetFileAttr(path, h->GetSystemAttr()))
            result = -2;
    }
    // An entry not read to its end is not followed by its descriptor here.
    m_centralDir.CloseFile(afterException || result == -1);
    m_iFileOpened = nothing;
    FreeEntryMemory();
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
    if (!folder.IsEmpty())
        ForceDirectory(folder);
    // The data go to a temporary file beside the target, which replaces the target only
    // when the whole entry came out right.
    const CString temp = ZipPlatform::CreateTempFileIn(folder.IsEmpty() ? "." : folder.c_str());
    if (temp.IsEmpty()) {
        const LONG error = static_cast<LONG>(ZipPlatform::GetLastSystemError());
        throw new CFileException(CFileException::OsErrorToException(error), error, target);
    }
    CZipFile file;
    int abortCode = 0;
    int result = 0;
    try {
        file.Open(temp, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite, true);
        CZipBuffer buf(bufferSize);
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
        ZipPlatform::RemoveFile(temp, false);
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
        if (!ZipPlatform::RenameFile(temp, target, false)) {
            ZipPlatform::RemoveFile(temp, false);
            CZipException::Throw(CZipException::notRenamed, target);
        }
    } else {
        ZipPlatform::RemoveFile(temp, false);
    }
    if (abortCode)
        CZipException::Throw(abortCode, target);
    return result == 1;
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
    std::memset(&m_stream, 0, sizeof m_stream);
    m_stream.next_out = reinterpret_cast<Bytef*>(m_pBuffer.GetBuffer());
    m_stream.avail_out = m_pBuffer.GetSize();
    if (h->m_uMethod == 8) {
        m_stream.zalloc = ZAlloc;
        m_stream.zfree = ZFree;
        m_stream.opaque = this;
        const int err = deflateInit2(&m_stream, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
        CheckForError(err);
        m_bStreamInit = true;
    }
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
        if (m_bStreamInit) {
            deflateEnd(&m_stream);
            m_bStreamInit = false;
        }
        h->m_uCrc32 = m_uCrc32;
        h->m_uUncomprSize = m_uProduced;
        m_centralDir.CloseNewFile();
    } else {
        if (m_bStreamInit) {
            deflateEnd(&m_stream);
            m_bStreamInit = false;
        }
        // The abandoned entry does not stay in the directory.
        m_centralDir.m_pOpenedFile = nullptr;
        m_centralDir.RemoveLastFile();
    }
    m_iFileOpened = nothing;
    FreeEntryMemory();
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
    CZipBuffer buf(options.m_nBufSize);
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
    CZipBuffer buf(m_iBufferSize);
    DWORD left = header.m_uComprSize;
    while (left) {
        const DWORD n = std::min(left, buf.GetSize());
        other.m_storage.Read(buf, n, false);
        m_storage.Write(buf, n, false);
        left -= n;
    }
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
        DWORD left = header.m_uComprSize;
        while (left) {
            const DWORD n = std::min(left, buf.GetSize());
            other.m_storage.Read(buf, n, false);
            entry.Write(buf, n, false);
            left -= n;
        }
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
