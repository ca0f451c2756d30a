#include "MenuTimerIds.h"

UINT MenuTimerIds::Start(const void* window, bool windowExists,
                         const std::function<bool(UINT)>& start,
                         const std::function<bool(UINT)>& busy)
{
    if (!windowExists) {
        // A window handle that went away may come back for another window.
        m_running.erase(window);
        return 0;
    }
    for (UINT id = First; id <= Last; ++id) {
        if (IsRunning(window, id) || (busy && busy(id)))
            continue;
        if (start(id)) {
            m_running[window].insert(id);
            return id;
        }
    }
    return 0;
}

void MenuTimerIds::Stopped(const void* window, UINT id)
{
    auto it = m_running.find(window);
    if (it == m_running.end())
        return;
    it->second.erase(id);
    if (it->second.empty())
        m_running.erase(it);
}

bool MenuTimerIds::IsRunning(const void* window, UINT id) const
{
    auto it = m_running.find(window);
    return it != m_running.end() && it->second.count(id) != 0;
}

MenuTimerIds& MenuTimerIds::Process()
{
    static MenuTimerIds ids;
    return ids;
}
