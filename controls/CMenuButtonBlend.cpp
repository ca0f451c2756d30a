#include "CMenuButtonBlend.h"

DWORD CMenuButtonBlend::BlendPixel(DWORD face, DWORD image, DWORD mask)
{
    const int weight = static_cast<int>((mask >> 16) & 0xFF);
    DWORD result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int bg = static_cast<int>((face >> shift) & 0xFF);
        const int fg = static_cast<int>((image >> shift) & 0xFF);
        const int value = bg + (fg - bg) * weight / 255;
        result |= static_cast<DWORD>(value & 0xFF) << shift;
    }
    return result;
}

void CMenuButtonBlend::Blend(DWORD* face, int faceWidth, int faceHeight, int x, int y, const DWORD* image,
                             const DWORD* mask, int imageWidth, int imageHeight)
{
    for (int row = 0; row < imageHeight; ++row) {
        const int fy = y + row;
        if (fy < 0 || fy >= faceHeight)
            continue;
        for (int col = 0; col < imageWidth; ++col) {
            const int fx = x + col;
            if (fx < 0 || fx >= faceWidth)
                continue;
            DWORD& pixel = face[fy * faceWidth + fx];
            const int i = row * imageWidth + col;
            pixel = BlendPixel(pixel, image[i], mask[i]);
        }
    }
}
