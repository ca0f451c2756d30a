#include "CFileReadWrite.h"

#include <algorithm>
#include <cstring>

namespace {
const char kKey[] = "Q7mv2RkP#w4z!Tn9-Hx*Ld3&s";
const UINT kKeyLength = 25;
const size_t kReadBufferSize = 64 * 1024;
}

CFileReadWrite::CFileReadWrite() : m_bufferPos(0), m_bufferEnd(0), m_tag(TagEnd), m_length(0), m_key(kKey), m_ok(FALSE) {}

CFileReadWrite::~CFileReadWrite() = default;

BOOL CFileReadWrite::OpenRead(const char* path)
{
    m_bufferPos = m_bufferEnd = 0;
    m_ok = m_file.Open(path, CFile::modeRead | CFile::typeBinary);
    if (m_ok)
        m_buffer.resize(kReadBufferSize);
    return m_ok;
}

BOOL CFileReadWrite::OpenWrite(const char* path)
{
    m_ok = m_file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
    return m_ok;
}

BOOL CFileReadWrite::Close()
{
    m_file.Close();
    m_buffer.clear();
    m_buffer.shrink_to_fit();
    m_bufferPos = m_bufferEnd = 0;
    m_ok = FALSE;
    return TRUE;
}

bool CFileReadWrite::FillBuffer()
{
    m_bufferPos = 0;
    m_bufferEnd = m_buffer.empty() || !m_file.IsOpen() ? 0 : m_file.Read(m_buffer.data(), UINT(m_buffer.size()));
    return m_bufferEnd > 0;
}

UINT CFileReadWrite::ReadBytes(void* bytes, UINT count)
{
    BYTE* out = static_cast<BYTE*>(bytes);
    UINT got = 0;
    while (got < count) {
        if (m_bufferPos == m_bufferEnd && !FillBuffer())
            break;
        const size_t n = std::min(size_t(count - got), m_bufferEnd - m_bufferPos);
        std::memcpy(out + got, m_buffer.data() + m_bufferPos, n);
        m_bufferPos += n;
        got += UINT(n);
    }
    return got;
}

bool CFileReadWrite::AtEnd()
{
    return m_bufferPos == m_bufferEnd && !FillBuffer();
}

void CFileReadWrite::WriteHeader()
{
    const BYTE header[3] = { m_tag, static_cast<BYTE>(m_length & 0xFF), static_cast<BYTE>(m_length >> 8) };
    m_file.Write(header, sizeof header);
}

void CFileReadWrite::ReadHeader()
{
    BYTE header[3];
    // A header cut short after its tag is as good as none: the file ends here. A file
    // that never opened reads as one that has ended.
    if (!m_file.IsOpen() || ReadBytes(header, 3) != 3) {
        m_tag = TagEnd;
        m_length = 0;
        m_ok = FALSE;
        return;
    }
    m_tag = header[0];
    m_length = static_cast<WORD>(header[1] | (header[2] << 8));
}

void CFileReadWrite::WriteValue(BYTE tag, int value)
{
    m_tag = tag;
    m_length = 4;
    WriteHeader();
    const DWORD v = static_cast<DWORD>(value);
    const BYTE bytes[4] = { BYTE(v), BYTE(v >> 8), BYTE(v >> 16), BYTE(v >> 24) };
    m_file.Write(bytes, 4);
}

int CFileReadWrite::ReadValue(BYTE tag)
{
    ReadHeader();
    if (m_tag != tag)
        return 0;
    // The value is 4 bytes; a record that claims more is read whole so the next header
    // stays in step, one that claims fewer gives only what it holds.
    BYTE bytes[4] = { 0, 0, 0, 0 };
    const UINT wanted = m_length < 4 ? m_length : 4;
    UINT got = ReadBytes(bytes, wanted);
    if (wanted && got == 0) {
        m_ok = FALSE;
        return 0;
    }
    if (m_length > 4 && got == wanted) {
        BYTE rest[256];
        for (UINT left = m_length - 4u; left;) {
            const UINT n = ReadBytes(rest, left < sizeof rest ? left : UINT(sizeof rest));
            if (n == 0)
                break;
            left -= n;
        }
    }
    return static_cast<int>(DWORD(bytes[0]) | DWORD(bytes[1]) << 8 | DWORD(bytes[2]) << 16 | DWORD(bytes[3]) << 24);
}

void CFileReadWrite::WriteBool(int value) { WriteValue(TagFlag, value); }
void CFileReadWrite::WriteInt(int value) { WriteValue(TagInt, value); }
int CFileReadWrite::ReadBool() { return ReadValue(TagFlag); }
int CFileReadWrite::ReadInt() { return ReadValue(TagInt); }

void CFileReadWrite::Scramble(BYTE* bytes, UINT count, int sign) const
{
    const char* key = m_key.c_str();
    for (UINT j = 0; j < count; ++j)
        bytes[j] = static_cast<BYTE>(bytes[j] + sign * static_cast<BYTE>(key[j % kKeyLength]));
}

void CFileReadWrite::WriteString(const CString& value)
{
    // The length field cannot say more than 65535: longer strings are cut, so the record
    // stays whole and every record after it is still found.
    const UINT count = value.GetLength() > int(MaxStringLength) ? MaxStringLength : UINT(value.GetLength());
    m_tag = TagString;
    m_length = static_cast<WORD>(count);
    WriteHeader();
    if (count == 0)
        return;
    std::vector<BYTE> buffer(value.c_str(), value.c_str() + count);
    Scramble(buffer.data(), count, +1);
    m_file.Write(buffer.data(), count);
}

CString CFileReadWrite::ReadString()
{
    ReadHeader();
    if (m_tag != TagString || m_length == 0)
        return CString();
    std::vector<BYTE> buffer(m_length);
    const UINT got = ReadBytes(buffer.data(), m_length);
    if (got == 0) {
        m_ok = FALSE;
        return CString();
    }
    // A payload cut short by the end of the file gives what it holds, nothing more.
    Scramble(buffer.data(), got, -1);
    return CString(reinterpret_cast<const char*>(buffer.data()), int(got));
}
