// A shared image list of menu icons loaded from one toolbar: for every button its normal,
// darkened and greyed image, in that order. Reference-counted and listed process-wide
// (MenuIconIndex, MenuIconRegistry); found again through MenuIconLookup.
#pragma once
#include "MenuIconIndex.h"
#include "MenuResourceName.h"

#include <windows.h>
#include <commctrl.h>

class CNewMenuIcons : public MenuIconIndex {
public:
    CNewMenuIcons();
    ~CNewMenuIcons() override;

    // Toolbar lists with a resource name load their bitmap again at the current icon size
    // and rebuild the variants; nothing happens without a name or an icon size.
    virtual void Reload();
    // table: {bitmap id, width, height, command ids..., 0}; 1 when at least one id was read.
    virtual BOOL LoadToolBarData(const WORD* table, COLORREF mask);
    // From a toolbar resource of the module (or the module that holds it); 1 when at least
    // one command was taken.
    virtual BOOL LoadToolBar(LPCSTR name, HMODULE module);
    virtual BOOL MatchesToolBarData(const WORD* table, COLORREF mask) const;
    virtual BOOL MatchesResource(LPCSTR name, HMODULE module) const;
    // Loads the bitmap into a new list of icons width x height.
    virtual BOOL LoadBitmapList(int width, int height, LPCSTR name, HMODULE module);
    // Adds (index -1) or replaces the darkened / greyed form of the icon; the index used,
    // -1 when the icon cannot be read or the replacement fails.
    virtual int AddDarkened(HICON icon, int index);
    virtual int AddGreyed(HICON icon, int index);
    // Rebuilds the list as triples normal, darkened, greyed of its current images.
    virtual void BuildVariants();

    HIMAGELIST ImageList() const { return m_images; }
    int ImageCount() const { return m_images ? ImageList_GetImageCount(m_images) : 0; }
    // The icon size of the list; false without a list.
    bool IconSize(int* width, int* height) const;
    int ColourCount() const { return m_colours; }
    COLORREF MaskColour() const { return m_mask; }
    void SetMaskColour(COLORREF mask) { m_mask = mask; }

    // "NewMenuIcons: " and a line end.
    static const char* DumpText() { return "NewMenuIcons: \n"; }

protected:
    // Adds or replaces a form of the icon with every opaque pixel mapped.
    int AddMapped(HICON icon, int index, COLORREF (*map)(COLORREF, COLORREF), COLORREF extra);

    MenuResourceName m_name;
    HMODULE m_module = nullptr;
    int m_colours = 0;
    COLORREF m_mask = static_cast<COLORREF>(-1);
    HIMAGELIST m_images = nullptr;
};
