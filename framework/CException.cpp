#include "CException.h"

BOOL CException::GetErrorMessage(LPTSTR buffer, UINT maxChars, UINT* helpContext) const
{
    if (helpContext)
        *helpContext = 0;
    if (buffer && maxChars)
        buffer[0] = 0;
    return FALSE;
}
