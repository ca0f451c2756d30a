// Thrown (as a heap pointer, like every framework exception) when a resource or a window class cannot be had.
#pragma once
#include "CException.h"

#include <cstdio>

class FW_API CResourceException : public CException {
public:
    BOOL GetErrorMessage(LPTSTR buffer, UINT maxChars, UINT* helpContext = nullptr) const override
    {
        if (helpContext)
            *helpContext = 0;
        if (!buffer || maxChars == 0)
            return FALSE;
        std::snprintf(buffer, maxChars, "%s", "A required resource was unavailable.");
        return TRUE;
    }
};

[[noreturn]] inline void AfxThrowResourceException()
{
    throw new CResourceException;
}
