// The archive's file on disk: the framework's file behind the storage's file interface.
#pragma once
#include "CFile.h"
#include "CZipAbstractFile.h"

class CZipFile : public CZipAbstractFile, public CFile {
public:
    CZipFile() = default;
    ~CZipFile() override;

    bool Open(const char* path, UINT openFlags, bool throwOnFailure) override;
    void Close() override { if (IsOpen()) CFile::Close(); }
    ULONGLONG GetPosition() const override { return CFile::GetPosition(); }
    void Flush() override { CFile::Flush(); }
    CString GetFilePath() const override { return CFile::GetFilePath(); }
    ULONGLONG Seek(LONGLONG offset, UINT from) override { return CFile::Seek(offset, from); }
    ULONGLONG GetLength() const override { return CFile::GetLength(); }
    void SetLength(ULONGLONG newLength) override { CFile::SetLength(newLength); }
    UINT Read(void* buffer, UINT count) override { return CFile::Read(buffer, count); }
    void Write(const void* buffer, UINT count) override { CFile::Write(buffer, count); }
    bool IsClosed() const override { return !IsOpen(); }
    void* GetHandle() override;
};
