// Unbuffered binary file. Read, Write and the positioning members throw a heap-allocated
// CFileException on a failure of the system; Open reports failure through its result.
#pragma once
#include "CFileException.h"
#include "CString.h"

class FW_API CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000
    };
    enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };

    CFile();
    // Opens or throws.
    CFile(const char* fileName, UINT openFlags);
    virtual ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Opens a file; on failure fills *error (when given) and returns FALSE.
    virtual BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr);
    // Reads up to count bytes; returns how many were read (0 at the end of the file).
    virtual UINT Read(void* buffer, UINT count);
    // Writes all count bytes.
    virtual void Write(const void* buffer, UINT count);
    virtual ULONGLONG Seek(LONGLONG offset, UINT from);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG newLength);
    virtual void Flush();
    // Closes the file; throws when the close fails.
    virtual void Close();
    // Closes the file, ignoring every error.
    virtual void Abort();

    bool IsOpen() const;
    const CString& GetFilePath() const { return m_strFileName; }
    CString GetFileName() const;

    static void Remove(const char* fileName);
    static void Rename(const char* oldName, const char* newName);

#ifdef _WIN32
    HANDLE m_hFile;
#endif

protected:
    [[noreturn]] void ThrowLastError() const;

#ifndef _WIN32
    int m_fd;
#endif
    CString m_strFileName;
};
