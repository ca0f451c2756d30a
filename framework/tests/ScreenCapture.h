// Screenshots for the Windows tests: the whole screen as the X server shows it (or one X
// window, given as xwd's "-id" option), taken with xwd and made a 24-bit BMP by ImageMagick
// (both run as the Unix programs they are), then read back. Needs VELMORA_TEST_BINARY_DIR
// (a host path) for its scratch files.
#pragma once
#include <windows.h>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct Screenshot {
    int width = 0, height = 0;
    std::vector<BYTE> bits;  // bottom-up BGR lines, padded to 4 bytes
    int Stride() const { return (width * 3 + 3) & ~3; }
    COLORREF Pixel(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return CLR_INVALID;
        const BYTE* p = &bits[size_t(height - 1 - y) * size_t(Stride()) + size_t(x) * 3];
        return RGB(p[2], p[1], p[0]);
    }
};

inline bool RunUnix(const std::string& command)
{
    std::string line = command;
    STARTUPINFOA si = {sizeof si};
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    // Wine starts a Unix program without a process handle and leaves the thread handle
    // unset: closing that value would close some other handle of this process (once it was
    // the thread's desktop, and every window search failed from then on).
    if (pi.hProcess) {
        ::WaitForSingleObject(pi.hProcess, 30000);
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
    }
    return true;
}

// A Unix program started from Wine may not be waited for: its output is done when the
// file has stopped growing.
inline bool WaitForFile(const std::string& path)
{
    LONGLONG last = -1;
    for (int i = 0; i < 100; ++i) {
        WIN32_FILE_ATTRIBUTE_DATA data;
        LONGLONG size = -1;
        if (::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
            size = (LONGLONG(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        if (size > 0 && size == last)
            return true;
        last = size;
        ::Sleep(200);
    }
    return false;
}

inline std::string UnixPath(const std::string& windowsPath)
{
    std::string s = windowsPath.substr(2);  // after "Z:"
    for (char& c : s)
        if (c == '\\')
            c = '/';
    return s;
}

// The X display of the test run, as the Wine fixture noted it ("" when not noted).
inline std::string TestDisplay()
{
    std::string display;
    if (FILE* in = std::fopen((std::string(VELMORA_TEST_BINARY_DIR) + "\\..\\wine.display").c_str(), "r")) {
        char text[64] = {};
        if (std::fgets(text, sizeof text, in))
            display = text;
        std::fclose(in);
    }
    while (!display.empty() && (display.back() == '\n' || display.back() == '\r'))
        display.pop_back();
    return display;
}

inline Screenshot TakeScreenshot(const std::string& name, const std::string& window = "-root")
{
    Screenshot shot;
    const std::string xwd = UnixPath(std::string(VELMORA_TEST_BINARY_DIR) + "\\" + name + ".xwd");
    const std::string bmpWin = std::string(VELMORA_TEST_BINARY_DIR) + "\\" + name + ".bmp";
    ::DeleteFileA(bmpWin.c_str());
    const std::string display = TestDisplay();
    const std::string xwdWin = std::string(VELMORA_TEST_BINARY_DIR) + "\\" + name + ".xwd";
    ::DeleteFileA(xwdWin.c_str());
    if (!RunUnix("Z:\\usr\\bin\\xwd " + window + " -silent" + (display.empty() ? "" : " -display " + display) + " -out " + xwd) ||
        !WaitForFile(xwdWin) ||
        !RunUnix("Z:\\usr\\bin\\convert " + xwd + " -alpha off -type TrueColor BMP3:" + UnixPath(bmpWin)) || !WaitForFile(bmpWin))
        return shot;
    const std::vector<BYTE> file = [&] {
        std::vector<BYTE> bytes;
        if (FILE* in = std::fopen(bmpWin.c_str(), "rb")) {
            int c;
            while ((c = std::fgetc(in)) != EOF)
                bytes.push_back((BYTE)c);
            std::fclose(in);
        }
        return bytes;
    }();
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M')
        return shot;
    auto le32 = [&](size_t at) { return int32_t(file[at] | file[at + 1] << 8 | file[at + 2] << 16 | file[at + 3] << 24); };
    const int offset = le32(10), width = le32(18), height = le32(22), bpp = file[28];
    if (bpp != 24 || width <= 0 || height == 0)
        return shot;
    shot.width = width;
    shot.height = height < 0 ? -height : height;
    const size_t size = size_t(shot.Stride()) * size_t(shot.height);
    if (file.size() < size_t(offset) + size)
        return Screenshot();
    shot.bits.assign(file.begin() + offset, file.begin() + offset + (long)size);
    if (height < 0) {  // top-down: turn it over
        std::vector<BYTE> flipped(size);
        for (int y = 0; y < shot.height; ++y)
            std::copy_n(&shot.bits[size_t(y) * size_t(shot.Stride())], shot.Stride(),
                        &flipped[size_t(shot.height - 1 - y) * size_t(shot.Stride())]);
        shot.bits.swap(flipped);
    }
    return shot;
}
