// An owned block of bytes and its size.
#pragma once
#include "WinTypes.h"

class CZipBuffer {
public:
    CZipBuffer() = default;
    explicit CZipBuffer(DWORD size, bool zeroMemory = false) { Allocate(size, zeroMemory); }
    CZipBuffer(const CZipBuffer& other);
    CZipBuffer& operator=(const CZipBuffer& other);
    ~CZipBuffer() { Release(); }

    // A block of that size; the current block is kept when it already has that size.
    char* Allocate(DWORD size, bool zeroMemory = false);
    // Replaces the contents with a copy of size bytes.
    void Assign(const void* data, DWORD size);
    void Release();

    DWORD GetSize() const { return m_iSize; }
    bool IsAllocated() const { return m_pBuffer != nullptr; }
    char* GetBuffer() { return m_pBuffer; }
    const char* GetBuffer() const { return m_pBuffer; }
    operator char*() { return m_pBuffer; }
    operator const char*() const { return m_pBuffer; }

private:
    char* m_pBuffer = nullptr;
    DWORD m_iSize = 0;
};
