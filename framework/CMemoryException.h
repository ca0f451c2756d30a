// Thrown (as a heap pointer, like every framework exception) when memory or a system object cannot be had.
#pragma once
#include "CException.h"

#include <cstdio>

class FW_API CMemoryException : public CException {
public:
    BOOL GetErrorMessage(LPTSTR buffer, UINT maxChars, UINT* helpContext = nullptr) const override
    {
        if (helpContext)
            *helpContext = 0;
        if (!buffer || maxChars == 0)
            return FALSE;
        std::snprintf(buffer, maxChars, "%s", "Out of memory.");
        return TRUE;
    }
};

[[noreturn]] inline void AfxThrowMemoryException()
{
    throw new CMemoryException;
}
