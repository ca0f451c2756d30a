// Base of the picture decoders: decodes a file, a block of memory or a resource into a
// bitmap through a format decoder's own Open and ReadImage.
#pragma once
#include "PLBmpInfo.h"
#include "WinTypes.h"

class PLBmp;
class PLDataSource;
class PLIProgressNotification;

class PLPicDecoder : public PLBmpInfo {
public:
    PLPicDecoder();
    ~PLPicDecoder() override;
    PLPicDecoder(const PLPicDecoder&) = delete;
    PLPicDecoder& operator=(const PLPicDecoder&) = delete;

    virtual void DecodeFile(const char* path, PLBmp* bmp, int bitsPerPixel = 0,
                            PLIProgressNotification* notification = nullptr);
#ifdef _WIN32
    virtual void DecodeResource(HINSTANCE instance, int resourceId, PLBmp* bmp, int bitsPerPixel = 0,
                                const char* resourceType = nullptr);
#endif
    virtual void DecodeMemory(const BYTE* data, int size, PLBmp* bmp, int bitsPerPixel = 0);
    // Fills bmp from the open picture; bitsPerPixel 0 keeps the picture's depth.
    virtual void DecodeToBitmap(PLBmp& bmp, int bitsPerPixel);
    // Releases the open picture and its source.
    virtual void Close();
    // Opens a picture on the source. Every format decoder begins by calling this one,
    // which takes the source over.
    virtual void Open(PLDataSource* dataSource);
    virtual void ReadImage(PLBmp& bmp) = 0;

    // The source of the open picture, or none.
    PLDataSource* GetDataSource() const { return m_pDataSrc; }

    // Builds "Decoder error: <message>\n", traces it and throws it with the code.
    [[noreturn]] static void raiseError(int code, const char* message);
    static void TraceMessage(int level, const char* text);
    // Trace level and file (none by default: nothing is written).
    static void SetTraceConfig(int level, const char* file);

protected:
    // The most pixels a picture may have; larger ones are refused with code 10.
    static constexpr long long kMaxPixels = 64LL * 1024 * 1024;
    // Refuses sizes that cannot be a picture: not positive, or beyond 32-bit addressing
    // (code 2), or more than kMaxPixels (code 10).
    static void checkSize(long long width, long long height);
    // Refuses, with code 11, a picture whose data cannot hold what its header promises: at
    // least the given number of bytes must be left. Called before anything is allocated.
    void requireBytes(long long bytes) const;
    // Sets the alpha byte of every pixel of a 32-bit bitmap to 255.
    static void setOpaque(PLBmp& bmp);
    // A 32-bit picture whose alpha bytes are all 0 shows nothing when blended: its format's
    // fourth byte was left unused, so the picture is made opaque.
    static void opaqueWhenAlphaUnused(PLBmp& bmp);

    PLDataSource* m_pDataSrc = nullptr;

private:
    void decodeSource(PLDataSource* source, PLBmp* bmp, int bitsPerPixel);
    void decodeToBitmap(PLBmp& bmp, int bitsPerPixel);
    [[noreturn]] static void throwOutOfMemory();
};
