#include "CForegroundLockTimeout.h"

bool CForegroundLockTimeout::Get(DWORD& milliseconds)
{
    return SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &milliseconds, 0) != FALSE;
}

bool CForegroundLockTimeout::Set(DWORD milliseconds)
{
    // Broadcast the change, but leave the profile alone (no SPIF_UPDATEINIFILE).
    return SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<PVOID>(UINT_PTR(milliseconds)),
                                 SPIF_SENDCHANGE) != FALSE;
}

bool CForegroundLockTimeout::SaveAndClear()
{
    if (m_saved)
        return true;
    DWORD value = 0;
    if (!Get(value))
        return false;
    m_value = value;
    m_saved = true;
    Set(0);
    return true;
}

void CForegroundLockTimeout::Restore()
{
    if (!m_saved)
        return;
    Set(m_value);
    m_saved = false;
}
