// Reading the decimal header fields and samples of PGM and PPM files.
#pragma once

class PLDataSource;

class PLPnmParser {
public:
    explicit PLPnmParser(PLDataSource* source) : m_pSource(source) {}

    // The next decimal number, after blanks, line ends and comments ("#" to the line end).
    // The character that ends the number is consumed.
    int ReadNumber();
    // The maximum sample value; values outside 1 to 255 count as 255.
    int ReadMaxValue();
    // A text sample scaled to 0..255; values above maxValue raise code 2.
    int ReadTextSample(int maxValue);
    // Scales a sample to 0..255; values above maxValue raise code 2.
    static int Scale(int value, int maxValue);

private:
    PLDataSource* m_pSource;
};
