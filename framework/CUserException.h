// Thrown (as a heap pointer, like every framework exception) when an operation stops after the user was told why (a failed data-exchange check).
#pragma once
#include "CException.h"

#include <cstdio>

class FW_API CUserException : public CException {
public:
    BOOL GetErrorMessage(LPTSTR buffer, UINT maxChars, UINT* helpContext = nullptr) const override
    {
        if (helpContext)
            *helpContext = 0;
        if (!buffer || maxChars == 0)
            return FALSE;
        std::snprintf(buffer, maxChars, "%s", "The operation was stopped; the user has been told why.");
        return TRUE;
    }
};

[[noreturn]] inline void AfxThrowUserException()
{
    throw new CUserException;
}
