#include "CFileSoundSource.h"

bool CFileSoundSource::Open(const char* fileName)
{
    if (!fileName || !m_file.Open(fileName, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary))
        return false;
    try {
        m_size = m_file.GetLength();
    } catch (CFileException* e) {
        e->Delete();
        m_file.Abort();
        return false;
    }
    return true;
}

size_t CFileSoundSource::ReadAt(uint64_t offset, void* buffer, size_t count)
{
    if (offset >= m_size || count == 0)
        return 0;
    try {
        m_file.Seek(static_cast<LONGLONG>(offset), CFile::begin);
        size_t done = 0;
        while (done < count) {
            UINT n = m_file.Read(static_cast<char*>(buffer) + done, static_cast<UINT>(count - done));
            if (n == 0)
                break;
            done += n;
        }
        return done;
    } catch (CFileException* e) {
        e->Delete();
        return 0;
    }
}
