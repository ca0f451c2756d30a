#include "CFileReadWrite.h"

#include <cstring>
#include <vector>

namespace {
const char kKey[] = "Q7mv2RkP#w4z!Tn9-Hx*Ld3&s";
const UINT kKeyLength = 25;
const UINT kBufferSize = 16384;
}

CFileReadWrite::CFileReadWrite() : m_tag(TagEnd), m_length(0), m_key(kKey), m_ok(FALSE) {}

CFileReadWrite::~CFileReadWrite()
{
    // A file left open still gets what was written; a failure can no longer be reported.
    try {
        Flush();
    } catch (CException* e) {
        e->Delete();
    }
}

BOOL CFileReadWrite::OpenRead(const char* path)
{
    Flush();  // what an open file still has waiting goes to it before it is left
    m_used = m_consumed = 0;
    m_writing = false;
    m_ok = m_file.Open(path, CFile::modeRead | CFile::typeBinary);
    return m_ok;
}

BOOL CFileReadWrite::OpenWrite(const char* path)
{
    Flush();  // what an open file still has waiting goes to it before it is left
    m_used = m_consumed = 0;
    m_writing = true;
    m_ok = m_file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
    return m_ok;
}

BOOL CFileReadWrite::Close()
{
    m_ok = FALSE;
    try {
        Flush();
    } catch (...) {
        m_used = m_consumed = 0;
        m_file.Abort();
        throw;
    }
    m_used = m_consumed = 0;
    m_file.Close();
    return TRUE;
}

void CFileReadWrite::Flush()
{
    // Only a file being written has bytes waiting: reading, m_consumed counts what of
    // m_used was handed out, and a read buffer is never written.
    if (!m_writing || m_used == 0 || !m_file.IsOpen())
        return;
    const UINT n = m_used;
    m_used = 0;
    m_file.Write(m_buffer.data(), n);
}

void CFileReadWrite::Put(const void* bytes, UINT count)
{
    // A file that never opened fails at once, as the file itself does.
    if (!m_file.IsOpen()) {
        m_file.Write(bytes, count);
        return;
    }
    if (m_buffer.empty())
        m_buffer.resize(kBufferSize);
    if (count > kBufferSize - m_used)
        Flush();
    if (count >= kBufferSize) {
        m_file.Write(bytes, count);
        return;
    }
    std::memcpy(m_buffer.data() + m_used, bytes, count);
    m_used += count;
}

bool CFileReadWrite::AtEnd()
{
    if (m_writing || !m_file.IsOpen())
        return true;
    if (m_consumed < m_used)
        return false;
    if (m_buffer.empty())
        m_buffer.resize(kBufferSize);
    m_consumed = 0;
    m_used = m_file.Read(m_buffer.data(), kBufferSize);
    return m_used == 0;
}

UINT CFileReadWrite::Get(void* bytes, UINT count)
{
    BYTE* out = static_cast<BYTE*>(bytes);
    UINT got = 0;
    while (got < count) {
        if (m_consumed == m_used) {
            m_consumed = m_used = 0;
            // A large read goes straight to the caller.
            if (count - got >= kBufferSize)
                return got + m_file.Read(out + got, count - got);
            if (m_buffer.empty())
                m_buffer.resize(kBufferSize);
            m_used = m_file.Read(m_buffer.data(), kBufferSize);
            if (m_used == 0)
                break;
        }
        const UINT n = count - got < m_used - m_consumed ? count - got : m_used - m_consumed;
        std::memcpy(out + got, m_buffer.data() + m_consumed, n);
        m_consumed += n;
        got += n;
    }
    return got;
}

void CFileReadWrite::WriteHeader()
{
    const BYTE header[3] = { m_tag, static_cast<BYTE>(m_length & 0xFF), static_cast<BYTE>(m_length >> 8) };
    Put(header, sizeof header);
}

void CFileReadWrite::ReadHeader()
{
    BYTE header[3];
    // A header cut short after its tag is as good as none: the file ends here. A file
    // that never opened reads as one that has ended.
    if (!m_file.IsOpen() || Get(header, 1) != 1 || Get(header + 1, 2) != 2) {
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
    Put(bytes, 4);
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
    UINT got = Get(bytes, wanted);
    if (wanted && got == 0) {
        m_ok = FALSE;
        return 0;
    }
    if (m_length > 4 && got == wanted) {
        BYTE rest[256];
        for (UINT left = m_length - 4u; left;) {
            const UINT n = Get(rest, left < sizeof rest ? left : UINT(sizeof rest));
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
    Put(buffer.data(), count);
}

CString CFileReadWrite::ReadString()
{
    ReadHeader();
    if (m_tag != TagString || m_length == 0)
        return CString();
    std::vector<BYTE> buffer(m_length);
    const UINT got = Get(buffer.data(), m_length);
    if (got == 0) {
        m_ok = FALSE;
        return CString();
    }
    // A payload cut short by the end of the file gives what it holds, nothing more.
    Scramble(buffer.data(), got, -1);
    return CString(reinterpret_cast<const char*>(buffer.data()), int(got));
}
