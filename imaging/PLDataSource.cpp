#include "PLDataSource.h"
#include "PLIProgressNotification.h"
#include "PLTextException.h"

PLDataSource::PLDataSource(PLIProgressNotification* notification) : m_pNotification(notification) {}

PLDataSource::~PLDataSource() = default;

void PLDataSource::SetNameAndSize(const char* name, int size) {
    m_Name = name ? name : "";
    m_FileSize = size;
    m_BytesRead = 0;
}

void PLDataSource::Close() {
    if (m_pNotification)
        m_pNotification->OnProgress(1.0);
    m_Name.clear();
    m_FileSize = 0;
}

BYTE* PLDataSource::PeekBytes(int n) {
    if (n < 0 || m_BytesRead + n > m_FileSize)
        throw PLTextException(PL_ERREND_OF_FILE, "End of file reached while decoding.\n");
    return CurrentPointer();
}

BYTE* PLDataSource::ReadBytes(int n) {
    if (n < 0 || m_BytesRead + n > m_FileSize)
        throw PLTextException(PL_ERREND_OF_FILE, "End of file reached while decoding.\n");
    long long before = m_BytesRead;
    m_BytesRead += n;
    if (m_pNotification && before / 1024 != m_BytesRead / 1024)
        m_pNotification->OnProgress(double(m_BytesRead) / double(m_FileSize));
    BYTE* p = CurrentPointer();
    advance(n);
    return p;
}

WORD PLDataSource::ReadWordLE() {
    const BYTE* p = ReadBytes(2);
    return WORD(p[0] | (p[1] << 8));
}

DWORD PLDataSource::ReadDWordLE() {
    const BYTE* p = ReadBytes(4);
    return DWORD(p[0]) | (DWORD(p[1]) << 8) | (DWORD(p[2]) << 16) | (DWORD(p[3]) << 24);
}

WORD PLDataSource::ReadWordBE() {
    const BYTE* p = ReadBytes(2);
    return WORD((p[0] << 8) | p[1]);
}

DWORD PLDataSource::ReadDWordBE() {
    const BYTE* p = ReadBytes(4);
    return (DWORD(p[0]) << 24) | (DWORD(p[1]) << 16) | (DWORD(p[2]) << 8) | DWORD(p[3]);
}
