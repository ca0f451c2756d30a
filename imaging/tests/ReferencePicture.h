// Reference pictures for the tests: ImageMagick's PAM files and djpeg's PNM files, read
// into plain RGBA, and a comparison of a decoded bitmap with them.
#pragma once
#include "PLBmp.h"
#include <string>
#include <vector>

struct ReferencePicture {
    int width = 0;
    int height = 0;
    int depth = 0;  // samples per pixel: 1 grey, 2 grey and alpha, 3 RGB, 4 RGBA
    std::vector<unsigned char> rgba;  // four bytes a pixel, top line first

    bool HasAlpha() const { return depth == 2 || depth == 4; }
    const unsigned char* Pixel(int x, int y) const { return &rgba[(size_t(y) * width + x) * 4]; }
};

// Reads a PAM (P7) or binary PNM (P5, P6) file; false when it cannot.
bool LoadReference(const std::string& path, ReferencePicture& out);

// Describes the first pixels of a 32-bit bitmap that differ from the reference by more
// than tolerance in a channel; empty when none. Alpha is compared (and colour skipped
// where the reference's alpha is 0) whenever the bitmap says it has alpha: a reference
// without alpha is opaque.
std::string CompareWithReference(const PLBmp& bmp, const ReferencePicture& ref, int tolerance);

// Path of a fixture file.
std::string Fixture(const std::string& name);
// Whole contents of a file.
std::vector<unsigned char> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<unsigned char>& bytes);
// Path of a scratch file in the test's build folder.
std::string ScratchFile(const std::string& name);
