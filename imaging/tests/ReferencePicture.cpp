#include "ReferencePicture.h"
#include <cstdio>
#include <cstdlib>
#include <sstream>

std::string Fixture(const std::string& name) {
#ifdef _WIN32
    return std::string(VELMORA_TEST_SOURCE_DIR) + "\\data\\" + name;
#else
    return std::string(VELMORA_TEST_SOURCE_DIR) + "/data/" + name;
#endif
}

std::string ScratchFile(const std::string& name) {
#ifdef _WIN32
    return std::string(VELMORA_TEST_BINARY_DIR) + "\\" + name;
#else
    return std::string(VELMORA_TEST_BINARY_DIR) + "/" + name;
#endif
}

std::vector<unsigned char> ReadFileBytes(const std::string& path) {
    std::vector<unsigned char> data;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        unsigned char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            data.insert(data.end(), buffer, buffer + n);
        std::fclose(f);
    }
    return data;
}

void WriteFileBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        if (!bytes.empty())
            std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
}

namespace {
// Reads the next whitespace-separated word of a PNM header (skipping comments).
std::string word(const std::vector<unsigned char>& d, size_t& pos) {
    std::string w;
    while (pos < d.size()) {
        char c = char(d[pos]);
        if (c == '#') {
            while (pos < d.size() && d[pos] != '\n')
                ++pos;
        } else if (c == ' ' || c == '\n' || c == '\r' || c == '\t') {
            ++pos;
        } else {
            break;
        }
    }
    while (pos < d.size() && !std::isspace(d[pos]))
        w += char(d[pos++]);
    return w;
}
}  // namespace

bool LoadReference(const std::string& path, ReferencePicture& out) {
    std::vector<unsigned char> d = ReadFileBytes(path);
    size_t pos = 0;
    std::string magic = word(d, pos);
    int maxval = 255;
    if (magic == "P7") {
        for (;;) {
            std::string key = word(d, pos);
            if (key.empty())
                return false;
            if (key == "ENDHDR")
                break;
            std::string value = word(d, pos);
            if (key == "WIDTH")
                out.width = std::atoi(value.c_str());
            else if (key == "HEIGHT")
                out.height = std::atoi(value.c_str());
            else if (key == "DEPTH")
                out.depth = std::atoi(value.c_str());
            else if (key == "MAXVAL")
                maxval = std::atoi(value.c_str());
        }
    } else if (magic == "P5" || magic == "P6") {
        out.width = std::atoi(word(d, pos).c_str());
        out.height = std::atoi(word(d, pos).c_str());
        maxval = std::atoi(word(d, pos).c_str());
        out.depth = magic == "P5" ? 1 : 3;
    } else {
        return false;
    }
    ++pos;  // the one blank before the samples
    if (maxval != 255 || out.depth < 1 || out.depth > 4)
        return false;
    size_t n = size_t(out.width) * out.height;
    if (pos + n * out.depth > d.size())
        return false;
    out.rgba.resize(n * 4);
    for (size_t i = 0; i < n; ++i) {
        const unsigned char* s = &d[pos + i * out.depth];
        unsigned char* p = &out.rgba[i * 4];
        if (out.depth <= 2) {
            p[0] = p[1] = p[2] = s[0];
            p[3] = out.depth == 2 ? s[1] : 255;
        } else {
            p[0] = s[0];
            p[1] = s[1];
            p[2] = s[2];
            p[3] = out.depth == 4 ? s[3] : 255;
        }
    }
    return true;
}

std::string CompareWithReference(const PLBmp& bmp, const ReferencePicture& ref, int tolerance) {
    std::ostringstream msg;
    if (bmp.GetWidth() != ref.width || bmp.GetHeight() != ref.height) {
        msg << "size " << bmp.GetWidth() << "x" << bmp.GetHeight() << ", reference " << ref.width << "x" << ref.height;
        return msg.str();
    }
    if (bmp.GetBitsPerPixel() != 32)
        return "bitmap is not 32 bits";
    // A bitmap that says it has alpha is blended by the picture windows: its alpha must be the
    // reference's, 255 throughout where the reference has none.
    bool alpha = bmp.HasAlpha();
    int errors = 0;
    for (int y = 0; y < ref.height && errors < 5; ++y)
        for (int x = 0; x < ref.width && errors < 5; ++x) {
            const unsigned char* p = bmp.GetLine(y) + x * 4;
            const unsigned char* r = ref.Pixel(x, y);
            int ours[4] = {p[2], p[1], p[0], p[3]};
            bool bad = false;
            if (!(alpha && r[3] == 0))
                for (int c = 0; c < 3; ++c)
                    bad = bad || std::abs(ours[c] - r[c]) > tolerance;
            if (alpha)
                bad = bad || std::abs(ours[3] - r[3]) > tolerance;
            if (bad) {
                ++errors;
                msg << "(" << x << "," << y << ") ours " << ours[0] << "," << ours[1] << "," << ours[2] << ","
                    << ours[3] << " reference " << int(r[0]) << "," << int(r[1]) << "," << int(r[2]) << ","
                    << int(r[3]) << "; ";
            }
        }
    return msg.str();
}
