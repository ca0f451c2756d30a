// The process-wide list of shared menu icon lists. A list enters it once it has loaded and
// leaves it when its last user releases it. At shut-down only the container goes.
#pragma once
#include <functional>
#include <vector>

class MenuIconIndex;

class MenuIconRegistry {
public:
    MenuIconRegistry() = default;
    ~MenuIconRegistry();
    MenuIconRegistry(const MenuIconRegistry&) = delete;
    MenuIconRegistry& operator=(const MenuIconRegistry&) = delete;

    // The component's own registry, created on first use.
    static MenuIconRegistry& Process();
    // Deletes the process registry's container (the lists in it stay as they are).
    static void ShutdownProcess();

    void Add(MenuIconIndex* list);
    void Remove(MenuIconIndex* list);
    bool Contains(const MenuIconIndex* list) const;
    int Count() const { return static_cast<int>(m_lists.size()); }
    MenuIconIndex* At(int n) const { return m_lists[n]; }
    // The first list for which the test is true, in the order the lists were added.
    MenuIconIndex* FindFirst(const std::function<bool(MenuIconIndex*)>& test) const;

private:
    std::vector<MenuIconIndex*> m_lists;
};
