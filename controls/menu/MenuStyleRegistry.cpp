#include "MenuStyleRegistry.h"

#include "MenuItemPainters.h"
#include "MenuSettings.h"
#include "MenuStyleInfo.h"

#include <vector>

namespace {

std::vector<MenuStyle*>* g_styles = nullptr;
MenuStyle* g_current = nullptr;

MenuStyle* Make(int id)
{
    MenuStyleInfo info;
    MenuGetStyleInfo(id, &info);
    MenuItemMeasurerProc measurer = info.measurer == MenuMeasureFlat ? MenuMeasureFlatItem
                                    : info.measurer == MenuMeasureTall ? MenuMeasureTallItem
                                                                       : MenuMeasureStandardItem;
    MenuItemPainterProc painter = info.painter == MenuPaintFlat ? MenuPaintFlatItem
                                  : info.painter == MenuPaintGradient ? MenuPaintGradientItem
                                  : info.painter == MenuPaintHighlightBar ? MenuPaintHighlightBarItem
                                                                          : MenuPaintClassicItem;
    if (info.windowPainter == MenuWindowFlat)
        return new MenuFlatStyle(id, info.ownBorder, measurer, painter, MenuPaintTitle);
    return new MenuStyle(id, info.ownBorder, measurer, painter, MenuPaintTitle);
}

}

void MenuStyleRegistry::Create()
{
    if (g_styles)
        return;
    g_styles = new std::vector<MenuStyle*>;
    for (int id : MenuStyleRegistrationOrder)
        if (!Find(id))
            g_styles->push_back(Make(id));
    g_current = Find(MenuDefaultStyle);
}

void MenuStyleRegistry::Destroy()
{
    if (!g_styles)
        return;
    for (MenuStyle* s : *g_styles)
        delete s;
    delete g_styles;
    g_styles = nullptr;
    g_current = nullptr;
}

MenuStyle* MenuStyleRegistry::Current()
{
    if (!g_styles)
        Create();
    return g_current;
}

MenuStyle* MenuStyleRegistry::Find(int id)
{
    if (!g_styles)
        return nullptr;
    for (MenuStyle* s : *g_styles)
        if (s->Id() == id)
            return s;
    return nullptr;
}

int SetMenuDrawStyle(int style)
{
    MenuStyle* old = MenuStyleRegistry::Current();
    MenuStyle* next = MenuStyleRegistry::Find(style);
    if (!next)
        return -1;
    g_current = next;
    return old ? old->Id() : -1;
}

int GetMenuDrawStyle()
{
    MenuStyle* s = MenuStyleRegistry::Current();
    return s ? s->Id() : -1;
}

MenuModeScope::MenuModeScope(DWORD hookFlags)
    : m_hookFlags(SetMenuHookFlags(hookFlags)), m_style(GetMenuDrawStyle())
{
    if (hookFlags & MenuHookSystemBorder)
        SetMenuDrawStyle(m_style | 1);
}

MenuModeScope::MenuModeScope(int style, bool)
    : m_hookFlags(GetMenuHookFlags()), m_style(GetMenuDrawStyle())
{
    SetMenuDrawStyle(style);
}

MenuModeScope::~MenuModeScope()
{
    SetMenuHookFlags(m_hookFlags);
    SetMenuDrawStyle(m_style);
}
