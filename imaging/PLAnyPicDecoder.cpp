#include "PLAnyPicDecoder.h"
#include "PLBmpDecoder.h"
#include "PLDataSource.h"
#include "PLFileExtension.h"
#include "PLGIFDecoder.h"
#include "PLJPEGDecoder.h"
#include "PLPCXDecoder.h"
#include "PLPGMDecoder.h"
#include "PLPNGDecoder.h"
#include "PLPPMDecoder.h"
#include "PLPSDDecoder.h"
#include "PLPictDecoder.h"
#include "PLTGADecoder.h"
#include "PLTIFFDecoder.h"
#include "PLTextException.h"
#ifdef _WIN32
#include "PLWEMFDecoder.h"
#endif
#include <cstring>

PLAnyPicDecoder::PLAnyPicDecoder() {
    m_pBmpDec = new PLBmpDecoder;
    m_pJPEGDec = new PLJPEGDecoder;
    m_pPictDec = new PLPictDecoder(m_pJPEGDec);
    m_pTGADec = new PLTGADecoder;
    m_pTIFFDec = new PLTIFFDecoder;
    m_pPNGDec = new PLPNGDecoder;
#ifdef _WIN32
    m_pWEMFDec = new PLWEMFDecoder;
#else
    m_pWEMFDec = nullptr;  // metafiles are played by GDI
#endif
    m_pPCXDec = new PLPCXDecoder;
    m_pPGMDec = new PLPGMDecoder;
    m_pGIFDec = new PLGIFDecoder;
    m_pPPMDec = new PLPPMDecoder;
    m_pPSDDec = new PLPSDDecoder;
}

PLAnyPicDecoder::~PLAnyPicDecoder() {
    if (m_pDataSrc || m_pCurDec)
        Close();
    delete m_pBmpDec;
    delete m_pPictDec;
    delete m_pTGADec;
    delete m_pTIFFDec;
    delete m_pJPEGDec;
    delete m_pPNGDec;
#ifdef _WIN32
    delete m_pWEMFDec;
#endif
    delete m_pPCXDec;
    delete m_pPGMDec;
    delete m_pGIFDec;
    delete m_pPPMDec;
    delete m_pPSDDec;
}

int PLAnyPicDecoder::DetermineFormat(const char* name, const BYTE* data, int size) {
    if (PLHasFileExtension(name, ".WMF"))
        return PL_FT_WMF;
    if (PLHasFileExtension(name, ".EMF"))
        return PL_FT_EMF;
    // Bytes beyond the end of the source never match.
    auto at = [&](int i) { return i < size ? int(data[i]) : -1; };
    auto is = [&](int from, const char* bytes, int n) {
        for (int i = 0; i < n; ++i)
            if (at(from + i) != (unsigned char)bytes[i])
                return false;
        return true;
    };
    auto oneOf = [](int v, std::initializer_list<int> set) {
        for (int s : set)
            if (v == s)
                return true;
        return false;
    };
    auto le32 = [&](int i) {
        return i + 3 < size ? DWORD(data[i]) | (DWORD(data[i + 1]) << 8) | (DWORD(data[i + 2]) << 16) |
                                  (DWORD(data[i + 3]) << 24)
                            : 0;
    };
    if (is(0, "BA", 2) || is(0, "BM", 2) || is(0, "IC", 2) || is(0, "CI", 2) || is(0, "CP", 2))
        return PL_FT_WINBMP;
    if (at(1) >= 0 && at(1) <= 1 && oneOf(at(2), {0, 1, 2, 3, 9, 10, 11}) && oneOf(at(7), {0, 8, 15, 16, 24, 32}) &&
        oneOf(at(16), {8, 15, 16, 24, 32}))
        return PL_FT_TARGA;
    if (is(0, "GIF8", 4))
        return PL_FT_GIF;
    if (is(0, "\x49\x49\x2A\x00", 4) || is(0, "\x4D\x4D\x00\x2A", 4))
        return PL_FT_TIFF;
    if (size > 540 && (is(522, "\x00\x11\x02\xFF", 4) || is(522, "\x00\x11\x01", 3) || is(522, "\x11\x01\x01\x00", 4)))
        return PL_FT_MACPICT;
    if (is(0, "\xFF\xD8\xFF", 3))
        return PL_FT_JPEG;
    if (is(0, "\x89\x50\x4E\x47", 4))
        return PL_FT_PNG;
    if ((is(0, "\xC5\xD0\xD3\xC6", 4) || is(0, "\xC6\xD3\xD0\xC5", 4)) && le32(20) != 0 && le32(24) != 0)
        return PL_FT_EPSTIFF;
    if (at(0) == 0x0A && at(2) == 0x01)
        return PL_FT_PCX;
    if (is(0, "P2", 2) || is(0, "P5", 2))
        return PL_FT_PGM;
    if (is(0, "P3", 2) || is(0, "P6", 2))
        return PL_FT_PPM;
    if (is(0, "8BPS", 4))
        return PL_FT_PSD;
    return PL_FT_UNKNOWN;
}

void PLAnyPicDecoder::Open(PLDataSource* dataSource) {
    PLPicDecoder::Open(dataSource);  // ours until a format decoder takes it
    m_pCurDec = nullptr;
    int head = dataSource->GetBytesLeft() < 544 ? dataSource->GetBytesLeft() : 544;
    m_Type = DetermineFormat(dataSource->GetName(), dataSource->PeekBytes(head), head);

    static const char* const recognised[] = {
        nullptr, "Windows bitmap recognized.\n", "Mac PICT recognized.\n", "TGA file recognized.\n",
        "TIFF file recognized.\n", "JPEG file recognized.\n", "PNG file recognized.\n",
        "TIFF preview in EPS file recognized.\n", "WMF file recognized.\n", "EMF file recognized.\n",
        "PCX file recognized.\n", "PGM file recognized.\n", "GIF file recognized.\n", "PPM file recognized.\n",
        "PSD file recognized.\n"};
    PLPicDecoder* decoder = nullptr;
    switch (m_Type) {
    case PL_FT_UNKNOWN: raiseError(PL_ERRUNKNOWN_FILE_TYPE, "Unknown file type.");
    case PL_FT_WINBMP: decoder = m_pBmpDec; break;
    case PL_FT_MACPICT: decoder = m_pPictDec; break;
    case PL_FT_TARGA: decoder = m_pTGADec; break;
    case PL_FT_TIFF: decoder = m_pTIFFDec; break;
    case PL_FT_JPEG: decoder = m_pJPEGDec; break;
    case PL_FT_PNG: decoder = m_pPNGDec; break;
    case PL_FT_EPSTIFF: decoder = m_pTIFFDec; break;
    case PL_FT_WMF:
    case PL_FT_EMF:
#ifdef _WIN32
        decoder = m_pWEMFDec;
#endif
        break;
    case PL_FT_PCX: decoder = m_pPCXDec; break;
    case PL_FT_PGM: decoder = m_pPGMDec; break;
    case PL_FT_GIF: decoder = m_pGIFDec; break;
    case PL_FT_PPM: decoder = m_pPPMDec; break;
    case PL_FT_PSD: decoder = m_pPSDDec; break;
    }
    if (!decoder)
        raiseError(PL_ERRFORMAT_NOT_COMPILED, "Library not compiled for this file type.");
    TraceMessage(2, recognised[m_Type]);
    if (m_Type == PL_FT_EPSTIFF) {
        const BYTE* p = dataSource->PeekBytes(24);
        DWORD offset = DWORD(p[20]) | (DWORD(p[21]) << 8) | (DWORD(p[22]) << 16) | (DWORD(p[23]) << 24);
        if (offset > 0x7FFFFFFFu)
            throw PLTextException(PL_ERREND_OF_FILE, "End of file reached while decoding.\n");
        dataSource->ReadBytes(int(offset));
    }
    m_pCurDec = decoder;
    m_pCurDec->Open(dataSource);
    SetBmpInfo(*m_pCurDec);
}

void PLAnyPicDecoder::ReadImage(PLBmp& bmp) {
    m_pCurDec->ReadImage(bmp);
    SetBmpInfo(*m_pCurDec);
}

void PLAnyPicDecoder::Close() {
    if (m_pCurDec && m_pCurDec->GetDataSource()) {
        m_pCurDec->Close();  // the format decoder holds the source now
        m_pDataSrc = nullptr;
    } else {
        if (m_pCurDec)
            m_pCurDec->Close();
        PLPicDecoder::Close();
    }
    m_pCurDec = nullptr;
}
