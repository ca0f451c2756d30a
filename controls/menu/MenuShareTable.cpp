#include "MenuShareTable.h"

MenuShare::MenuShare(MenuShareTable* table, MenuShareOwnsProc owns, MenuSharePopupClosedProc closed,
                     MenuShareBarRectProc barRect)
    : m_table(table)
{
    if (!m_table)
        return;
    if (m_table->magic == 0) {
        m_table->magic = MenuShareTable::Magic;
        m_table->size = sizeof(MenuShareTable);
    }
    if (m_table->magic != MenuShareTable::Magic || m_table->size != sizeof(MenuShareTable)) {
        m_table = nullptr;
        return;
    }
    for (auto& c : m_table->copies) {
        if (c.id == 0) {
            m_id = ++m_table->lastId;
            c.id = m_id;
            c.owns = owns;
            c.popupClosed = closed;
            c.barRect = barRect;
            return;
        }
    }
    m_table = nullptr;
}

MenuShare::~MenuShare()
{
    if (!m_table)
        return;
    StopActing();
    for (auto& c : m_table->copies)
        if (c.id == m_id)
            c = MenuShareTable::Copy{0, nullptr, nullptr, nullptr};
}

bool MenuShare::ClaimActing()
{
    if (!m_table)
        return false;
    if (m_table->acting == 0)
        m_table->acting = m_id;
    return m_table->acting == m_id;
}

void MenuShare::StopActing()
{
    if (m_table && m_table->acting == m_id)
        m_table->acting = 0;
}

bool MenuShare::IsActing() const { return m_table && m_table->acting == m_id; }

bool MenuShare::AnyoneActing() const { return m_table && m_table->acting != 0; }

void MenuShare::SetPending(UINT_PTR menu)
{
    if (m_table)
        m_table->pendingMenu = menu;
}

UINT_PTR MenuShare::TakePending()
{
    if (!m_table)
        return 0;
    UINT_PTR menu = m_table->pendingMenu;
    m_table->pendingMenu = 0;
    return menu;
}

UINT_PTR MenuShare::Pending() const { return m_table ? m_table->pendingMenu : 0; }

const MenuShareTable::Copy* MenuShare::OwnerOf(UINT_PTR menu) const
{
    if (!m_table || !menu)
        return nullptr;
    for (const auto& c : m_table->copies)
        if (c.id != 0 && c.owns && c.owns(menu))
            return &c;
    return nullptr;
}

bool MenuShare::IsComponentMenu(UINT_PTR menu) const { return OwnerOf(menu) != nullptr; }

bool MenuShare::NotifyPopupClosed(UINT_PTR menu) const
{
    const MenuShareTable::Copy* c = OwnerOf(menu);
    if (!c)
        return false;
    if (c->popupClosed)
        c->popupClosed(menu);
    return true;
}

bool MenuShare::BarItemRect(UINT_PTR menu, RECT* rect) const
{
    const MenuShareTable::Copy* c = OwnerOf(menu);
    return c && c->barRect && c->barRect(menu, rect);
}
