// PackBits run-length decoding, shared by the PSD and PICT decoders.
#pragma once
#include "WinTypes.h"

// Decodes srcLen bytes of PackBits data into at most destLen bytes of dest, in units of
// unitBytes bytes (1, or 2 for 16-bit PICT pixels). Returns the bytes produced. A run
// that passes the end of dest, or a packet cut off by the end of src, raises code 2.
int PLUnpackBits(const BYTE* src, int srcLen, BYTE* dest, int destLen, int unitBytes = 1);
