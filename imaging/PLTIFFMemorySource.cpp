#include "PLTIFFMemorySource.h"
#include <cstdio>
#include <cstring>

PLTIFFMemorySource::PLTIFFMemorySource(unsigned char* start, tmsize_t size, tmsize_t* highWater, char mode)
    : m_pStart(start), m_Size(size), m_Pos(0), m_pHighWater(highWater), m_Mode(mode) {}

TIFF* PLTIFFMemorySource::Open(PLTIFFMemorySource* source, const char* name, const char* mode,
                               TIFFOpenOptions* options) {
    TIFF* tif = TIFFClientOpenExt(name, mode, source, Read, Write, Seek, Close, Size, Map, Unmap, options);
    if (!tif)
        delete source;
    return tif;
}

tmsize_t PLTIFFMemorySource::Read(thandle_t handle, void* buffer, tmsize_t size) {
    auto* s = static_cast<PLTIFFMemorySource*>(handle);
    if (s->m_Mode != 'r' || size < 0)
        return 0;
    tmsize_t left = s->m_Pos < s->m_Size ? s->m_Size - s->m_Pos : 0;
    tmsize_t n = size < left ? size : left;
    if (n > 0)
        std::memcpy(buffer, s->m_pStart + s->m_Pos, size_t(n));
    s->m_Pos += n;
    return n;
}

tmsize_t PLTIFFMemorySource::Write(thandle_t handle, void* buffer, tmsize_t size) {
    auto* s = static_cast<PLTIFFMemorySource*>(handle);
    if (s->m_Mode != 'w' || size < 0)
        return 0;
    tmsize_t left = s->m_Pos < s->m_Size ? s->m_Size - s->m_Pos : 0;
    tmsize_t n = size < left ? size : left;
    if (n > 0)
        std::memcpy(s->m_pStart + s->m_Pos, buffer, size_t(n));
    s->m_Pos += n;
    if (s->m_pHighWater && s->m_Pos > *s->m_pHighWater)
        *s->m_pHighWater = s->m_Pos;
    return n;
}

toff_t PLTIFFMemorySource::Seek(thandle_t handle, toff_t offset, int whence) {
    auto* s = static_cast<PLTIFFMemorySource*>(handle);
    long long base = whence == SEEK_CUR ? s->m_Pos : whence == SEEK_END ? *s->m_pHighWater : 0;
    long long pos = base + (long long)offset;
    if (pos < 0 || pos > 0x7FFFFFFFLL)
        return toff_t(-1);
    s->m_Pos = tmsize_t(pos);
    return toff_t(pos);
}

int PLTIFFMemorySource::Close(thandle_t handle) {
    delete static_cast<PLTIFFMemorySource*>(handle);
    return 0;
}

toff_t PLTIFFMemorySource::Size(thandle_t handle) {
    return toff_t(*static_cast<PLTIFFMemorySource*>(handle)->m_pHighWater);
}

int PLTIFFMemorySource::Map(thandle_t, void**, toff_t*) { return 0; }

void PLTIFFMemorySource::Unmap(thandle_t, void*, toff_t) {}
