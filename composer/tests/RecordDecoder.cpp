#include "RecordDecoder.h"

#include <cstdio>

std::vector<unsigned char> FileBytes(const std::string& path)
{
    std::vector<unsigned char> out;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        for (int c; (c = std::fgetc(f)) != EOF;)
            out.push_back(static_cast<unsigned char>(c));
        std::fclose(f);
    }
    return out;
}

std::vector<std::string> DecodeRecords(const std::vector<unsigned char>& bytes)
{
    static const char key[] = "Q7mv2RkP#w4z!Tn9-Hx*Ld3&s";
    std::vector<std::string> out;
    size_t at = 0;
    while (at + 3 <= bytes.size()) {
        const int tag = bytes[at];
        const size_t length = bytes[at + 1] | bytes[at + 2] << 8;
        at += 3;
        std::string value;
        if (tag == 2) {
            for (size_t i = 0; i < length && at + i < bytes.size(); ++i)
                value += static_cast<char>(bytes[at + i] - static_cast<unsigned char>(key[i % 25]));
            out.push_back("S:" + value);
        } else {
            long v = 0;
            for (int i = 3; i >= 0; --i)
                v = v << 8 | (at + i < bytes.size() ? bytes[at + i] : 0);
            out.push_back(std::string(tag == 0 ? "B:" : "I:") + std::to_string(v));
        }
        at += length;
    }
    return out;
}
