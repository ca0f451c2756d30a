// The central directory of an archive: its end record, the entry headers, the entry open
// for reading or adding, and the name search.
#pragma once
#include "CZipActionCallback.h"
#include "CZipBuffer.h"
#include "CZipFileHeader.h"

#include <vector>

class CZipStorage;

typedef int (*ZIPNAMECOMPARE)(const char*, const char*);

struct CZipFindFastElement {
    CString m_szName;
    WORD m_uIndex;
};

class CZipCentralDir {
public:
    CZipCentralDir();
    ~CZipCentralDir();
    CZipCentralDir(const CZipCentralDir&) = delete;
    CZipCentralDir& operator=(const CZipCentralDir&) = delete;

    void Init(CZipStorage* storage, ZIPNAMECOMPARE compare);
    // Frees every header and empties the end record.
    void Clear();
    // Finds and reads the end record, then every header.
    void Read();

    bool IsValidIndex(int index) const { return index >= 0 && index < static_cast<int>(m_headers.size()); }
    WORD GetCount() const { return static_cast<WORD>(m_headers.size()); }
    CZipFileHeader* operator[](int index) const { return m_headers[static_cast<size_t>(index)]; }

    // Reading an entry: moves to its local header and checks it.
    void OpenFile(WORD index);
    // Ends it; unless skipDescriptor the data descriptor is read and checked.
    void CloseFile(bool skipDescriptor);

    // Adding an entry: the header joins the directory and its local header is written.
    CZipFileHeader* AddNewFile(const CZipFileHeader& header);
    // Writes the data descriptor or the sizes into the local header.
    void CloseNewFile();
    void RemoveLastFile();

    // Writes the headers and the end record unless they are on disk already.
    void Write(CZipActionCallback* callback);

    // -1 when not found.
    int FindFile(const char* name, ZIPNAMECOMPARE compare, bool useFindArray, bool fileNameOnly);
    void SetCompare(ZIPNAMECOMPARE compare);
    void EnableFindFast(bool enable);
    void ConvertAll(bool forUse);

    // End record.
    WORD m_uThisDisk;
    WORD m_uDiskWithCD;
    WORD m_uDiskEntriesNo;
    WORD m_uEntriesNumber;
    DWORD m_uSize;
    DWORD m_uOffset;
    CZipBuffer m_pszComment;

    std::vector<CZipFileHeader*> m_headers;
    CZipFileHeader* m_pOpenedFile;
    CZipStorage* m_pStorage;
    std::vector<CZipFindFastElement> m_findarray;
    bool m_bConvertAfterOpen;
    bool m_bOnDisk;
    DWORD m_uBytesBeforeZip;
    CZipBuffer m_pLocalExtraField;
    int m_iBufferSize;

private:
    // The end record: the last one in the searched tail whose comment ends the file, else
    // the last one whose central directory reads back whole.
    ULONGLONG Locate();
    // Whether the end record at pos describes the central directory that precedes it:
    // every header in place and together as long as the record says.
    bool IsWholeDirectory(ULONGLONG pos) const;
    void ReadHeaders();
    void BuildFindFastArray();
    bool TryConvertToSingle();
    [[noreturn]] void ThrowError(int code) const;

    ZIPNAMECOMPARE m_pCompare;
    bool m_bFindFastEnabled;
    bool m_bFindArrayBuilt;
};
