// Bitmap in plain memory: unpadded lines stored top-down and a separate palette.
#pragma once
#include "PLBmp.h"

class PLAnyBmp : public PLBmp {
public:
    PLAnyBmp();  // an empty 16 x 16 bitmap of depth 8
    ~PLAnyBmp() override;

    long GetMemUsed() override;
    int GetBytesPerLine() override;
    BYTE* GetPixels() const { return m_pBits; }

protected:
    void internalCreate(int width, int height, int bitsPerPixel) override;
    void freeMembers() override;
    void initLineArray() override;

private:
    BYTE* m_pBits = nullptr;
};
