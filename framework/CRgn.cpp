#include "CRgn.h"

namespace {
using CRgnMap = CHandleMap<CRgn, HGDIOBJ, &CGdiObject::m_hObject>;
CRgnMap& Map() { return TheHandleMap<CRgnMap>(); }
} // namespace

CRgn* CRgn::FromHandle(HRGN h)
{
    return Map().FromHandle(h);
}
