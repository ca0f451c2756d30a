#include "ToolBarResource.h"

namespace {

unsigned Word(const unsigned char* p) { return p[0] | (p[1] << 8); }
DWORD Dword(const unsigned char* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<DWORD>(p[3]) << 24); }

}

bool ToolBarResource::Parse(const void* data, size_t size)
{
    m_width = m_height = 0;
    m_commands.clear();
    const unsigned char* p = static_cast<const unsigned char*>(data);
    if (!p || size < 8)
        return false;
    if (Word(p) == 1) {
        // The platform's layout: 16-bit version, width, height, count, ids.
        size_t count = Word(p + 6);
        if (size >= 8 + 2 * count) {
            m_width = static_cast<int>(Word(p + 2));
            m_height = static_cast<int>(Word(p + 4));
            for (size_t i = 0; i < count; ++i)
                if (UINT id = Word(p + 8 + 2 * i))
                    m_commands.push_back(id);
            return true;
        }
    }
    // The layout GNU windres writes for a TOOLBAR statement: 32-bit width, height, count and
    // ids, without a version.
    if (size >= 12) {
        DWORD count = Dword(p + 8);
        if (count <= (size - 12) / 4 && size == 12 + 4 * static_cast<size_t>(count) &&
            Dword(p) > 0 && Dword(p) <= 0xFFFF && Dword(p + 4) > 0 && Dword(p + 4) <= 0xFFFF) {
            m_width = static_cast<int>(Dword(p));
            m_height = static_cast<int>(Dword(p + 4));
            for (DWORD i = 0; i < count; ++i)
                if (UINT id = Dword(p + 12 + 4 * i))
                    m_commands.push_back(id);
            return true;
        }
    }
    return false;
}

int ToolBarResource::ImageOf(UINT command) const
{
    if (command == 0)
        return -1;
    for (size_t i = 0; i < m_commands.size(); ++i)
        if (m_commands[i] == command)
            return static_cast<int>(i);
    return -1;
}

int MenuBitmapColourCount(int bitCount, DWORD coloursUsed)
{
    if (coloursUsed != 0)
        return static_cast<int>(coloursUsed);
    switch (bitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

int MenuBitmapColourCount(const void* data, size_t size)
{
    const unsigned char* p = static_cast<const unsigned char*>(data);
    // biSize, biWidth, biHeight, biPlanes, biBitCount (offset 14), ..., biClrUsed (offset 32).
    if (!p || size < 40 || Dword(p) < 40)
        return 0;
    return MenuBitmapColourCount(static_cast<int>(Word(p + 14)), Dword(p + 32));
}
