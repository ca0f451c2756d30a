// Blends a button image over a face through its mask: for every channel
// result = face + (image - face) x mask / 255, the mask's red channel giving the weight.
// Pixels are 0x00RRGGBB, rows top-down. Only the part of the image that lies on the face is
// touched, so a face smaller than the image is safe.
#pragma once
#include "WinTypes.h"

class CMenuButtonBlend {
public:
    static DWORD BlendPixel(DWORD face, DWORD image, DWORD mask);
    static void Blend(DWORD* face, int faceWidth, int faceHeight, int x, int y, const DWORD* image,
                      const DWORD* mask, int imageWidth, int imageHeight);
};
