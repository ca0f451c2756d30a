#include "CZipFileHeader.h"

#include "CZipException.h"
#include "CZipStorage.h"
#include "ZipBytes.h"
#include "ZipCompatibility.h"
#include "ZipPlatform.h"

#include <cstring>

using namespace ZipBytes;

namespace {
const char kCentralSignature[4] = { 'P', 'K', 1, 2 };
const char kLocalSignature[4] = { 'P', 'K', 3, 4 };

CString BufferText(const CZipBuffer& buffer)
{
    return buffer.GetSize() ? CString(buffer.GetBuffer(), static_cast<int>(buffer.GetSize())) : CString();
}
}

CZipFileHeader::CZipFileHeader()
    : m_uSignature(0x02014b50), m_uVersionMadeBy(20), m_uVersionNeeded(20), m_uFlag(0), m_uMethod(8),
      m_uModTime(0), m_uModDate(0), m_uCrc32(0), m_uComprSize(0), m_uUncomprSize(0), m_uDiskStart(0),
      m_uInternalAttr(0), m_uExternalAttr(0), m_uOffset(0)
{
}

CString CZipFileHeader::GetFileName() const
{
    if (m_bNameForUse)
        return BufferText(m_pszFileName);
    CZipFileHeader copy(*this);
    copy.ConvertFileName(true);
    return BufferText(copy.m_pszFileName);
}

void CZipFileHeader::SetFileName(const char* name)
{
    m_pszFileName.Assign(name, static_cast<DWORD>(std::strlen(name)));
    m_bNameForUse = true;
}

CString CZipFileHeader::GetComment() const
{
    return BufferText(m_pszComment);
}

void CZipFileHeader::SetComment(const char* comment)
{
    m_pszComment.Assign(comment, static_cast<DWORD>(std::strlen(comment)));
}

void CZipFileHeader::ConvertFileName(bool forUse)
{
    if (forUse == m_bNameForUse)
        return;
    char* p = m_pszFileName.GetBuffer();
    const bool dos = GetSystemCompatibility() == ZipCompatibility::zcDosFat;
    if (forUse) {
        for (DWORD i = 0; i < m_pszFileName.GetSize(); ++i)
            if (p[i] == '/')
                p[i] = '\\';
        if (dos)
            ZipPlatform::AnsiOem(m_pszFileName, false);
    } else {
        for (DWORD i = 0; i < m_pszFileName.GetSize(); ++i)
            if (p[i] == '\\')
                p[i] = '/';
        if (dos)
            ZipPlatform::AnsiOem(m_pszFileName, true);
    }
    m_bNameForUse = forUse;
}

CZipBuffer CZipFileHeader::StoredName() const
{
    CZipFileHeader copy(*this);
    copy.ConvertFileName(false);
    return copy.m_pszFileName;
}

bool CZipFileHeader::NameEndsWithSeparator() const
{
    const DWORD n = m_pszFileName.GetSize();
    if (!n)
        return false;
    const char c = m_pszFileName.GetBuffer()[n - 1];
    return c == '\\' || c == '/';
}

DWORD CZipFileHeader::GetSystemAttr() const
{
    const int system = GetSystemCompatibility();
    if (ZipCompatibility::IsPlatformSupported(system)) {
        if (!m_uExternalAttr && NameEndsWithSeparator())
            return 0x10;
        return ZipCompatibility::ConvertToSystem(m_uExternalAttr, system, ZipPlatform::GetSystemID());
    }
    // An unknown system: directory or file by the name, in the low (MS-DOS) word only.
    return (NameEndsWithSeparator() ? ZipPlatform::GetDefaultDirAttributes() : ZipPlatform::GetDefaultAttributes()) &
           0xFFFF;
}

void CZipFileHeader::SetSystemAttr(DWORD attributes)
{
    m_uExternalAttr = ZipCompatibility::ConvertToSystem(attributes, ZipPlatform::GetSystemID(), GetSystemCompatibility());
}

bool CZipFileHeader::IsDirectory() const
{
    return (GetSystemAttr() & 0x10) != 0;
}

time_t CZipFileHeader::GetTime() const
{
    struct tm t;
    std::memset(&t, 0, sizeof t);
    t.tm_year = ((m_uModDate >> 9) & 0x7F) + 80;
    t.tm_mon = ((m_uModDate >> 5) & 0x0F) - 1;
    t.tm_mday = m_uModDate & 0x1F;
    t.tm_hour = m_uModTime >> 11;
    t.tm_min = (m_uModTime >> 5) & 0x3F;
    t.tm_sec = (m_uModTime & 0x1F) * 2;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

void CZipFileHeader::SetTime(time_t time)
{
    // A time the run-time library cannot convert is an early one (before 1970 on some
    // systems) or an invalid one (then now is taken).
    const time_t kYear1980 = 315532800;
    struct tm* t = std::localtime(&time);
    if (!t && time >= kYear1980) {
        time_t now = std::time(nullptr);
        t = std::localtime(&now);
    }
    if (!t || t->tm_year < 80) {
        m_uModDate = (1 << 5) | 1;
        m_uModTime = 0;
        return;
    }
    if (t->tm_year > 80 + 127) {
        m_uModDate = static_cast<WORD>((127 << 9) | (12 << 5) | 31);
        m_uModTime = static_cast<WORD>((23 << 11) | (59 << 5) | 29);
        return;
    }
    m_uModDate = static_cast<WORD>(((t->tm_year - 80) << 9) | ((t->tm_mon + 1) << 5) | t->tm_mday);
    m_uModTime = static_cast<WORD>((t->tm_hour << 11) | (t->tm_min << 5) | (t->tm_sec >> 1));
}

DWORD CZipFileHeader::GetSize(bool local) const
{
    if (local)
        return 30 + GetFileNameSize() + GetExtraFieldSize();
    return 46 + GetFileNameSize() + GetExtraFieldSize() + GetCommentSize();
}

char CZipFileHeader::GetEncryptionCheckByte() const
{
    return static_cast<char>(IsDataDescr() ? (m_uModTime >> 8) : (m_uCrc32 >> 24));
}

DWORD CZipFileHeader::CentralSize(const char* fixed)
{
    if (std::memcmp(fixed, kCentralSignature, 4) != 0)
        return 0;
    return kCentralFixedSize + Get16(fixed + 28) + Get16(fixed + 30) + Get16(fixed + 32);
}

void CZipFileHeader::ReadCentral(CZipStorage& storage)
{
    char buf[46];
    storage.Read(buf, 46, true);
    if (std::memcmp(buf, kCentralSignature, 4) != 0)
        CZipException::Throw(CZipException::badZipFile, storage.GetArchivePath());
    m_uSignature = Get32(buf);
    m_uVersionMadeBy = Get16(buf + 4);
    m_uVersionNeeded = Get16(buf + 6);
    m_uFlag = Get16(buf + 8);
    m_uMethod = Get16(buf + 10);
    m_uModTime = Get16(buf + 12);
    m_uModDate = Get16(buf + 14);
    m_uCrc32 = Get32(buf + 16);
    m_uComprSize = Get32(buf + 20);
    m_uUncomprSize = Get32(buf + 24);
    const WORD nameSize = Get16(buf + 28);
    const WORD extraSize = Get16(buf + 30);
    const WORD commentSize = Get16(buf + 32);
    m_uDiskStart = Get16(buf + 34);
    m_uInternalAttr = Get16(buf + 36);
    m_uExternalAttr = Get32(buf + 38);
    m_uOffset = Get32(buf + 42);
    // Name, extra field and comment lie on the same volume as the fixed part.
    const DWORD rest = static_cast<DWORD>(nameSize) + extraSize + commentSize;
    CZipBuffer tail(rest);
    const int disk = storage.GetCurrentDisk();
    if (rest)
        storage.Read(tail, rest, true);
    if (storage.GetCurrentDisk() != disk)
        CZipException::Throw(CZipException::badZipFile, storage.GetArchivePath());
    m_pszFileName.Assign(tail.GetBuffer(), nameSize);
    m_pExtraField.Assign(tail.GetBuffer() + nameSize, extraSize);
    m_pszComment.Assign(tail.GetBuffer() + nameSize + extraSize, commentSize);
    m_bNameForUse = false;
}

void CZipFileHeader::CheckLocal(CZipStorage& storage, CZipBuffer& localExtra) const
{
    char buf[30];
    storage.Read(buf, 30, true);
    const CString path = storage.GetArchivePath();
    if (std::memcmp(buf, kLocalSignature, 4) != 0)
        CZipException::Throw(CZipException::badZipFile, path);
    const WORD flag = Get16(buf + 6);
    const WORD method = Get16(buf + 8);
    const WORD nameSize = Get16(buf + 26);
    const WORD extraSize = Get16(buf + 28);
    if ((flag & 0xF) != (m_uFlag & 0xF) || method != m_uMethod || (method != 0 && method != 8) ||
        nameSize != GetFileNameSize())
        CZipException::Throw(CZipException::badZipFile, path);
    if (!IsDataDescr() && !CompareCrcAndSizes(buf + 14))
        CZipException::Throw(CZipException::badZipFile, path);
    // The name and the extra field lie on the same volume as the fixed part.
    const DWORD rest = static_cast<DWORD>(nameSize) + extraSize;
    CZipBuffer tail(rest);
    const int disk = storage.GetCurrentDisk();
    if (rest)
        storage.Read(tail, rest, true);
    if (storage.GetCurrentDisk() != disk)
        CZipException::Throw(CZipException::badZipFile, path);
    localExtra.Assign(tail.GetBuffer() + nameSize, extraSize);
}

void CZipFileHeader::GetCrcAndSizes(char* out) const
{
    Put32(out, m_uCrc32);
    Put32(out + 4, m_uComprSize);
    Put32(out + 8, m_uUncomprSize);
}

bool CZipFileHeader::CompareCrcAndSizes(const char* bytes) const
{
    return Get32(bytes) == m_uCrc32 && Get32(bytes + 4) == m_uComprSize && Get32(bytes + 8) == m_uUncomprSize;
}

void CZipFileHeader::WriteCentral(CZipStorage& storage) const
{
    const CZipBuffer name = StoredName();
    const DWORD size = GetSize(false);
    CZipBuffer buf(size);
    char* p = buf.GetBuffer();
    std::memcpy(p, kCentralSignature, 4);
    Put16(p + 4, m_uVersionMadeBy);
    Put16(p + 6, m_uVersionNeeded);
    Put16(p + 8, m_uFlag);
    Put16(p + 10, m_uMethod);
    Put16(p + 12, m_uModTime);
    Put16(p + 14, m_uModDate);
    GetCrcAndSizes(p + 16);
    Put16(p + 28, static_cast<WORD>(name.GetSize()));
    Put16(p + 30, GetExtraFieldSize());
    Put16(p + 32, GetCommentSize());
    Put16(p + 34, m_uDiskStart);
    Put16(p + 36, m_uInternalAttr);
    Put32(p + 38, m_uExternalAttr);
    Put32(p + 42, m_uOffset);
    p += 46;
    if (name.GetSize())
        std::memcpy(p, name.GetBuffer(), name.GetSize());
    p += name.GetSize();
    if (GetExtraFieldSize())
        std::memcpy(p, m_pExtraField.GetBuffer(), GetExtraFieldSize());
    p += GetExtraFieldSize();
    if (GetCommentSize())
        std::memcpy(p, m_pszComment.GetBuffer(), GetCommentSize());
    storage.Write(buf, size, true);
}

void CZipFileHeader::WriteLocal(CZipStorage& storage) const
{
    const CZipBuffer name = StoredName();
    const DWORD size = GetSize(true);
    CZipBuffer buf(size);
    char* p = buf.GetBuffer();
    std::memcpy(p, kLocalSignature, 4);
    Put16(p + 4, m_uVersionNeeded);
    Put16(p + 6, m_uFlag);
    Put16(p + 8, m_uMethod);
    Put16(p + 10, m_uModTime);
    Put16(p + 12, m_uModDate);
    GetCrcAndSizes(p + 14);
    Put16(p + 26, static_cast<WORD>(name.GetSize()));
    Put16(p + 28, GetExtraFieldSize());
    if (name.GetSize())
        std::memcpy(p + 30, name.GetBuffer(), name.GetSize());
    if (GetExtraFieldSize())
        std::memcpy(p + 30 + name.GetSize(), m_pExtraField.GetBuffer(), GetExtraFieldSize());
    storage.Write(buf, size, true);
}
