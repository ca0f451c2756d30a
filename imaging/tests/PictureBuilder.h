// Small pictures built byte by byte, for the cases no tool writes.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

class PictureBuilder {
public:
    PictureBuilder& u8(unsigned v) { m_Data.push_back(uint8_t(v)); return *this; }
    PictureBuilder& le16(unsigned v) { return u8(v & 0xFF).u8((v >> 8) & 0xFF); }
    PictureBuilder& le32(uint32_t v) { return le16(v & 0xFFFF).le16(v >> 16); }
    PictureBuilder& be16(unsigned v) { return u8((v >> 8) & 0xFF).u8(v & 0xFF); }
    PictureBuilder& be32(uint32_t v) { return be16(v >> 16).be16(v & 0xFFFF); }
    PictureBuilder& text(const std::string& s) {
        m_Data.insert(m_Data.end(), s.begin(), s.end());
        return *this;
    }
    PictureBuilder& fill(size_t n, unsigned v) {
        m_Data.insert(m_Data.end(), n, uint8_t(v));
        return *this;
    }
    size_t size() const { return m_Data.size(); }
    std::vector<uint8_t>& bytes() { return m_Data; }

    // A BITMAPFILEHEADER and a 40-byte info header.
    static PictureBuilder Bmp(int width, int height, int bits, uint32_t compression, uint32_t colorsUsed,
                              uint32_t pixelOffset) {
        PictureBuilder b;
        b.text("BM").le32(0).le32(0).le32(pixelOffset);
        b.le32(40).le32(uint32_t(width)).le32(uint32_t(height)).le16(1).le16(unsigned(bits)).le32(compression);
        b.le32(0).le32(2835).le32(2835).le32(colorsUsed).le32(0);
        return b;
    }

private:
    std::vector<uint8_t> m_Data;
};
