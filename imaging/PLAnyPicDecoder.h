// Recognises the format of a picture and hands the work to the decoder of that format.
#pragma once
#include "PLPicDecoder.h"

class PLBmpDecoder;
class PLPictDecoder;
class PLTGADecoder;
class PLTIFFDecoder;
class PLJPEGDecoder;
class PLPNGDecoder;
class PLWEMFDecoder;
class PLPCXDecoder;
class PLPGMDecoder;
class PLGIFDecoder;
class PLPPMDecoder;
class PLPSDDecoder;

// Format numbers of the recognised pictures.
enum {
    PL_FT_UNKNOWN = 0,
    PL_FT_WINBMP = 1,
    PL_FT_MACPICT = 2,
    PL_FT_TARGA = 3,
    PL_FT_TIFF = 4,
    PL_FT_JPEG = 5,
    PL_FT_PNG = 6,
    PL_FT_EPSTIFF = 7,
    PL_FT_WMF = 8,
    PL_FT_EMF = 9,
    PL_FT_PCX = 10,
    PL_FT_PGM = 11,
    PL_FT_GIF = 12,
    PL_FT_PPM = 13,
    PL_FT_PSD = 14
};

class PLAnyPicDecoder : public PLPicDecoder {
public:
    PLAnyPicDecoder();
    ~PLAnyPicDecoder() override;

    void Close() override;
    void Open(PLDataSource* dataSource) override;
    void ReadImage(PLBmp& bmp) override;

    // The format of the last picture opened.
    int GetFileFormat() const { return m_Type; }
    // The format the name and first bytes of a source show (PL_FT_UNKNOWN for none).
    static int DetermineFormat(const char* name, const BYTE* data, int size);

private:
    int m_Type = PL_FT_UNKNOWN;
    PLPicDecoder* m_pCurDec = nullptr;

    PLBmpDecoder* m_pBmpDec;
    PLPictDecoder* m_pPictDec;
    PLTGADecoder* m_pTGADec;
    PLTIFFDecoder* m_pTIFFDec;
    PLJPEGDecoder* m_pJPEGDec;
    PLPNGDecoder* m_pPNGDec;
    PLWEMFDecoder* m_pWEMFDec;
    PLPCXDecoder* m_pPCXDec;
    PLPGMDecoder* m_pPGMDec;
    PLGIFDecoder* m_pGIFDec;
    PLPPMDecoder* m_pPPMDec;
    PLPSDDecoder* m_pPSDDec;
};
