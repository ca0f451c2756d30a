// A shared image list of single menu icons (bitmap resources, icons, bitmaps) of one size,
// filled item by item; each added image is stored with its darkened and greyed forms.
#pragma once
#include "CNewMenuIcons.h"

#include <vector>

class CNewMenuBitmaps : public CNewMenuIcons {
public:
    // Rebuilds the darkened and greyed image of every icon in place.
    void Reload() override;

    // The normal image index of the bitmap resource, loading it when new; -1 when it is
    // missing or of another size than the list's.
    int AddBitmapResource(UINT id, COLORREF mask);
    // Adds the icon (replacing the images of a command already present); the normal image
    // index, -1 when the icon cannot be read or is of another size.
    int AddIcon(HICON icon, UINT command);
    // Adds a bitmap; the normal image index, -1 on another size.
    int AddBitmap(HBITMAP bitmap, COLORREF mask);

    int MaskCount() const { return static_cast<int>(m_masks.size()); }

private:
    // Whether an image of the size may join: the list's icon size, or any size while empty.
    bool FitsSize(int width, int height);
    // Adds the darkened and greyed forms of the image just added at index.
    void AddForms(int index);

    std::vector<COLORREF> m_masks;
};

// The size of an icon's images; false when it cannot be read.
bool MenuIconSize(HICON icon, int* width, int* height);
