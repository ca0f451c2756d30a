#include "CWebViewerSettings.h"

#include <tuple>

namespace {

auto Fields(const CWebViewerSettings& s)
{
    return std::tie(s.ShowToolBar, s.ShowMenuBar, s.ShowAddressBar, s.ShowStatusBar, s.WindowSizeType, s.CustomWidth,
                    s.CustomHeight, s.WindowResize, s.WindowPositionType, s.WindowPreset, s.CustomX, s.CustomY,
                    s.UseEffects, s.EffectType, s.EffectSpeed, s.WaitToLoad, s.LaunchPDFExternally);
}

}

bool CWebViewerSettings::operator==(const CWebViewerSettings& other) const { return Fields(*this) == Fields(other); }

void CWebViewerSettings::Write(CFileReadWrite& file, const DataFileVersion& version) const
{
    file.WriteBool(ShowToolBar);
    file.WriteBool(ShowMenuBar);
    file.WriteBool(ShowAddressBar);
    file.WriteBool(ShowStatusBar);
    file.WriteInt(WindowSizeType);
    file.WriteInt(CustomWidth);
    file.WriteInt(CustomHeight);
    file.WriteBool(WindowResize);
    file.WriteInt(WindowPositionType);
    file.WriteInt(WindowPreset);
    file.WriteInt(CustomX);
    file.WriteInt(CustomY);
    file.WriteBool(UseEffects);
    file.WriteInt(EffectType);
    file.WriteInt(EffectSpeed);
    file.WriteBool(WaitToLoad);
    if (version.AtLeast(2, 9, 3))
        file.WriteBool(LaunchPDFExternally);
}

void CWebViewerSettings::Read(CFileReadWrite& file, const DataFileVersion& version)
{
    ShowToolBar = file.ReadBool();
    ShowMenuBar = file.ReadBool();
    ShowAddressBar = file.ReadBool();
    ShowStatusBar = file.ReadBool();
    WindowSizeType = file.ReadInt();
    CustomWidth = file.ReadInt();
    CustomHeight = file.ReadInt();
    WindowResize = file.ReadBool();
    WindowPositionType = file.ReadInt();
    WindowPreset = file.ReadInt();
    CustomX = file.ReadInt();
    CustomY = file.ReadInt();
    UseEffects = file.ReadBool();
    EffectType = file.ReadInt();
    EffectSpeed = file.ReadInt();
    WaitToLoad = file.ReadBool();
    if (version.AtLeast(2, 9, 3))
        LaunchPDFExternally = file.ReadBool();
}
