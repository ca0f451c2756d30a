// Sound bytes read from a file as they are needed.
#pragma once
#include "CFile.h"
#include "CSoundSource.h"

class CFileSoundSource : public CSoundSource {
public:
    // Opens the file for reading; false when it cannot be opened.
    bool Open(const char* fileName);
    uint64_t GetSize() const override { return m_size; }
    // Read errors of the system read as the end of the data.
    size_t ReadAt(uint64_t offset, void* buffer, size_t count) override;

private:
    CFile m_file;
    uint64_t m_size = 0;
};
