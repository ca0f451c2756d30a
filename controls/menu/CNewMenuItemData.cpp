#include "CNewMenuItemData.h"

#include "MenuIconIndex.h"

CNewMenuItemData::~CNewMenuItemData() { SetIconList(nullptr); }

void CNewMenuItemData::SetIconList(MenuIconIndex* list)
{
    MenuIconIndex::AddRef(list);
    MenuIconIndex* old = iconList;
    iconList = list;
    MenuIconIndex::Release(old);
}

void CNewMenuItemData::ClearIcon()
{
    SetIconList(nullptr);
    iconIndex = -1;
}

CString CNewMenuItemData::Label() const
{
    int tab = text.Find('\t');
    return tab < 0 ? text : text.Left(tab);
}

CString CNewMenuItemData::Accelerator() const
{
    int tab = text.ReverseFind('\t');
    return tab < 0 ? CString() : text.Mid(tab + 1);
}

CString CNewMenuItemData::Dump() const { return CString("MenuItem: ") + text + "\n"; }
