// Macintosh PICT pictures, versions 1 and 2: the first bitmap, pixmap or direct-pixel
// record of the picture, or a JPEG picture embedded as QuickTime data.
#pragma once
#include "PLPicDecoder.h"
#include "PLPixel32.h"

class PLJPEGDecoder;

class PLPictDecoder : public PLPicDecoder {
public:
    // The JPEG decoder (may be none) decodes embedded JPEG data; it stays the caller's.
    explicit PLPictDecoder(PLJPEGDecoder* jpegDecoder);
    ~PLPictDecoder() override;

    void Open(PLDataSource* dataSource) override;
    void ReadImage(PLBmp& bmp) override;
    void Close() override;

private:
    enum Kind { kNone, kBitmap, kPixmap, kDirect, kJPEG };

    int readOpcode();
    void skipOpcode(int opcode);
    void skipRegion();
    void skipText(int before);
    void skipPixPat();
    void readPixmapHeader();
    void readColorTable();
    void openJPEG();
    void detachJPEG();
    // One row of pixel data, unpacked into row (unpackedLength bytes).
    void readRow(BYTE* row, int rowBytes, int unpackedLength, int unit, bool packed);
    void readPixels(PLBmp* bmp);

    PLJPEGDecoder* m_pJPEGDecoder;
    int m_Version = 2;
    Kind m_Kind = kNone;
    int m_Opcode = 0;
    // The pixel record being decoded.
    int m_RowBytes = 0;
    int m_Top = 0, m_Left = 0, m_Bottom = 0, m_Right = 0;
    int m_PackType = 0;
    int m_PixelSize = 1;
    int m_CmpCount = 1;
    int m_NumColors = 0;
    PLPixel32 m_Palette[256];
};
