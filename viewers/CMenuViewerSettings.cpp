#include "CMenuViewerSettings.h"

#include <tuple>

namespace {

auto Fields(const CMenuViewerSettings& s)
{
    return std::tie(s.ShowMenuTitleBar, s.MenuTitle, s.MenuWidth, s.MenuHeight, s.ShowMenuText, s.MenuText,
                    s.ShowMenuBackgroundColor, s.MenuBackgroundColor, s.MenuBackgroundImage);
}

}

bool CMenuViewerSettings::operator==(const CMenuViewerSettings& other) const { return Fields(*this) == Fields(other); }

void CMenuViewerSettings::Write(CFileReadWrite& file) const
{
    file.WriteBool(ShowMenuTitleBar);
    file.WriteString(MenuTitle);
    file.WriteInt(MenuWidth);
    file.WriteInt(MenuHeight);
    file.WriteBool(ShowMenuText);
    file.WriteString(MenuText);
    file.WriteBool(ShowMenuBackgroundColor);
    file.WriteInt(static_cast<int>(MenuBackgroundColor));
    file.WriteString(MenuBackgroundImage);
}

void CMenuViewerSettings::Read(CFileReadWrite& file)
{
    ShowMenuTitleBar = file.ReadBool();
    MenuTitle = file.ReadString();
    MenuWidth = file.ReadInt();
    MenuHeight = file.ReadInt();
    ShowMenuText = file.ReadBool();
    MenuText = file.ReadString();
    ShowMenuBackgroundColor = file.ReadBool();
    MenuBackgroundColor = static_cast<unsigned long>(static_cast<unsigned int>(file.ReadInt()));
    MenuBackgroundImage = file.ReadString();
}
