// The bookkeeping half of a shared menu icon list: which command or bitmap each image triple
// belongs to, and the reference count that keeps the list alive while items use it. Every
// icon is stored three times in a row (normal, darkened, greyed), so key n owns the images
// 3n, 3n + 1 and 3n + 2.
#pragma once
#include "MenuWinDefs.h"

#include <vector>

class MenuIconRegistry;

class MenuIconIndex {
public:
    // Commands and bitmap resources are looked up apart: a bitmap resource 100 never answers
    // for command 100 and the other way round.
    enum KeyKind { CommandKey, BitmapKey };
    struct Key {
        KeyKind kind;
        UINT id;
    };

    MenuIconIndex() = default;
    virtual ~MenuIconIndex();
    MenuIconIndex(const MenuIconIndex&) = delete;
    MenuIconIndex& operator=(const MenuIconIndex&) = delete;

    // The new count; 0 for a null list.
    static int AddRef(MenuIconIndex* list) { return list ? ++list->m_refs : 0; }
    // Drops one reference; at 0 the list leaves its registry and is deleted. Returns the
    // remaining count (0 for a null list).
    static int Release(MenuIconIndex* list);
    int RefCount() const { return m_refs; }

    // 3 x the position of the command among the command keys' triples, searched from the
    // last entry; -1 when absent.
    int FindCommandImage(UINT command) const;
    // The same for a bitmap resource added to a bitmap list.
    int FindBitmapImage(UINT bitmapId) const;

    int KeyCount() const { return static_cast<int>(m_keys.size()); }
    const Key& KeyAt(int n) const { return m_keys[n]; }
    // Appends a key; returns the index of its normal image (3 x its position).
    int AppendKey(KeyKind kind, UINT id);
    // Replaces every key by the commands given, skipping 0 (toolbar separators).
    void SetCommands(const std::vector<UINT>& commands);
    void ClearKeys() { m_keys.clear(); }
    void RemoveLastKey() { if (!m_keys.empty()) m_keys.pop_back(); }

    MenuIconRegistry* Registry() const { return m_registry; }

private:
    friend class MenuIconRegistry;
    int Find(KeyKind kind, UINT id) const;

    std::vector<Key> m_keys;
    int m_refs = 0;
    MenuIconRegistry* m_registry = nullptr;
};
