// One entry of an archive: the fields of its central directory header.
#pragma once
#include "CString.h"
#include "CZipBuffer.h"

#include <ctime>

class CZipStorage;

class CZipFileHeader {
public:
    CZipFileHeader();
    virtual ~CZipFileHeader() = default;
    CZipFileHeader(const CZipFileHeader&) = default;
    CZipFileHeader& operator=(const CZipFileHeader&) = default;

    // The name for use ("\\" separators, the ANSI code page for MS-DOS entries).
    CString GetFileName() const;
    void SetFileName(const char* name);
    CString GetComment() const;
    void SetComment(const char* comment);

    bool IsDirectory() const;
    // The attributes in this system's form.
    DWORD GetSystemAttr() const;
    // Stores attributes given in this system's form, in the form of the entry's system.
    void SetSystemAttr(DWORD attributes);
    time_t GetTime() const;
    // Dates before 1980 become 1980-01-01.
    void SetTime(time_t time);
    int GetSystemCompatibility() const { return m_uVersionMadeBy >> 8; }
    void SetSystemCompatibility(int code) { m_uVersionMadeBy = static_cast<WORD>((m_uVersionMadeBy & 0xFF) | (code << 8)); }
    bool IsEncrypted() const { return (m_uFlag & 1) != 0; }
    bool IsDataDescr() const { return (m_uFlag & 8) != 0; }
    WORD GetFileNameSize() const { return static_cast<WORD>(m_pszFileName.GetSize()); }
    WORD GetExtraFieldSize() const { return static_cast<WORD>(m_pExtraField.GetSize()); }
    WORD GetCommentSize() const { return static_cast<WORD>(m_pszComment.GetSize()); }
    // Bytes of the local or the central header.
    DWORD GetSize(bool local) const;
    // The byte of the time or CRC that closes the encryption header.
    char GetEncryptionCheckByte() const;

    // Bytes of the fixed part of a central header.
    static const DWORD kCentralFixedSize = 46;
    // Bytes of the whole central header whose fixed part is given; 0 when it is not one.
    static DWORD CentralSize(const char* fixed);

    // Reading and writing the headers (throw CZipException 101 on damage).
    void ReadCentral(CZipStorage& storage);
    void CheckLocal(CZipStorage& storage, CZipBuffer& localExtra) const;
    void WriteCentral(CZipStorage& storage) const;
    void WriteLocal(CZipStorage& storage) const;
    // CRC, compressed and uncompressed size as 12 bytes.
    void GetCrcAndSizes(char* out) const;
    bool CompareCrcAndSizes(const char* bytes) const;

    // Turns the held name into the form for use, or back into the stored form.
    void ConvertFileName(bool forUse);
    bool IsNameForUse() const { return m_bNameForUse; }

    DWORD m_uSignature;
    WORD m_uVersionMadeBy;
    WORD m_uVersionNeeded;
    WORD m_uFlag;
    WORD m_uMethod;
    WORD m_uModTime;
    WORD m_uModDate;
    DWORD m_uCrc32;
    DWORD m_uComprSize;
    DWORD m_uUncomprSize;
    WORD m_uDiskStart;
    WORD m_uInternalAttr;
    DWORD m_uExternalAttr;
    DWORD m_uOffset;
    CZipBuffer m_pExtraField;
    CZipBuffer m_pszFileName;
    CZipBuffer m_pszComment;

private:
    CZipBuffer StoredName() const;
    bool NameEndsWithSeparator() const;

    bool m_bNameForUse = false;
};
