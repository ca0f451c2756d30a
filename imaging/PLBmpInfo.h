// Description of a picture: size, depth, resolution, alpha and greyscale flags.
#pragma once
#include "PLObject.h"
#include "PLPoint.h"

class PLBmpInfo : public PLObject {
public:
    PLBmpInfo() = default;
    PLBmpInfo(int width, int height, int bitsPerPixel, PLPoint resolution, bool alpha, bool greyscale)
        : m_Width(width), m_Height(height), m_bpp(bitsPerPixel), m_Resolution(resolution),
          m_bAlphaChannel(alpha), m_bIsGreyscale(greyscale) {}

    int GetWidth() const { return m_Width; }
    int GetHeight() const { return m_Height; }
    PLPoint GetSize() const { return PLPoint(m_Width, m_Height); }
    int GetBitsPerPixel() const { return m_bpp; }
    PLPoint GetResolution() const { return m_Resolution; }
    bool HasAlpha() const { return m_bAlphaChannel; }
    bool IsGreyscale() const { return m_bIsGreyscale; }

    void SetBmpInfo(const PLBmpInfo& other) {
        m_Width = other.m_Width;
        m_Height = other.m_Height;
        m_bpp = other.m_bpp;
        m_Resolution = other.m_Resolution;
        m_bAlphaChannel = other.m_bAlphaChannel;
        m_bIsGreyscale = other.m_bIsGreyscale;
    }
    void SetBmpInfo(int width, int height, int bitsPerPixel, PLPoint resolution, bool alpha, bool greyscale) {
        SetBmpInfo(PLBmpInfo(width, height, bitsPerPixel, resolution, alpha, greyscale));
    }

protected:
    int m_Width = 0;
    int m_Height = 0;
    int m_bpp = 0;
    PLPoint m_Resolution;
    bool m_bAlphaChannel = false;
    bool m_bIsGreyscale = false;
};
