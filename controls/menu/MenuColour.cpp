#include "MenuColour.h"

namespace {

COLORREF Make(LONGLONG r, LONGLONG g, LONGLONG b)
{
    // Results are not clamped: a channel that leaves 0..255 keeps its low byte only.
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

int R(COLORREF c) { return static_cast<int>(c & 0xFF); }
int G(COLORREF c) { return static_cast<int>((c >> 8) & 0xFF); }
int B(COLORREF c) { return static_cast<int>((c >> 16) & 0xFF); }

}

int MenuMulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    LONGLONG num = static_cast<LONGLONG>(a) * b;
    LONGLONG den = c;
    if (den < 0) {
        num = -num;
        den = -den;
    }
    LONGLONG q = num >= 0 ? (num + den / 2) / den : (num - den / 2) / den;
    if (q > 2147483647LL || q < -2147483647LL)
        return -1;
    return static_cast<int>(q);
}

COLORREF MenuDarken(int n, COLORREF c)
{
    return Make(MenuMulDiv(R(c), 255 - n, 255), MenuMulDiv(G(c), 255 - n, 255),
                MenuMulDiv(B(c), 255 - n, 255));
}

COLORREF MenuLighten(int n, COLORREF c)
{
    return Make(R(c) + MenuMulDiv(255 - R(c), n, 255), G(c) + MenuMulDiv(255 - G(c), n, 255),
                B(c) + MenuMulDiv(255 - B(c), n, 255));
}

COLORREF MenuBlend86(COLORREF a, COLORREF b)
{
    return Make(MenuMulDiv(86, R(a), 100) + MenuMulDiv(14, R(b), 100),
                MenuMulDiv(86, G(a), 100) + MenuMulDiv(14, G(b), 100),
                MenuMulDiv(86, B(a), 100) + MenuMulDiv(14, B(b), 100));
}

COLORREF MenuBlend70(COLORREF a, COLORREF b)
{
    return Make(MenuMulDiv(7, R(a), 10) + MenuMulDiv(3, R(b), 10),
                MenuMulDiv(7, G(a), 10) + MenuMulDiv(3, G(b), 10),
                MenuMulDiv(7, B(a), 10) + MenuMulDiv(3, B(b), 10));
}

COLORREF MenuShadow(COLORREF c)
{
    return Make(MenuMulDiv(R(c), 7, 10), MenuMulDiv(G(c), 7, 10), MenuMulDiv(B(c) + 55, 7, 10));
}

COLORREF MenuGrey(COLORREF c)
{
    int m = (R(c) + G(c) + B(c)) / 3;
    return Make(m, m, m);
}
