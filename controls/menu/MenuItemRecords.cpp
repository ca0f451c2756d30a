#include "MenuItemRecords.h"

#include <cctype>

CNewMenuItemData* MenuItemRecords::At(int pos) const
{
    return pos >= 0 && pos < Count() ? m_items[pos].get() : nullptr;
}

CNewMenuItemData* MenuItemRecords::Insert(int pos, std::unique_ptr<CNewMenuItemData> record)
{
    CNewMenuItemData* raw = record.get();
    if (pos < 0 || pos >= Count())
        m_items.push_back(std::move(record));
    else
        m_items.insert(m_items.begin() + pos, std::move(record));
    return raw;
}

bool MenuItemRecords::RemoveAt(int pos)
{
    if (pos < 0 || pos >= Count())
        return false;
    m_items.erase(m_items.begin() + pos);
    return true;
}

int MenuItemRecords::IndexOf(const CNewMenuItemData* record) const
{
    for (int i = 0; i < Count(); ++i)
        if (m_items[i].get() == record)
            return i;
    return -1;
}

int MenuItemRecords::FindText(const char* text) const
{
    for (int i = 0; i < Count(); ++i)
        if (m_items[i]->text == text)
            return i;
    return -1;
}

std::vector<int> MenuItemRecords::FindCommand(UINT_PTR command) const
{
    std::vector<int> found;
    for (int i = 0; i < Count(); ++i)
        if (m_items[i]->commandId == command && !m_items[i]->IsSeparator())
            found.push_back(i);
    return found;
}

int MenuItemRecords::FindMnemonic(char ch) const
{
    char key[3] = {'&', static_cast<char>(std::tolower(static_cast<unsigned char>(ch))), 0};
    for (int i = 0; i < Count(); ++i) {
        CString text = m_items[i]->text;
        if (text.MakeLower().Find(key) >= 0)
            return i;
    }
    return -1;
}

std::vector<int> MenuItemRecords::RemoveNearPositions(int pos, int mode, int count)
{
    std::vector<int> order;
    auto add = [&](int p, int countNow) {
        if (p >= 0 && p < countNow)
            order.push_back(p);
    };
    switch (mode) {
    case 0: add(pos, count); break;
    case 1: add(pos - 1, count); break;
    case 2: add(pos + 1, count); break;
    case 3:
        add(pos + 1, count);
        add(pos - 1, count - static_cast<int>(order.size()));
        break;
    default: break;
    }
    return order;
}

void MenuItemRecords::Sync(MenuNativeView& native)
{
    for (auto& r : m_items)
        r->syncClaim = 0;

    // A record is claimed once only: two native items with one command id get a record
    // each, so none is held twice (and deleted twice) afterwards.
    auto claim = [this](UINT_PTR id, bool separator) -> CNewMenuItemData* {
        for (auto& r : m_items) {
            if (r->syncClaim || r->commandId != id)
                continue;
            if (separator != r->IsSeparator())
                continue;
            r->syncClaim = 1;
            return r.get();
        }
        return nullptr;
    };

    std::vector<CNewMenuItemData*> order;
    std::vector<std::unique_ptr<CNewMenuItemData>> created;
    auto create = [&created](UINT flags, UINT_PTR id, const CString& text) {
        created.push_back(std::make_unique<CNewMenuItemData>());
        CNewMenuItemData* r = created.back().get();
        r->menuFlags = flags & ~static_cast<UINT>(MF_BYPOSITION);
        r->commandId = id;
        r->text = text;
        r->syncClaim = 1;
        return r;
    };

    int count = native.ItemCount();
    for (int pos = 0; pos < count; ++pos) {
        UINT flags = 0;
        UINT_PTR id = 0;
        if (!native.ReadItem(pos, &flags, &id))
            break;
        CNewMenuItemData* r = nullptr;
        if (flags & MF_BITMAP) {
            r = claim(id, false);
            if (!r)
                r = create(flags, id, CString());
        } else if (flags & MF_POPUP) {
            r = claim(id, false);
            CString text = native.ReadText(pos);
            if (!r) {
                UINT f = (flags & ~static_cast<UINT>(MF_SEPARATOR | MF_USECHECKBITMAPS)) |
                         MF_POPUP | MF_OWNERDRAW;
                r = create(f, id, text);
                native.Rewrite(pos, r);
            } else if (!text.IsEmpty()) {
                r->text = text;
            }
            native.AdoptSubMenu(pos);
        } else if (flags & MF_SEPARATOR) {
            r = claim(0, true);
            if (!r)
                r = create(flags | MF_OWNERDRAW, 0, CString());
            native.Rewrite(pos, r);
        } else {
            r = claim(id, false);
            CString text = native.ReadText(pos);
            if (r) {
                if (!text.IsEmpty())
                    r->text = text;
            } else {
                r = create(flags | MF_OWNERDRAW, id, text);
            }
            r->menuFlags |= MF_OWNERDRAW;
            native.Rewrite(pos, r);
        }
        order.push_back(r);
    }

    // Keep the claimed and created records in position order; the rest go.
    std::vector<std::unique_ptr<CNewMenuItemData>> next;
    next.reserve(order.size());
    for (CNewMenuItemData* r : order) {
        bool moved = false;
        for (auto& own : m_items)
            if (own.get() == r) {
                next.push_back(std::move(own));
                moved = true;
                break;
            }
        if (!moved)
            for (auto& own : created)
                if (own.get() == r) {
                    next.push_back(std::move(own));
                    break;
                }
    }
    for (auto& r : next)
        r->syncClaim = 0;
    m_items = std::move(next);
}
