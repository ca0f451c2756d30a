#include "CZipShortcutList.h"

#include <cstdlib>
#include <cstring>

void StoreShortcutField(char (&field)[ShortcutInfo::FieldSize], const char* text)
{
    const size_t n = text ? std::strlen(text) : 0;
    const size_t kept = n < ShortcutInfo::FieldSize - 1 ? n : ShortcutInfo::FieldSize - 1;
    if (kept)
        std::memcpy(field, text, kept);
    field[kept] = 0;
}

CZipShortcutList::~CZipShortcutList() { DeleteAll(); }

ShortcutInfo* CZipShortcutList::Add(unsigned id, const char* fileName, unsigned location, const char* name,
                                    const char* icon, int launchFile)
{
    // The run-time allocator, as the authoring program expects of these nodes.
    auto* node = static_cast<ShortcutInfo*>(std::calloc(1, sizeof(ShortcutInfo)));
    if (!node)
        return nullptr;
    node->ID = id;
    StoreShortcutField(node->FileName, fileName);
    StoreShortcutField(node->Icon, icon);
    node->Location = location;
    StoreShortcutField(node->Name, name);
    node->LaunchFile = launchFile;
    ShortcutInfo* tail = m_head;
    while (tail && tail->next)
        tail = tail->next;
    node->previous = tail;
    if (tail)
        tail->next = node;
    else
        m_head = node;
    ++m_count;
    return node;
}

void CZipShortcutList::Update(unsigned id, const char* fileName, unsigned location, const char* name,
                              int launchFile)
{
    ShortcutInfo* node = Find(id);
    if (!node) {
        Add(id, fileName, location, name, "", launchFile);
        return;
    }
    node->Location = location;
    StoreShortcutField(node->FileName, fileName);
    StoreShortcutField(node->Name, name);
    node->LaunchFile = launchFile;
}

void CZipShortcutList::Delete(unsigned id)
{
    ShortcutInfo* node = Find(id);
    if (!node)
        return;
    if (node->previous)
        node->previous->next = node->next;
    else
        m_head = node->next;
    if (node->next)
        node->next->previous = node->previous;
    std::free(node);
    --m_count;
}

void CZipShortcutList::DeleteAll()
{
    while (m_head) {
        ShortcutInfo* next = m_head->next;
        std::free(m_head);
        m_head = next;
    }
    m_count = 0;
}

ShortcutInfo* CZipShortcutList::Find(unsigned id) const
{
    for (ShortcutInfo* node = m_head; node; node = node->next)
        if (node->ID == id)
            return node;
    return nullptr;
}

void CZipShortcutList::CopyFrom(const CZipShortcutList& other)
{
    if (&other == this)
        return;
    DeleteAll();
    for (const ShortcutInfo* node = other.m_head; node; node = node->next)
        Add(node->ID, node->FileName, node->Location, node->Name, node->Icon, node->LaunchFile);
}
