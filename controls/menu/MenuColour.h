// Colour arithmetic of the owner-drawn menus on COLORREF values (red in the low byte).
// Every product is divided the way the platform's MulDiv does it: 64-bit product, rounded
// to the nearest integer, halves away from zero. The top byte of every result is 0.
#pragma once
#include "MenuWinDefs.h"

// a * b / c rounded like the platform's MulDiv; -1 for c == 0 or a result beyond 32 bits.
int MenuMulDiv(int a, int b, int c);

// Each channel x * (255 - n) / 255.
COLORREF MenuDarken(int amount, COLORREF c);
// Each channel x + (255 - x) * n / 255.
COLORREF MenuLighten(int amount, COLORREF c);
// 86 % of a plus 14 % of b, each term rounded.
COLORREF MenuBlend86(COLORREF a, COLORREF b);
// 70 % of a plus 30 % of b, each term rounded.
COLORREF MenuBlend70(COLORREF a, COLORREF b);
// The colour of a drop shadow over c: red and green x * 7 / 10, blue (x + 55) * 7 / 10.
COLORREF MenuShadow(COLORREF c);
// The truncated mean of the three channels, in all three.
COLORREF MenuGrey(COLORREF c);
