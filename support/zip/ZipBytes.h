// Little-endian fields of the zip format.
#pragma once
#include "WinTypes.h"

namespace ZipBytes {

inline WORD Get16(const char* p)
{
    const unsigned char* u = reinterpret_cast<const unsigned char*>(p);
    return static_cast<WORD>(u[0] | (u[1] << 8));
}

inline DWORD Get32(const char* p)
{
    const unsigned char* u = reinterpret_cast<const unsigned char*>(p);
    return static_cast<DWORD>(u[0]) | (static_cast<DWORD>(u[1]) << 8) | (static_cast<DWORD>(u[2]) << 16) |
           (static_cast<DWORD>(u[3]) << 24);
}

inline void Put16(char* p, WORD v)
{
    p[0] = static_cast<char>(v & 0xFF);
    p[1] = static_cast<char>(v >> 8);
}

inline void Put32(char* p, DWORD v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

}
