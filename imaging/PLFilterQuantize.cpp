#include "PLFilterQuantize.h"
#include "PLBmp.h"
#include "PLTextException.h"
#include <algorithm>
#include <cstring>
#include <new>

namespace {
struct DefaultPalette {
    PLPixel32 entries[256];
    DefaultPalette() {
        static const BYTE first[16][3] = {{0, 0, 0},       {191, 0, 0},     {0, 191, 0},     {191, 191, 0},
                                          {0, 0, 191},     {191, 0, 191},   {0, 191, 191},   {192, 192, 192},
                                          {192, 220, 192}, {166, 202, 240}, {128, 0, 0},     {0, 128, 0},
                                          {128, 128, 0},   {0, 0, 128},     {128, 0, 128},   {0, 128, 128}};
        static const BYTE last[11][3] = {{155, 207, 207}, {255, 251, 240}, {160, 160, 164}, {128, 128, 128},
                                         {255, 0, 0},     {0, 255, 0},     {255, 255, 0},   {0, 0, 255},
                                         {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
        static const BYTE levels[6] = {0, 81, 133, 177, 217, 255};
        int n = 0;
        auto add = [&](BYTE b, BYTE g, BYTE r) { entries[n++] = PLPixel32(r, g, b, 0); };
        for (auto& e : first)
            add(e[0], e[1], e[2]);
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b) {
                    if ((r == 0 && g == 0) || (r == 5 && g == 5 && b == 5))
                        continue;
                    add(levels[b], levels[g], levels[r]);
                }
        for (int v = 196; v <= 253; v += 3)
            add(BYTE(v), BYTE(v), BYTE(v));
        for (auto& e : last)
            add(e[0], e[1], e[2]);
    }
};

const int kCorners[8][3] = {{0, 0, 0},   {31, 0, 0},  {0, 31, 0},  {0, 0, 31},
                            {31, 31, 0}, {31, 0, 31}, {0, 31, 31}, {31, 31, 31}};

const int kOrdered[4][4] = {{-7, 1, -5, 3}, {5, -3, 7, -1}, {-4, 4, -6, 2}, {8, 0, 6, -2}};

int clamp255(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }
}  // namespace

const PLPixel32* PLFilterQuantize::GetDefaultPalette() {
    static DefaultPalette palette;
    return palette.entries;
}

PLFilterQuantize::PLFilterQuantize(int paletteType, int ditherType)
    : m_PaletteType(paletteType), m_DitherType(ditherType) {
    try {
        m_Histogram.resize(32768);
        m_Boxes.resize(256);
    } catch (const std::bad_alloc&) {
        throw PLTextException(PL_ERRNO_MEMORY, "Out of memory.");
    }
}

PLFilterQuantize::~PLFilterQuantize() = default;

void PLFilterQuantize::SetUserPalette(const PLPixel32* palette) {
    std::memcpy(m_UserPalette, palette, sizeof m_UserPalette);
    m_bHasUserPalette = true;
}

void PLFilterQuantize::buildHistogram(PLBmp* source) const {
    for (int y = 0; y < source->GetHeight(); ++y) {
        const BYTE* p = source->GetLine(y);
        for (int x = 0; x < source->GetWidth(); ++x, p += 4) {
            Cell& c = m_Histogram[size_t(cellOf(p[2], p[1], p[0]))];
            if (c.count < 65535)
                ++c.count;
        }
    }
}

void PLFilterQuantize::shrinkBox(Box& box) const {
    int lo[3] = {31, 31, 31}, hi[3] = {0, 0, 0};
    unsigned long long sum[3] = {0, 0, 0}, total = 0;
    for (int r = box.lo[0]; r <= box.hi[0]; ++r)
        for (int g = box.lo[1]; g <= box.hi[1]; ++g)
            for (int b = box.lo[2]; b <= box.hi[2]; ++b) {
                unsigned n = m_Histogram[size_t(r * 1024 + g * 32 + b)].count;
                if (!n)
                    continue;
                int v[3] = {r, g, b};
                for (int k = 0; k < 3; ++k) {
                    lo[k] = std::min(lo[k], v[k]);
                    hi[k] = std::max(hi[k], v[k]);
                    sum[k] += (unsigned long long)n * v[k];
                }
                total += n;
            }
    if (!total) {
        box.count = 0;
        return;
    }
    for (int k = 0; k < 3; ++k) {
        box.lo[k] = lo[k];
        box.hi[k] = hi[k];
        box.mean[k] = int(sum[k] / total);
    }
    box.count = total > 65535 ? 65535 : unsigned(total);
    // A box of a single cell cannot be split: it counts 1.
    if (lo[0] == hi[0] && lo[1] == hi[1] && lo[2] == hi[2])
        box.count = 1;
}

void PLFilterQuantize::medianCut(PLPixel32* palette) const {
    std::vector<Box>& boxes = m_Boxes;
    for (int i = 0; i < 8; ++i) {
        Box& b = boxes[i];
        for (int k = 0; k < 3; ++k)
            b.lo[k] = b.hi[k] = b.mean[k] = kCorners[i][k];
        b.count = 1;
    }
    Box& all = boxes[8];
    for (int k = 0; k < 3; ++k) {
        all.lo[k] = 0;
        all.hi[k] = 31;
    }
    shrinkBox(all);
    int n = 9;
    while (n < 256) {
        int best = 8;
        for (int i = 9; i < n; ++i)
            if (boxes[i].count > boxes[best].count)
                best = i;
        if (boxes[best].count < 2) {
            for (int i = n; i < 256; ++i)
                boxes[i] = Box();
            break;
        }
        Box& old = boxes[best];
        Box& add = boxes[n++];
        int range[3];
        for (int k = 0; k < 3; ++k)
            range[k] = old.hi[k] - old.lo[k];
        int axis = (range[0] >= range[1] && range[0] >= range[2]) ? 0 : (range[1] >= range[2] ? 1 : 2);
        add = old;
        int lo = old.lo[axis], hi = old.hi[axis], m = old.mean[axis];
        if (hi - lo + 1 == 3) {
            add.lo[axis] = add.hi[axis] = lo;
            old.lo[axis] = lo + 1;
        } else {
            int cut = m == hi ? m - 1 : m;
            old.hi[axis] = cut;
            add.lo[axis] = cut + 1;
            add.hi[axis] = hi;
        }
        shrinkBox(old);
        shrinkBox(add);
    }
    for (int i = 0; i < 256; ++i)
        palette[i] = PLPixel32(BYTE((boxes[i].lo[0] + boxes[i].hi[0]) * 255 / 62),
                               BYTE((boxes[i].lo[1] + boxes[i].hi[1]) * 255 / 62),
                               BYTE((boxes[i].lo[2] + boxes[i].hi[2]) * 255 / 62), 255);
}

void PLFilterQuantize::popularity(PLPixel32* palette) const {
    for (int i = 0; i < 8; ++i)
        palette[i] = PLPixel32(BYTE(kCorners[i][0] ? 255 : 0), BYTE(kCorners[i][1] ? 255 : 0),
                               BYTE(kCorners[i][2] ? 255 : 0), 255);
    // The 248 fullest cells in descending order of count (earlier cells first on ties).
    std::vector<int> order;
    for (int c = 0; c < 32768; ++c)
        if (m_Histogram[size_t(c)].count)
            order.push_back(c);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return m_Histogram[size_t(a)].count > m_Histogram[size_t(b)].count; });
    for (int i = 8; i < 256; ++i) {
        if (size_t(i - 8) < order.size()) {
            int c = order[size_t(i - 8)];
            palette[i] = PLPixel32(BYTE((c >> 10) * 255 / 31), BYTE(((c >> 5) & 31) * 255 / 31),
                                   BYTE((c & 31) * 255 / 31), 255);
        } else {
            palette[i] = PLPixel32(0, 0, 0, 255);
        }
    }
}

int PLFilterQuantize::mapColour(const PLPixel32* palette, int r, int g, int b) const {
    Cell& cell = m_Histogram[size_t(cellOf(r, g, b))];
    if (cell.index >= 0)
        return cell.index;
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < 256; ++i) {
        long db = long(palette[i].b) - b, dg = long(palette[i].g) - g, dr = long(palette[i].r) - r;
        long d = db * db + dg * dg + dr * dr;
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    cell.index = best;
    return best;
}

void PLFilterQuantize::ApplyTo(PLBmp* source, PLBmp* destination) const {
    for (Cell& c : m_Histogram)
        c = Cell();
    int w = source->GetWidth(), h = source->GetHeight();
    PLPixel32 palette[256];
    if (m_PaletteType == PLDTHPAL_MEDIAN || m_PaletteType == PLDTHPAL_POPULARITY) {
        buildHistogram(source);
        if (m_PaletteType == PLDTHPAL_MEDIAN)
            medianCut(palette);
        else
            popularity(palette);
    } else if (m_PaletteType == PLDTHPAL_USERDEFINED && m_bHasUserPalette) {
        std::memcpy(palette, m_UserPalette, sizeof palette);
    } else {
        std::memcpy(palette, GetDefaultPalette(), sizeof palette);
    }
    // The source may be the destination's old storage: map into a separate block first.
    std::vector<BYTE> indices(size_t(w) * size_t(h));
    std::vector<int> err(size_t(w + 2) * 3 * 2, 0);
    for (int y = 0; y < h; ++y) {
        const BYTE* s = source->GetLine(y);
        BYTE* d = indices.data() + size_t(y) * size_t(w);
        if (m_DitherType == PLDTH_FS) {
            int* cur = err.data() + size_t(y & 1) * size_t(w + 2) * 3;
            int* next = err.data() + size_t((y + 1) & 1) * size_t(w + 2) * 3;
            std::fill(next, next + size_t(w + 2) * 3, 0);
            bool forward = (y & 1) == 0;
            int dir = forward ? 1 : -1;
            for (int i = 0; i < w; ++i) {
                int x = forward ? i : w - 1 - i;
                int v[3];
                for (int k = 0; k < 3; ++k)  // red, green, blue
                    v[k] = clamp255(s[x * 4 + 2 - k] + cur[size_t(x + 1) * 3 + k] / 16);
                int index = mapColour(palette, v[0], v[1], v[2]);
                d[x] = BYTE(index);
                const PLPixel32& p = palette[index];
                int e[3] = {v[0] - p.r, v[1] - p.g, v[2] - p.b};
                for (int k = 0; k < 3; ++k) {
                    cur[size_t(x + 1 + dir) * 3 + k] += e[k] * 7;
                    next[size_t(x + 1 - dir) * 3 + k] += e[k] * 3;
                    next[size_t(x + 1) * 3 + k] += e[k] * 5;
                    next[size_t(x + 1 + dir) * 3 + k] += e[k] * 1;
                }
            }
        } else {
            for (int x = 0; x < w; ++x) {
                int r = s[x * 4 + 2], g = s[x * 4 + 1], b = s[x * 4];
                if (m_DitherType == PLDTH_ORDERED) {
                    int m = 2 * kOrdered[(w - x) % 4][y % 4];
                    r = clamp255(r + m);
                    g = clamp255(g + m);
                    b = clamp255(b + m);
                }
                d[x] = BYTE(mapColour(palette, r, g, b));
            }
        }
    }
    destination->Create(w, h, 8, false, false, source->GetResolution());
    destination->SetPalette(palette);
    for (int y = 0; y < h; ++y)
        std::memcpy(destination->GetLine(y), indices.data() + size_t(y) * size_t(w), size_t(w));
}
