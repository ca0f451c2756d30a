#include "PLPackBits.h"
#include "PLPicDecoder.h"
#include "PLTextException.h"
#include <cstring>

int PLUnpackBits(const BYTE* src, int srcLen, BYTE* dest, int destLen, int unitBytes) {
    int in = 0, out = 0;
    auto fail = [] { PLPicDecoder::raiseError(PL_ERRFORMAT_UNKNOWN, "PackBits run spans end of line."); };
    while (in < srcLen) {
        int n = src[in++];
        if (n < 128) {
            int bytes = (n + 1) * unitBytes;
            if (in + bytes > srcLen || out + bytes > destLen)
                fail();
            std::memcpy(dest + out, src + in, bytes);
            in += bytes;
            out += bytes;
        } else if (n > 128) {
            int count = 257 - n;
            if (in + unitBytes > srcLen || out + count * unitBytes > destLen)
                fail();
            for (int i = 0; i < count; ++i, out += unitBytes)
                std::memcpy(dest + out, src + in, unitBytes);
            in += unitBytes;
        }
    }
    return out;
}
