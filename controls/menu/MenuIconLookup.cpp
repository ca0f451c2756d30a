#include "MenuIconLookup.h"

#include "MenuIconRegistry.h"

#include <functional>

namespace {

MenuIconRegistry& Lists() { return MenuIconRegistry::Process(); }

template <class T>
T* First(const std::function<bool(T*)>& test)
{
    MenuIconIndex* found = Lists().FindFirst([&](MenuIconIndex* l) {
        T* t = dynamic_cast<T*>(l);
        return t && test(t);
    });
    return static_cast<T*>(found);
}

// Tries each bitmap list in turn, then a new one.
CNewMenuBitmaps* InBitmapList(const std::function<int(CNewMenuBitmaps*)>& add, int* index)
{
    int got = -1;
    CNewMenuBitmaps* list = First<CNewMenuBitmaps>([&](CNewMenuBitmaps* l) {
        // Only lists that are not toolbar lists hold single bitmaps.
        got = add(l);
        return got >= 0;
    });
    if (!list) {
        list = new CNewMenuBitmaps;
        got = add(list);
        if (got < 0) {
            delete list;
            list = nullptr;
        } else {
            Lists().Add(list);
        }
    }
    if (index)
        *index = list ? got : -1;
    return list;
}

}

CNewMenuIcons* MenuFindToolBarIcons(LPCSTR name, HMODULE module, COLORREF mask)
{
    CNewMenuIcons* list = First<CNewMenuIcons>([&](CNewMenuIcons* l) {
        return !dynamic_cast<CNewMenuBitmaps*>(l) && l->MatchesResource(name, module);
    });
    if (list)
        return list;
    list = new CNewMenuIcons;
    list->SetMaskColour(mask);
    if (!list->LoadToolBar(name, module)) {
        delete list;
        return nullptr;
    }
    Lists().Add(list);
    return list;
}

CNewMenuIcons* MenuFindToolBarDataIcons(const WORD* table, COLORREF mask)
{
    CNewMenuIcons* list = First<CNewMenuIcons>([&](CNewMenuIcons* l) {
        return !dynamic_cast<CNewMenuBitmaps*>(l) && l->MatchesToolBarData(table, mask);
    });
    if (list)
        return list;
    list = new CNewMenuIcons;
    if (!list->LoadToolBarData(table, mask)) {
        delete list;
        return nullptr;
    }
    Lists().Add(list);
    return list;
}

CNewMenuBitmaps* MenuFindBitmapResourceIcon(UINT id, COLORREF mask, bool iconMode, int* index)
{
    return InBitmapList([&](CNewMenuBitmaps* l) {
        if (l->ImageCount() == 0)
            l->SetMaskColour(mask);
        return iconMode ? l->AddIcon(reinterpret_cast<HICON>(static_cast<UINT_PTR>(id)), id)
                        : l->AddBitmapResource(id, mask);
    }, index);
}

CNewMenuBitmaps* MenuFindImageListIcon(HIMAGELIST images, int image, UINT command, int* index)
{
    HICON icon = ImageList_GetIcon(images, image, ILD_NORMAL);
    if (!icon) {
        if (index)
            *index = -1;
        return nullptr;
    }
    CNewMenuBitmaps* list = InBitmapList([&](CNewMenuBitmaps* l) { return l->AddIcon(icon, command); }, index);
    DestroyIcon(icon);
    return list;
}

CNewMenuBitmaps* MenuFindBitmapIcon(HBITMAP bitmap, COLORREF mask, int* index)
{
    return InBitmapList([&](CNewMenuBitmaps* l) { return l->AddBitmap(bitmap, mask); }, index);
}
