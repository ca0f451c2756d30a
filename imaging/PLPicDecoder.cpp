#include "PLPicDecoder.h"
#include "PLAnyBmp.h"
#include "PLDataSource.h"
#include "PLFileSource.h"
#include "PLMemSource.h"
#include "PLResourceSource.h"
#include "PLTextException.h"
#include <cstdio>
#include <new>
#include <stdexcept>
#include <string>

namespace {
int traceLevel = 0;
std::string traceFile;
}

PLPicDecoder::PLPicDecoder() = default;

PLPicDecoder::~PLPicDecoder() {
    if (m_pDataSrc)
        PLPicDecoder::Close();
}

void PLPicDecoder::SetTraceConfig(int level, const char* file) {
    traceLevel = level;
    traceFile = file ? file : "";
}

void PLPicDecoder::TraceMessage(int level, const char* text) {
    if (traceFile.empty() || traceLevel < level)
        return;
    if (FILE* f = std::fopen(traceFile.c_str(), "a+t")) {
        std::fputs(text, f);
        std::fclose(f);
    }
}

void PLPicDecoder::raiseError(int code, const char* message) {
    std::string text = std::string("Decoder error: ") + message + "\n";
    TraceMessage(0, text.c_str());
    throw PLTextException(code, text.c_str());
}

void PLPicDecoder::checkSize(long long width, long long height) {
    if (width <= 0 || height <= 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF ||
        (width + 1) * 4 > 0x7FFFFFFFLL / height)
        raiseError(PL_ERRFORMAT_UNKNOWN, "Illegal picture size.");
    if (width * height > kMaxPixels)
        raiseError(PL_ERRNO_MEMORY, "Picture too large.");
}

void PLPicDecoder::requireBytes(long long bytes) const {
    if (bytes > m_pDataSrc->GetBytesLeft())
        throw PLTextException(PL_ERREND_OF_FILE, "End of file reached while decoding.\n");
}

void PLPicDecoder::setOpaque(PLBmp& bmp) {
    if (bmp.GetBitsPerPixel() != 32)
        return;
    for (int y = 0; y < bmp.GetHeight(); ++y) {
        BYTE* p = bmp.GetLine(y);
        for (int x = 0; x < bmp.GetWidth(); ++x)
            p[x * 4 + 3] = 255;
    }
}

void PLPicDecoder::opaqueWhenAlphaUnused(PLBmp& bmp) {
    if (bmp.GetBitsPerPixel() != 32)
        return;
    for (int y = 0; y < bmp.GetHeight(); ++y) {
        const BYTE* p = bmp.GetLine(y);
        for (int x = 0; x < bmp.GetWidth(); ++x)
            if (p[x * 4 + 3])
                return;
    }
    setOpaque(bmp);
}

void PLPicDecoder::decodeSource(PLDataSource* source, PLBmp* bmp, int bitsPerPixel) {
    try {
        try {
            Open(source);
        } catch (const std::bad_alloc&) {
            throwOutOfMemory();
        } catch (const std::length_error&) {
            throwOutOfMemory();
        }
        DecodeToBitmap(*bmp, bitsPerPixel);
        Close();
    } catch (PLTextException&) {
        if (m_pDataSrc)
            Close();
        else
            delete source;  // no decoder took it
        throw;
    }
}

void PLPicDecoder::throwOutOfMemory() {
    raiseError(PL_ERRNO_MEMORY, "Out of memory.");
}

void PLPicDecoder::DecodeFile(const char* path, PLBmp* bmp, int bitsPerPixel,
                              PLIProgressNotification* notification) {
    char buffer[1024];
    std::snprintf(buffer, sizeof buffer, "--- Decoding file %s. ---\n", path);
    TraceMessage(1, buffer);
    PLFileSource* source = new PLFileSource(notification);
    int err = source->Open(path);
    if (err) {
        delete source;
        std::snprintf(buffer, sizeof buffer, "Opening %s failed", path);
        raiseError(err, buffer);
    }
    decodeSource(source, bmp, bitsPerPixel);
}

#ifdef _WIN32
void PLPicDecoder::DecodeResource(HINSTANCE instance, int resourceId, PLBmp* bmp, int bitsPerPixel,
                                  const char* resourceType) {
    char buffer[100];
    std::snprintf(buffer, sizeof buffer, "--- Decoding resource ID %i. ---\n", resourceId);
    TraceMessage(1, buffer);
    PLResourceSource* source = new PLResourceSource;
    int err = source->Open(instance, resourceId, resourceType);
    if (err) {
        delete source;
        std::snprintf(buffer, sizeof buffer, "Opening resource %i failed", resourceId);
        raiseError(err, buffer);
    }
    decodeSource(source, bmp, bitsPerPixel);
}
#endif

void PLPicDecoder::DecodeMemory(const BYTE* data, int size, PLBmp* bmp, int bitsPerPixel) {
    char buffer[100];
    std::snprintf(buffer, sizeof buffer, "--- Decoding from memory at %p. ---\n", static_cast<const void*>(data));
    TraceMessage(1, buffer);
    PLMemSource* source = new PLMemSource;
    int err = source->Open(data, size);
    if (err) {
        delete source;
        std::snprintf(buffer, sizeof buffer, "Reading from memory at %p failed", static_cast<const void*>(data));
        raiseError(err, buffer);
    }
    decodeSource(source, bmp, bitsPerPixel);
}

void PLPicDecoder::DecodeToBitmap(PLBmp& bmp, int bitsPerPixel) {
    try {
        decodeToBitmap(bmp, bitsPerPixel);
    } catch (const std::bad_alloc&) {
        throwOutOfMemory();
    } catch (const std::length_error&) {
        throwOutOfMemory();
    }
}

void PLPicDecoder::decodeToBitmap(PLBmp& bmp, int bitsPerPixel) {
    if (bitsPerPixel != 0 && bitsPerPixel != GetBitsPerPixel()) {
        if (GetBitsPerPixel() >= bitsPerPixel)
            throw PLTextException(PL_ERRFORMAT_NOT_SUPPORTED, "Image bit depth doesn't match request.");
        PLAnyBmp temp;
        temp.CreateFromInfo(*this);
        ReadImage(temp);
        bmp.CreateCopy(temp, bitsPerPixel);
    } else {
        bmp.CreateFromInfo(*this);
        ReadImage(bmp);
    }
}

void PLPicDecoder::Open(PLDataSource* dataSource) { m_pDataSrc = dataSource; }

void PLPicDecoder::Close() {
    if (!m_pDataSrc)
        return;
    m_pDataSrc->Close();
    delete m_pDataSrc;
    m_pDataSrc = nullptr;
}
