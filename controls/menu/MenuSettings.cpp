#include "MenuSettings.h"

namespace {
BOOL g_selectDisabled = TRUE;
BOOL g_iconShading = TRUE;
BOOL g_borderForAll = TRUE;
DWORD g_hookFlags = 0;

template <class T>
T Swap(T& slot, T value)
{
    T old = slot;
    slot = value;
    return old;
}
}

BOOL SetSelectDisabled(BOOL on) { return Swap(g_selectDisabled, on); }
BOOL GetSelectDisabled() { return g_selectDisabled; }
BOOL SetMenuIconShading(BOOL on) { return Swap(g_iconShading, on); }
BOOL GetMenuIconShading() { return g_iconShading; }
BOOL SetBorderForAllMenus(BOOL on) { return Swap(g_borderForAll, on); }
BOOL GetBorderForAllMenus() { return g_borderForAll; }
DWORD SetMenuHookFlags(DWORD flags) { return Swap(g_hookFlags, flags); }
DWORD GetMenuHookFlags() { return g_hookFlags; }
