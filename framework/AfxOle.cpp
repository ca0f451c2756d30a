#include "AfxOle.h"

#include <ole2.h>

namespace {
bool g_oleInitialised = false;
bool g_containerEnabled = false;
} // namespace

BOOL AfxOleInit()
{
    if (g_oleInitialised)
        return TRUE;
    const HRESULT hr = ::OleInitialize(nullptr);
    if (FAILED(hr))
        return FALSE;
    g_oleInitialised = true;
    return TRUE;
}

void AfxOleTerm()
{
    if (!g_oleInitialised)
        return;
    g_oleInitialised = false;
    ::OleUninitialize();
}

void AfxEnableControlContainer()
{
    g_containerEnabled = true;
}

BOOL AfxOleControlContainerEnabled()
{
    return g_containerEnabled;
}
