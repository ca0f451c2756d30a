#include "CZipBuffer.h"

#include <cstring>

CZipBuffer::CZipBuffer(const CZipBuffer& other)
{
    Assign(other.m_pBuffer, other.m_iSize);
}

CZipBuffer& CZipBuffer::operator=(const CZipBuffer& other)
{
    if (this != &other)
        Assign(other.m_pBuffer, other.m_iSize);
    return *this;
}

char* CZipBuffer::Allocate(DWORD size, bool zeroMemory)
{
    if (size != m_iSize) {
        Release();
        if (size == 0)
            return nullptr;
        m_pBuffer = new char[size];
        m_iSize = size;
    }
    if (zeroMemory && m_pBuffer)
        std::memset(m_pBuffer, 0, m_iSize);
    return m_pBuffer;
}

void CZipBuffer::Assign(const void* data, DWORD size)
{
    Allocate(size);
    if (size)
        std::memcpy(m_pBuffer, data, size);
}

void CZipBuffer::Release()
{
    delete[] m_pBuffer;
    m_pBuffer = nullptr;
    m_iSize = 0;
}
