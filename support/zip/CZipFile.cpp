#include "CZipFile.h"

#include "ZipPlatform.h"

#include <cstdint>

CZipFile::~CZipFile()
{
    if (IsOpen())
        Abort();
}

bool CZipFile::Open(const char* path, UINT openFlags, bool throwOnFailure)
{
    CFileException error;
    if (CFile::Open(ZipPlatform::NativePath(path), openFlags, &error))
        return true;
    if (throwOnFailure)
        throw new CFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
    return false;
}

void* CZipFile::GetHandle()
{
#ifdef _WIN32
    return m_hFile;
#else
    return reinterpret_cast<void*>(static_cast<intptr_t>(m_fd));
#endif
}
