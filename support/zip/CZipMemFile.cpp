#include "CZipMemFile.h"

#include "CFileException.h"

#include <cstring>

void CZipMemFile::Grow(ULONGLONG size)
{
    if (size > m_data.size())
        m_data.resize(static_cast<size_t>((size + 1023) / 1024 * 1024));
}

ULONGLONG CZipMemFile::Seek(LONGLONG offset, UINT from)
{
    LONGLONG base = from == begin ? 0 : from == current ? static_cast<LONGLONG>(m_uPos) : static_cast<LONGLONG>(m_uLength);
    if (base + offset < 0)
        throw new CFileException(CFileException::badSeek);
    m_uPos = static_cast<ULONGLONG>(base + offset);
    return m_uPos;
}

void CZipMemFile::SetLength(ULONGLONG newLength)
{
    Grow(newLength);
    if (newLength > m_uLength)
        std::memset(m_data.data() + m_uLength, 0, static_cast<size_t>(newLength - m_uLength));
    m_uLength = newLength;
    if (m_uPos > m_uLength)
        m_uPos = m_uLength;
}

UINT CZipMemFile::Read(void* buffer, UINT count)
{
    if (m_uPos >= m_uLength)
        return 0;
    ULONGLONG left = m_uLength - m_uPos;
    UINT n = left < count ? static_cast<UINT>(left) : count;
    std::memcpy(buffer, m_data.data() + m_uPos, n);
    m_uPos += n;
    return n;
}

void CZipMemFile::Write(const void* buffer, UINT count)
{
    if (!count)
        return;
    Grow(m_uPos + count);
    if (m_uPos > m_uLength)
        std::memset(m_data.data() + m_uLength, 0, static_cast<size_t>(m_uPos - m_uLength));
    std::memcpy(m_data.data() + m_uPos, buffer, count);
    m_uPos += count;
    if (m_uPos > m_uLength)
        m_uLength = m_uPos;
}
