// What the archive's storage needs of a file: the archive file itself, a volume, or a
// file object of the caller (a memory file, say).
#pragma once
#include "CString.h"

class CZipAbstractFile {
public:
    enum { begin = 0, current = 1, end = 2 };

    virtual ~CZipAbstractFile() = default;
    virtual void Close() = 0;
    virtual ULONGLONG GetPosition() const = 0;
    virtual void Flush() = 0;
    virtual CString GetFilePath() const = 0;
    virtual ULONGLONG Seek(LONGLONG offset, UINT from) = 0;
    virtual ULONGLONG GetLength() const = 0;
    virtual void SetLength(ULONGLONG newLength) = 0;
    virtual UINT Read(void* buffer, UINT count) = 0;
    virtual void Write(const void* buffer, UINT count) = 0;
    // Opens with the framework's CFile flags; on failure throws a CFileException when
    // asked, else returns false.
    virtual bool Open(const char* path, UINT openFlags, bool throwOnFailure) = 0;
    virtual bool IsClosed() const = 0;
    // The system's handle of the file, or null when it has none.
    virtual void* GetHandle() = 0;
};
