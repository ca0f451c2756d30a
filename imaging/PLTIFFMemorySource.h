// A block of memory as a file for libtiff's client open: the descriptor and the
// procedures libtiff calls on it.
#pragma once
#include <tiffio.h>

class PLTIFFMemorySource {
public:
    // Mode 'r' reads the block; mode 'w' writes into it and raises *highWater.
    PLTIFFMemorySource(unsigned char* start, tmsize_t size, tmsize_t* highWater, char mode);

    // TIFFClientOpenExt over the descriptor; the descriptor is freed by the close procedure
    // (or here when the open fails).
    static TIFF* Open(PLTIFFMemorySource* source, const char* name, const char* mode, TIFFOpenOptions* options);

    static tmsize_t Read(thandle_t handle, void* buffer, tmsize_t size);
    static tmsize_t Write(thandle_t handle, void* buffer, tmsize_t size);
    static toff_t Seek(thandle_t handle, toff_t offset, int whence);
    static int Close(thandle_t handle);
    static toff_t Size(thandle_t handle);
    static int Map(thandle_t handle, void** base, toff_t* size);
    static void Unmap(thandle_t handle, void* base, toff_t size);

private:
    unsigned char* m_pStart;
    tmsize_t m_Size;
    tmsize_t m_Pos;
    tmsize_t* m_pHighWater;
    char m_Mode;
};
