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
    const char* standIns[3];
};

const StandIn standIns[] = {
    {"Arial", {"Liberation Sans", "Tahoma", nullptr}},
    {"MS Sans Serif", {"Microsoft Sans Serif", "Tahoma", nullptr}},
};

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
    return "Tahoma";
}
