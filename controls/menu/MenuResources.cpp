#include "MenuResources.h"

#include <commctrl.h>

namespace {

HMODULE OwnModule()
{
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&OwnModule), &self);
    return self;
}

bool ResourceBytes(HMODULE module, LPCSTR name, LPCSTR type, const void** data, DWORD* size)
{
    HRSRC info = FindResourceA(module, name, type);
    if (!info)
        return false;
    HGLOBAL handle = LoadResource(module, info);
    if (!handle)
        return false;
    *data = LockResource(handle);
    *size = SizeofResource(module, info);
    return *data != nullptr;
}

}

HMODULE MenuFindResourceModule(LPCSTR name, LPCSTR type, HMODULE preferred)
{
    HMODULE candidates[] = {preferred, OwnModule(), GetModuleHandleA(nullptr)};
    for (HMODULE m : candidates)
        if (m && FindResourceA(m, name, type))
            return m;
    return nullptr;
}

HBITMAP LoadBitmapWithColours(LPCSTR name, HMODULE module, int* colours)
{
    if (colours)
        *colours = 0;
    HMODULE m = MenuFindResourceModule(name, RT_BITMAP, module);
    if (!m)
        return nullptr;
    const void* data = nullptr;
    DWORD size = 0;
    if (ResourceBytes(m, name, RT_BITMAP, &data, &size) && colours)
        *colours = MenuBitmapColourCount(data, size);
    return static_cast<HBITMAP>(LoadImageA(m, name, IMAGE_BITMAP, 0, 0, 0));
}

HBITMAP LoadSysColourBitmap(LPCSTR name, HMODULE module)
{
    HMODULE m = MenuFindResourceModule(name, RT_BITMAP, module);
    const void* data = nullptr;
    DWORD size = 0;
    if (!m || !ResourceBytes(m, name, RT_BITMAP, &data, &size) ||
        MenuBitmapColourCount(data, size) != 16)
        return nullptr;
    return CreateMappedBitmap(m, static_cast<INT_PTR>(reinterpret_cast<UINT_PTR>(name)), 0, nullptr, 0);
}

bool MenuReadToolBar(LPCSTR name, HMODULE module, ToolBarResource* toolbar, HMODULE* found)
{
    LPCSTR type = MAKEINTRESOURCEA(MenuToolBarResourceType);
    HMODULE m = MenuFindResourceModule(name, type, module);
    if (found)
        *found = m;
    const void* data = nullptr;
    DWORD size = 0;
    if (!m || !ResourceBytes(m, name, type, &data, &size))
        return false;
    return toolbar->Parse(data, size);
}
