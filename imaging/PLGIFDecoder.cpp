#include "PLGIFDecoder.h"
#include "PLBmp.h"
#include "PLDataSource.h"
#include <cstdio>
#include <cstring>
#include <gif_lib.h>

PLGIFDecoder::PLGIFDecoder() = default;

PLGIFDecoder::~PLGIFDecoder() { closeFile(); }

int PLGIFDecoder::readData(GifFileType* gif, unsigned char* buffer, int n) {
    auto* self = static_cast<PLGIFDecoder*>(gif->UserData);
    // Never let an exception pass through giflib: keep it and report a short read.
    try {
        std::memcpy(buffer, self->m_pDataSrc->ReadBytes(n), size_t(n));
        return n;
    } catch (const PLTextException& e) {
        if (!self->m_pPending)
            self->m_pPending.reset(new PLTextException(e));
        return 0;
    } catch (...) {
        return 0;
    }
}

void PLGIFDecoder::closeFile() {
    if (m_pGif) {
        int err = 0;
        DGifCloseFile(m_pGif, &err);
    }
    m_pGif = nullptr;
}

void PLGIFDecoder::raiseLibraryError(int code) {
    closeFile();
    if (m_pPending) {
        PLTextException e(*m_pPending);
        m_pPending.reset();
        throw e;
    }
    const char* text = GifErrorString(code);
    char buffer[200];
    std::snprintf(buffer, sizeof buffer, "GIF decoder: %s", text ? text : "Unknown error.");
    raiseError(PL_ERRFORMAT_UNKNOWN, buffer);
}

void PLGIFDecoder::Open(PLDataSource* src) {
    PLPicDecoder::Open(src);
    closeFile();
    m_pPending.reset();
    int err = 0;
    m_pGif = DGifOpen(this, &PLGIFDecoder::readData, &err);
    if (!m_pGif)
        raiseLibraryError(err);
    checkSize(m_pGif->SWidth, m_pGif->SHeight);
    SetBmpInfo(m_pGif->SWidth, m_pGif->SHeight, 8, PLPoint(0, 0), false, false);
}

void PLGIFDecoder::ReadImage(PLBmp& bmp) {
    GifFileType* gif = m_pGif;
    int w = m_Width, h = m_Height;
    for (int y = 0; y < h; ++y)
        std::memset(bmp.GetLine(y), gif->SBackGroundColor, size_t(w));

    int transparent = -1;
    GifRecordType type;
    for (;;) {
        if (DGifGetRecordType(gif, &type) == GIF_ERROR)
            raiseLibraryError(gif->Error);
        if (type == TERMINATE_RECORD_TYPE)
            break;
        if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* ext = nullptr;
            if (DGifGetExtension(gif, &code, &ext) == GIF_ERROR)
                raiseLibraryError(gif->Error);
            if (code == GRAPHICS_EXT_FUNC_CODE && ext && ext[0] >= 4 && (ext[1] & 1)) {
                transparent = ext[4];
                m_bAlphaChannel = true;
            }
            while (ext) {
                if (DGifGetExtensionNext(gif, &ext) == GIF_ERROR)
                    raiseLibraryError(gif->Error);
            }
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE)
            continue;
        if (DGifGetImageDesc(gif) == GIF_ERROR)
            raiseLibraryError(gif->Error);
        const GifImageDesc& d = gif->Image;
        if (d.Left < 0 || d.Top < 0 || d.Width <= 0 || d.Height <= 0 || d.Left + d.Width > w ||
            d.Top + d.Height > h) {
            char buffer[100];
            std::snprintf(buffer, sizeof buffer, "Image %d is not confined to screen dimension, aborted.\n",
                          gif->ImageCount);
            TraceMessage(1, buffer);
        } else if (d.Interlace) {
            static const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
                for (int y = start[pass]; y < d.Height; y += step[pass])
                    if (DGifGetLine(gif, bmp.GetLine(d.Top + y) + d.Left, d.Width) == GIF_ERROR)
                        raiseLibraryError(gif->Error);
        } else {
            for (int y = 0; y < d.Height; ++y)
                if (DGifGetLine(gif, bmp.GetLine(d.Top + y) + d.Left, d.Width) == GIF_ERROR)
                    raiseLibraryError(gif->Error);
        }
        // The palette: the image's own colour map, else the global one.
        const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
        if (map) {
            int n = map->ColorCount < 256 ? map->ColorCount : 256;
            for (int i = 0; i < n; ++i)
                bmp.SetPaletteEntry(i, map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue, 255);
        }
        if (transparent >= 0) {
            PLPixel32 entry = bmp.GetPalette()[transparent];
            bmp.SetPaletteEntry(transparent, entry.r, entry.g, entry.b, 0);
            bmp.SetHasAlpha(true);
        }
        break;  // only the first image
    }
}

void PLGIFDecoder::Close() {
    closeFile();
    m_pPending.reset();
    PLPicDecoder::Close();
}
