// The shell's image list of small file icons, borrowed: LoadSmall attaches it and the object
// detaches it again when it goes, since the list belongs to the shell and must never be
// destroyed. A list view showing it needs LVS_SHAREIMAGELISTS for the same reason.
#pragma once
#include "CImageList.h"

class FW_API CSystemImageList : public CImageList {
public:
    CSystemImageList() = default;
    ~CSystemImageList() override { Detach(); }

    // The small system list as the shell gives it for an existing path (a drive root, say);
    // FALSE when the shell has none for it.
    BOOL LoadSmall(LPCTSTR lpszPath);
    // Index of the small icon of a file with that name (the file need not exist), -1 when the
    // shell has none.
    static int SmallIconOf(LPCTSTR lpszFileName);
};
