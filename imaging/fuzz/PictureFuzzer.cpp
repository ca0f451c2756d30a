// Fuzz target: any bytes decoded as a picture of every format, at its own depth and at 32
// bits. Only the library's own exception may leave the decoder.
#include "PLAnyBmp.h"
#include "PLAnyPicDecoder.h"
#include "PLTextException.h"
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 0x7FFFFFFF)
        return 0;
    for (int depth : {0, 32}) {
        PLAnyPicDecoder decoder;
        PLAnyBmp bmp;
        try {
            decoder.DecodeMemory(data, int(size), &bmp, depth);
        } catch (const PLTextException&) {
        }
    }
    return 0;
}
