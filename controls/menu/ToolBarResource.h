// A toolbar resource (resource type 241): 16-bit little-endian version (1), button width,
// button height, count, then count command ids, 0 standing for a separator. GNU windres
// writes its TOOLBAR statement in 32-bit values without the version; that layout is read too.
#pragma once
#include "MenuWinDefs.h"

#include <cstddef>
#include <vector>

// The platform's resource type number of toolbars.
const int MenuToolBarResourceType = 241;

class ToolBarResource {
public:
    // Reads the resource bytes; false (and an empty toolbar) when they fit neither layout
    // (too short for their own count, another version).
    bool Parse(const void* data, size_t size);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The buttons' commands without the separators, in image order.
    const std::vector<UINT>& Commands() const { return m_commands; }
    // The image position of the command's button (separators take no image); -1 when absent.
    int ImageOf(UINT command) const;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<UINT> m_commands;
};

// The colour count of a bitmap from its header: the used-colour count when non-zero, else
// 2, 16 or 256 for 1, 4 or 8 bits per pixel, else 0.
int MenuBitmapColourCount(int bitCount, DWORD coloursUsed);
// The same from the bytes of a bitmap resource (a BITMAPINFOHEADER first); 0 when too short.
int MenuBitmapColourCount(const void* data, size_t size);
