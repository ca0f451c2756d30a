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
    if (!p || size < 8 || Word(p) != 1)
        return false;
    size_t count = Word(p + 6);
    if (size < 8 + 2 * count)
        return false;
    m_width = static_cast<int>(Word(p + 2));
    m_height = static_cast<int>(Word(p + 4));
    for (size_t i = 0; i < count; ++i) {
        UINT id = Word(p + 8 + 2 * i);
        if (id != 0)
            m_commands.push_back(id);
    }
    return true;
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
