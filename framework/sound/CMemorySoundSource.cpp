#include "CMemorySoundSource.h"
#include <algorithm>
#include <cstring>

size_t CMemorySoundSource::ReadAt(uint64_t offset, void* buffer, size_t count)
{
    if (offset >= m_bytes.size())
        return 0;
    size_t n = static_cast<size_t>(std::min<uint64_t>(count, m_bytes.size() - offset));
    if (n > 0)
        std::memcpy(buffer, m_bytes.data() + offset, n);
    return n;
}
