#include "CFontFallback.h"

#include <cstring>

namespace {

int CALLBACK FoundFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

struct StandIn {
    const char* face;
    const char* standIns[4];
};

// Liberation Sans has Arial's metrics; Tahoma is Wine's own dialog font.
const StandIn standIns[] = {
    {"Arial", {"Liberation Sans", "Tahoma", "DejaVu Sans", nullptr}},
    {"MS Sans Serif", {"Microsoft Sans Serif", "Tahoma", "Liberation Sans", "DejaVu Sans"}},
};

// The face the system's dialog font is really drawn with.
CString GuiFace()
{
    char face[LF_FACESIZE] = {};
    HDC dc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    ::GetTextFaceA(dc, LF_FACESIZE, face);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    return face;
}

}  // namespace

bool CFontFallback::Exists(const char* face)
{
    LOGFONTA lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    HDC dc = ::GetDC(nullptr);
    ::EnumFontFamiliesExA(dc, &lf, FoundFace, reinterpret_cast<LPARAM>(&found), 0);
    ::ReleaseDC(nullptr, dc);
    return found;
}

CString CFontFallback::Face(const char* face)
{
    if (Exists(face))
        return face;
    for (const StandIn& s : standIns) {
        if (std::strcmp(s.face, face) != 0)
            continue;
        for (const char* other : s.standIns)
            if (other && Exists(other))
                return other;
    }
    return GuiFace();
}
