// A zip archive: opening and listing, reading and extracting entries (with traditional
// decryption), adding entries, and writing the central directory.
#pragma once
#include "CZipActionCallback.h"
#include "CZipAddFileOptions.h"
#include "CZipBuffer.h"
#include "CZipCentralDir.h"
#include "CZipException.h"
#include "CZipFileHeader.h"
#include "CZipSpanCallback.h"
#include "CZipStorage.h"

#include <zlib.h>

#include <ctime>
#include <map>
#include <vector>

class CZipMemFile;

class CZipArchive {
public:
    enum OpenMode { zipOpen = 0, zipOpenReadOnly = 1, zipCreate = 2, zipCreateSpan = 3 };
    enum CloseAfter { afNoException = 0, afAfterException = 1, afWriteDir = 2 };
    enum FindCase { ffDefault = 0, ffCaseSens = 1, ffNoCaseSens = 2 };
    enum { kBufferSize = 65536 };

    CZipArchive();
    virtual ~CZipArchive();
    CZipArchive(const CZipArchive&) = delete;
    CZipArchive& operator=(const CZipArchive&) = delete;

    // False when the archive is open already; errors throw CZipException or CFileException.
    bool Open(const char* path, int mode = zipOpen, ULONGLONG volumeSize = 0);
    // On a file the caller owns and closes (modes 0, 1 and 2).
    bool Open(CZipAbstractFile& file, int mode = zipOpen);
    void Close(int mode = afNoException, bool updateTime = false);
    bool IsClosed(bool archive = true) const;

    int GetCount(bool filesOnly = false) const;
    bool GetFileInfo(CZipFileHeader& info, WORD index) const;
    CString GetArchivePath() const;
    CString GetGlobalComment() const;
    // 0 single file, 1 writing volumes, -1 reading volumes.
    int GetSpanMode() const { return m_storage.IsSpanMode(); }
    int FindFile(const char* name, int caseMode = ffDefault, bool fileNameOnly = false);
    void EnableFindFast(bool enable = true) { m_centralDir.EnableFindFast(enable); }

    static ZIPNAMECOMPARE GetNameCompareFunction(bool caseSensitive, bool collate = true);
    void SetCaseSensitivity(bool caseSensitive);
    bool SetSystemCompatibility(int code);
    int GetSystemCompatibility() const { return m_iArchiveSystCompatib; }
    void SetRootPath(const char* path = nullptr);
    CString GetRootPath() const { return m_szRootPath; }
    void SetTempPath(const char* path = nullptr) { m_szTempPath = path; }
    void SetIgnoreCRC(bool ignore = true) { m_bIgnoreCRC = ignore; }
    void SetAutoFlush(bool autoFlush = true) { m_bAutoFlush = autoFlush; }
    // One callback object for one or more of the CZipActionCallback codes; null removes.
    void SetCallback(CZipActionCallback* callback, int codes);
    CZipActionCallback* GetCallback(int code) const;
    void SetSpanCallback(CZipSpanCallback* callback) { m_storage.m_pChangeDiskFunc = callback; }
    CZipStorage* GetStorage() { return &m_storage; }

    bool SetPassword(const char* password = nullptr);
    CString GetPassword() const;

    // Reading entries.
    bool OpenFile(WORD index);
    DWORD ReadFile(void* buffer, DWORD size);
    // 1 done, -1 the entry was not read to its end, -2 its time or attributes could not be
    // set on path; 0 when no entry is open.
    int CloseFile(const char* path = nullptr, bool afterException = false);
    int CloseFile(CZipFile& file);
    bool ExtractFile(WORD index, const char* path, bool fullPath = true, const char* newName = nullptr,
                     DWORD bufferSize = kBufferSize);
    CString PredictExtractedFileName(const char* fileNameInZip, const char* path, bool fullPath,
                                     const char* newName = nullptr) const;
    static bool ForceDirectory(const char* path);

    // Adding entries.
    bool OpenNewFile(CZipFileHeader& header, int level = -1, const char* filePath = nullptr, int replaceIndex = -1);
    bool WriteNewFile(const void* buffer, DWORD size);
    bool CloseNewFile(bool afterException = false);
    bool AddNewFile(const CZipAddFileOptions& options);
    bool AddNewFile(const char* filePath, const char* nameInZip = "", int level = -1, bool fullPath = false,
                    DWORD bufferSize = kBufferSize);
    bool GetFromArchive(CZipArchive& other, WORD index, int replaceIndex = -1, bool keepSystemCompatibility = false);
    // Writes the central directory now: 0, or -1 when it cannot be written.
    int Flush();

    // The traditional encryption of the format.
    void CryptInitKeys();
    void CryptUpdateKeys(char c);
    char CryptDecryptByte() const;
    void CryptDecode(char& c);
    void CryptEncode(char& c);
    static DWORD CryptCrc32(DWORD crc, char c);

private:
    enum OpenedFile { nothing = 0, extract = -1, compress = 1 };

    void OpenInternal(int mode);
    void WriteCentralDirectory();
    // The zlib stream of the archive, made once and reset for every entry (a new level
    // makes it anew); ended by FreeEntryMemory.
    void StartInflate();
    void StartDeflate(int level);
    void EndStream();
    // Ends the stream and frees the buffers, which otherwise stay until Close.
    void FreeEntryMemory();
    void FlushWriteBuffer();
    void CheckForError(int zlibError) const;
    [[noreturn]] void ThrowError(int code) const;
    CString SafeRelativePart(const char* fileNameInZip, bool fullPath, const char* newName) const;
    bool StripRootPath(CString& path) const;
    bool AddNewFileInternal(const CZipAddFileOptions& options);
    CString NameInArchive(const CZipAddFileOptions& options) const;
    // Creates temp in memory with this archive's password, root path, system and adding
    // callback, for an entry made there first and then moved into this archive.
    void CreateInMemoryLikeThis(CZipArchive& temp, CZipMemFile& memory);
    // Puts the entry's data, read from the other archive, in the place of entry index.
    void ReplaceEntry(CZipArchive& other, CZipFileHeader header, WORD index);

    static voidpf ZAlloc(voidpf opaque, uInt items, uInt size);
    static void ZFree(voidpf opaque, voidpf address);

    std::map<int, CZipActionCallback*> m_callbacks;
    bool m_bCaseSensitive;
    ZIPNAMECOMPARE m_pZipCompare;
    z_stream m_stream;
    CZipBuffer m_pBuffer;
    DWORD m_iBufferSize;
    CZipStorage m_storage;
    CZipCentralDir m_centralDir;
    signed char m_iFileOpened;
    bool m_bIgnoreCRC;
    int m_iArchiveSystCompatib;
    CString m_szRootPath;
    CString m_szTempPath;
    std::vector<void*> m_list;
    bool m_bDetectZlibMemoryLeaks;
    CZipBuffer m_pszPassword;
    DWORD m_keys[3];

    // State of the open entry.
    enum StreamKind { noStream = 0, inflating = 1, deflating = 2 };
    int m_iStreamKind;
    int m_iStreamLevel;
    // The caller-sized buffer of ExtractFile and AddNewFile.
    CZipBuffer m_dataBuffer;
    // The folder ExtractFile made sure of last (entries of one folder come together).
    CString m_szExtractFolder;
    DWORD m_uComprLeft;
    DWORD m_uUncomprLeft;
    DWORD m_uCrc32;
    DWORD m_uProduced;
    bool m_bAutoFlush;
};
