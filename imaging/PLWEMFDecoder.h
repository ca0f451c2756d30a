// Windows metafiles (placeable or plain) and enhanced metafiles, played by GDI into a
// memory device context and read back (Windows build only).
#pragma once
#include "PLPicDecoder.h"

#ifdef _WIN32
class PLWEMFDecoder : public PLPicDecoder {
public:
    PLWEMFDecoder();
    ~PLWEMFDecoder() override;

    void Open(PLDataSource* dataSource) override;
    void ReadImage(PLBmp& bmp) override;
    void Close() override;

private:
    void release();

    HENHMETAFILE m_hEmf = nullptr;
    HDC m_hScreenDC = nullptr;
    HDC m_hMemDC = nullptr;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOldBitmap = nullptr;
    HPALETTE m_hPalette = nullptr;
    HPALETTE m_hOldPalette = nullptr;
    ENHMETAHEADER* m_pHeader = nullptr;
};
#endif
