// Separable scaler: every line horizontally, then every column vertically, with integer
// weights from a weight function.
#pragma once
#include "PLContribDef.h"
#include "WinTypes.h"
#include <cmath>
#include <vector>

// Progress callback: percent done; returning false stops the scaling.
typedef bool (*PLProgressFunc)(int percent);

template <class DataClass>
class C2PassScale {
public:
    explicit C2PassScale(const PLContribDef& contrib, PLProgressFunc progress = nullptr)
        : m_Contrib(contrib), m_Progress(progress) {}

    // Scales source (width srcW, height srcH, lines given) into destination lines of
    // dstW x dstH pixels of DataClass::Channels bytes.
    void Scale(BYTE** source, int srcW, int srcH, BYTE** destination, int dstW, int dstH) {
        m_bAborted = false;
        std::vector<BYTE> temp(size_t(dstW) * srcH * DataClass::Channels);
        std::vector<BYTE*> tempLines(srcH);
        for (int y = 0; y < srcH; ++y)
            tempLines[y] = temp.data() + size_t(y) * dstW * DataClass::Channels;
        // Horizontal pass.
        Table h = buildTable(srcW, dstW);
        for (int y = 0; y < srcH && !m_bAborted; ++y) {
            for (int x = 0; x < dstW; ++x) {
                const Contributions& c = h[x];
                DataClass acc;
                for (size_t i = 0; i < c.weights.size(); ++i)
                    acc.Add(source[y] + size_t(c.left + int(i)) * DataClass::Channels, c.weights[i]);
                acc.Store(tempLines[y] + size_t(x) * DataClass::Channels);
            }
            if (m_Progress && !m_Progress(int(50L * (y + 1) / srcH)))
                m_bAborted = true;
        }
        // Vertical pass.
        Table v = buildTable(srcH, dstH);
        for (int y = 0; y < dstH && !m_bAborted; ++y) {
            const Contributions& c = v[y];
            for (int x = 0; x < dstW; ++x) {
                DataClass acc;
                for (size_t i = 0; i < c.weights.size(); ++i)
                    acc.Add(tempLines[c.left + int(i)] + size_t(x) * DataClass::Channels, c.weights[i]);
                acc.Store(destination[y] + size_t(x) * DataClass::Channels);
            }
            if (m_Progress && !m_Progress(50 + int(50L * (y + 1) / dstH)))
                m_bAborted = true;
        }
    }

    bool IsAborted() const { return m_bAborted; }

private:
    struct Contributions {
        int left = 0;
        std::vector<int> weights;  // for positions left, left + 1, ...
    };
    typedef std::vector<Contributions> Table;

    Table buildTable(int srcSize, int dstSize) const {
        Table table(dstSize);
        double scale = double(dstSize) / double(srcSize);
        double width = m_Contrib.GetWidth();
        double factor = 1.0;
        if (scale < 1.0) {
            width = width / scale;
            factor = scale;
        }
        int window = 2 * int(std::ceil(width)) + 1;
        for (int j = 0; j < dstSize; ++j) {
            double centre = (j + 0.5) / scale - 0.5;
            int left = int(std::floor(centre - width));
            int right = int(std::ceil(centre + width));
            if (left < 0)
                left = 0;
            if (right > srcSize - 1)
                right = srcSize - 1;
            if (right - left + 1 > window) {
                if (left < srcSize)
                    ++left;
                else
                    --right;
            }
            Contributions& c = table[j];
            c.left = left;
            c.weights.assign(size_t(right - left + 1 > 0 ? right - left + 1 : 0), 0);
            int sum = 0;
            for (int i = left; i <= right; ++i) {
                int w = int(factor * m_Contrib.Filter(factor * (centre - i)) * 256.0);
                c.weights[size_t(i - left)] = w;
                sum += w;
            }
            if (sum > 0) {
                int others = 0;
                for (size_t k = 0; k + 1 < c.weights.size(); ++k) {
                    c.weights[k] = c.weights[k] * 256 / sum;
                    others += c.weights[k];
                }
                c.weights.back() = 256 - others;
            } else {
                // So great a shrink that every weight truncated to 0: the nearest input pixel.
                int nearest = int(std::floor(centre + 0.5));
                if (nearest < 0)
                    nearest = 0;
                if (nearest > srcSize - 1)
                    nearest = srcSize - 1;
                c.left = nearest;
                c.weights.assign(1, 256);
            }
        }
        return table;
    }

    const PLContribDef& m_Contrib;
    PLProgressFunc m_Progress;
    bool m_bAborted = false;
};
