#include "MenuIconRegistry.h"

#include "MenuIconIndex.h"

#include <algorithm>

namespace {
MenuIconRegistry* g_process = nullptr;
}

MenuIconRegistry::~MenuIconRegistry()
{
    // Lists still registered outlive the container; they only forget it.
    for (MenuIconIndex* list : m_lists)
        list->m_registry = nullptr;
}

MenuIconRegistry& MenuIconRegistry::Process()
{
    if (!g_process) {
        g_process = new MenuIconRegistry;
    }
    return *g_process;
}

void MenuIconRegistry::ShutdownProcess()
{
    delete g_process;
    g_process = nullptr;
}

void MenuIconRegistry::Add(MenuIconIndex* list)
{
    if (!list || Contains(list))
        return;
    if (list->m_registry)
        list->m_registry->Remove(list);
    if (m_lists.capacity() == m_lists.size())
        m_lists.reserve(m_lists.size() + 10);
    m_lists.push_back(list);
    list->m_registry = this;
}

void MenuIconRegistry::Remove(MenuIconIndex* list)
{
    auto it = std::find(m_lists.begin(), m_lists.end(), list);
    if (it != m_lists.end()) {
        m_lists.erase(it);
        list->m_registry = nullptr;
    }
}

bool MenuIconRegistry::Contains(const MenuIconIndex* list) const
{
    return std::find(m_lists.begin(), m_lists.end(), list) != m_lists.end();
}

MenuIconIndex* MenuIconRegistry::FindFirst(const std::function<bool(MenuIconIndex*)>& test) const
{
    for (MenuIconIndex* list : m_lists)
        if (test(list))
            return list;
    return nullptr;
}
