#include "MetafileRecorder.h"

std::vector<unsigned char> RecordEnhancedMetafile(int width, int height, MetafileDrawing draw) {
    HDC screen = GetDC(nullptr);
    // Frame in hundredths of millimetres matching the size in device pixels.
    int hmmX = GetDeviceCaps(screen, HORZSIZE) * 100, pixX = GetDeviceCaps(screen, HORZRES);
    int hmmY = GetDeviceCaps(screen, VERTSIZE) * 100, pixY = GetDeviceCaps(screen, VERTRES);
    RECT frame = {0, 0, width * hmmX / pixX, height * hmmY / pixY};
    HDC dc = CreateEnhMetaFileA(screen, nullptr, &frame, nullptr);
    ReleaseDC(nullptr, screen);
    draw(dc, width, height);
    HENHMETAFILE emf = CloseEnhMetaFile(dc);
    UINT size = GetEnhMetaFileBits(emf, 0, nullptr);
    std::vector<unsigned char> data(size);
    GetEnhMetaFileBits(emf, size, data.data());
    DeleteEnhMetaFile(emf);
    return data;
}

std::vector<unsigned char> RecordPlaceableMetafile(int width, int height, short right, short bottom, WORD inch,
                                                   MetafileDrawing draw) {
    HDC dc = CreateMetaFileA(nullptr);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetWindowExtEx(dc, width, height, nullptr);
    draw(dc, width, height);
    HMETAFILE wmf = CloseMetaFile(dc);
    UINT size = GetMetaFileBitsEx(wmf, 0, nullptr);
    std::vector<unsigned char> body(size);
    GetMetaFileBitsEx(wmf, size, body.data());
    DeleteMetaFile(wmf);

    std::vector<unsigned char> data(22);
    auto put16 = [&](size_t at, unsigned v) {
        data[at] = BYTE(v);
        data[at + 1] = BYTE(v >> 8);
    };
    put16(0, 0xCDD7);
    put16(2, 0x9AC6);
    put16(6, 0);
    put16(8, 0);
    put16(10, WORD(right));
    put16(12, WORD(bottom));
    put16(14, inch);
    WORD sum = 0;
    for (size_t i = 0; i < 20; i += 2)
        sum ^= WORD(data[i] | (data[i + 1] << 8));
    put16(20, sum);
    data.insert(data.end(), body.begin(), body.end());
    return data;
}
