// The shortcut list of a Zip target: a doubly linked list of ShortcutInfo nodes that the
// list allocates and frees, with its node count.
#pragma once
#include "CString.h"
#include "ShortcutInfo.h"
#include "ViewersExport.h"

class VIEWERS_API CZipShortcutList {
public:
    CZipShortcutList() = default;
    ~CZipShortcutList();
    CZipShortcutList(const CZipShortcutList&) = delete;
    CZipShortcutList& operator=(const CZipShortcutList&) = delete;

    // Appends a node at the tail.
    ShortcutInfo* Add(unsigned id, const char* fileName, unsigned location, const char* name, const char* icon,
                      int launchFile);
    // Overwrites location, file name, name and launch flag of the node with that id (its
    // icon stays); without one, adds it with an empty icon.
    void Update(unsigned id, const char* fileName, unsigned location, const char* name, int launchFile);
    // Unlinks and frees the node with that id; an unknown id changes nothing.
    void Delete(unsigned id);
    void DeleteAll();
    ShortcutInfo* Find(unsigned id) const;
    // Replaces this list with a node-by-node copy of other.
    void CopyFrom(const CZipShortcutList& other);

    ShortcutInfo* Head() const { return m_head; }
    int Count() const { return m_count; }
    // The count as the caller gives it; the list operations keep it themselves.
    void SetCount(int count) { m_count = count; }

private:
    ShortcutInfo* m_head = nullptr;
    int m_count = 0;
};
