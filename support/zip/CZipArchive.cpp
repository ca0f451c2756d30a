// The archive as a whole: opening, listing, closing, its settings, the traditional encryption
// and zlib's memory. Reading entries is in CZipArchiveRead.cpp, adding them in
// CZipArchiveWrite.cpp.
#include "CZipArchive.h"

#include "ZipCompatibility.h"
#include "ZipPlatform.h"

#include <algorithm>
#include <cstring>

CZipArchive::CZipArchive()
    : m_bCaseSensitive(ZipPlatform::GetSystemCaseSensitivity()),
      m_pZipCompare(GetNameCompareFunction(ZipPlatform::GetSystemCaseSensitivity(), true)), m_iBufferSize(kBufferSize),
      m_iFileOpened(nothing), m_bIgnoreCRC(false), m_iArchiveSystCompatib(ZipPlatform::GetSystemID()),
      m_bDetectZlibMemoryLeaks(true), m_iStreamKind(noStream), m_iStreamLevel(0), m_uComprLeft(0), m_uUncomprLeft(0), m_uCrc32(0),
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
    m_szExtractFolder.Empty();
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

void CZipArchive::StartInflate()
{
    if (m_iStreamKind == inflating) {
        CheckForError(inflateReset(&m_stream));
        return;
    }
    EndStream();
    std::memset(&m_stream, 0, sizeof m_stream);
    m_stream.zalloc = ZAlloc;
    m_stream.zfree = ZFree;
    m_stream.opaque = this;
    CheckForError(inflateInit2(&m_stream, -MAX_WBITS));
    m_iStreamKind = inflating;
}

void CZipArchive::StartDeflate(int level)
{
    if (m_iStreamKind == deflating && m_iStreamLevel == level) {
        CheckForError(deflateReset(&m_stream));
        return;
    }
    EndStream();
    std::memset(&m_stream, 0, sizeof m_stream);
    m_stream.zalloc = ZAlloc;
    m_stream.zfree = ZFree;
    m_stream.opaque = this;
    CheckForError(deflateInit2(&m_stream, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY));
    m_iStreamKind = deflating;
    m_iStreamLevel = level;
}

void CZipArchive::EndStream()
{
    if (m_iStreamKind == inflating)
        inflateEnd(&m_stream);
    else if (m_iStreamKind == deflating)
        deflateEnd(&m_stream);
    m_iStreamKind = noStream;
}

void CZipArchive::FreeEntryMemory()
{
    EndStream();
    m_pBuffer.Release();
    m_dataBuffer.Release();
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
