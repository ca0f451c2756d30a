// A file in memory that grows in steps of 1024 bytes.
#pragma once
#include "CZipAbstractFile.h"

#include <vector>

class CZipMemFile : public CZipAbstractFile {
public:
    CZipMemFile() = default;

    void Close() override { m_bOpen = false; }
    ULONGLONG GetPosition() const override { return m_uPos; }
    void Flush() override {}
    CString GetFilePath() const override { return CString(); }
    ULONGLONG Seek(LONGLONG offset, UINT from) override;
    ULONGLONG GetLength() const override { return m_uLength; }
    void SetLength(ULONGLONG newLength) override;
    UINT Read(void* buffer, UINT count) override;
    void Write(const void* buffer, UINT count) override;
    bool Open(const char*, UINT, bool) override { m_bOpen = true; return true; }
    bool IsClosed() const override { return !m_bOpen; }
    void* GetHandle() override { return nullptr; }

    const char* GetData() const { return m_data.data(); }

private:
    void Grow(ULONGLONG size);

    std::vector<char> m_data;
    ULONGLONG m_uLength = 0;
    ULONGLONG m_uPos = 0;
    bool m_bOpen = true;
};
