#include "CCorvLink.h"

namespace {
const UINT FirstApplicationMessage = 0x0400;  // WM_USER
const UINT LastApplicationMessage = 0xBFFF;   // end of the WM_APP range
}

bool CCorvLink::InternalMessage(UINT& message) const
{
    if (type != Internal)
        return false;
    CString number(target);
    number.Trim();
    if (number.IsEmpty() || number.GetLength() > 5)
        return false;
    UINT value = 0;
    for (int i = 0; i < number.GetLength(); ++i) {
        const char c = number[i];
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + static_cast<UINT>(c - '0');
    }
    if (value < FirstApplicationMessage || value > LastApplicationMessage)
        return false;
    message = value;
    return true;
}
