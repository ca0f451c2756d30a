#include "MenuIconIndex.h"

#include "MenuIconRegistry.h"

MenuIconIndex::~MenuIconIndex()
{
    if (m_registry)
        m_registry->Remove(this);
}

int MenuIconIndex::Release(MenuIconIndex* list)
{
    if (!list)
        return 0;
    int left = --list->m_refs;
    if (left <= 0) {
        delete list;
        return 0;
    }
    return left;
}

int MenuIconIndex::Find(KeyKind kind, UINT id) const
{
    for (int n = static_cast<int>(m_keys.size()) - 1; n >= 0; --n)
        if (m_keys[n].kind == kind && m_keys[n].id == id)
            return 3 * n;
    return -1;
}

int MenuIconIndex::FindCommandImage(UINT command) const { return Find(CommandKey, command); }

int MenuIconIndex::FindBitmapImage(UINT bitmapId) const { return Find(BitmapKey, bitmapId); }

int MenuIconIndex::AppendKey(KeyKind kind, UINT id)
{
    m_keys.push_back({kind, id});
    return 3 * (static_cast<int>(m_keys.size()) - 1);
}

void MenuIconIndex::SetCommands(const std::vector<UINT>& commands)
{
    m_keys.clear();
    for (UINT id : commands)
        if (id != 0)
            m_keys.push_back({CommandKey, id});
}
