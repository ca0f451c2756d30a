#include "MenuIconIndex.h"
#include "MenuIconRegistry.h"
#include "MenuItemRecords.h"
#include "MenuTimerIds.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

std::unique_ptr<CNewMenuItemData> Record(const char* text, UINT_PTR id, UINT flags = MF_OWNERDRAW)
{
    auto r = std::make_unique<CNewMenuItemData>();
    r->text = text;
    r->commandId = id;
    r->menuFlags = flags;
    return r;
}

// A native menu in memory: what other code may have changed behind the records' back.
class FakeMenu : public MenuNativeView {
public:
    struct Item {
        UINT flags;
        UINT_PTR id;
        std::string text;
        CNewMenuItemData* data;
    };
    std::vector<Item> items;
    std::vector<int> adopted;

    int ItemCount() const override { return static_cast<int>(items.size()); }
    bool ReadItem(int pos, UINT* flags, UINT_PTR* id) const override
    {
        if (pos < 0 || pos >= ItemCount())
            return false;
        *flags = items[pos].flags;
        *id = items[pos].id;
        return true;
    }
    CString ReadText(int pos) const override { return CString(items[pos].text); }
    void Rewrite(int pos, CNewMenuItemData* r) override
    {
        items[pos].flags = r->menuFlags;
        items[pos].data = r;
        if (r->menuFlags & MF_OWNERDRAW)
            items[pos].text.clear();
    }
    void AdoptSubMenu(int pos) override { adopted.push_back(pos); }
};

// Counts deletions so a list freed twice or too early shows.
class CountedList : public MenuIconIndex {
public:
    explicit CountedList(int* deleted) : m_deleted(deleted) {}
    ~CountedList() override { ++*m_deleted; }

private:
    int* m_deleted;
};

}

TEST(MenuItemRecordsTest, InsertFindAndRemove)
{
    MenuItemRecords items;
    items.Insert(-1, Record("&Open\tCtrl+O", 100));
    items.Insert(-1, Record("E&xit", 102));
    items.Insert(1, Record("&Save", 101));
    items.Insert(7, Record("", 0, MF_OWNERDRAW | MF_SEPARATOR));
    ASSERT_EQ(items.Count(), 4);
    EXPECT_EQ(items.At(1)->text, "&Save");
    EXPECT_EQ(items.At(3)->commandId, 0u);
    EXPECT_EQ(items.At(9), nullptr);
    EXPECT_EQ(items.FindText("E&xit"), 2);
    EXPECT_EQ(items.FindText("Exit"), -1);
    EXPECT_EQ(items.FindCommand(101), std::vector<int>{1});
    EXPECT_TRUE(items.FindCommand(0).empty());  // separators answer for no command
    EXPECT_EQ(items.At(0)->Label(), "&Open");
    EXPECT_EQ(items.At(0)->Accelerator(), "Ctrl+O");
    EXPECT_EQ(items.At(0)->Dump(), "MenuItem: &Open\tCtrl+O\n");
    EXPECT_TRUE(items.RemoveAt(0));
    EXPECT_FALSE(items.RemoveAt(5));
    EXPECT_EQ(items.FindText("&Save"), 0);
}

TEST(MenuItemRecordsTest, MnemonicsIgnoreCase)
{
    MenuItemRecords items;
    items.Insert(-1, Record("&File", 1));
    items.Insert(-1, Record("&edit", 2));
    items.Insert(-1, Record("Vi&ew", 3));
    EXPECT_EQ(items.FindMnemonic('f'), 0);
    EXPECT_EQ(items.FindMnemonic('E'), 1);  // first in position order
    EXPECT_EQ(items.FindMnemonic('F'), 0);
    EXPECT_EQ(items.FindMnemonic('i'), -1);  // an i without & in front is no mnemonic
}

TEST(MenuItemRecordsTest, RemoveNearPositions)
{
    using V = std::vector<int>;
    EXPECT_EQ(MenuItemRecords::RemoveNearPositions(2, 0, 5), V{2});
    EXPECT_EQ(MenuItemRecords::RemoveNearPositions(2, 1, 5), V{1});
    EXPECT_EQ(MenuItemRecords::RemoveNearPositions(2, 2, 5), V{3});
    EXPECT_EQ(MenuItemRecords::RemoveNearPositions(2, 3, 5), (V{3, 1}));
    EXPECT_EQ(MenuItemRecords::RemoveNearPositions(0, 1, 5), V{});
    EXPECT_EQ(MenuItemRecords::RemoveNearPositions(4, 3, 5), V{3});
    EXPECT_EQ(MenuItemRecords::RemoveNearPositions(2, 9, 5), V{});
}

TEST(MenuItemRecordsTest, SyncFollowsTheNativeMenu)
{
    MenuItemRecords items;
    items.Insert(-1, Record("Title", 0, MF_OWNERDRAW | MF_SEPARATOR));
    items.Insert(-1, Record("&Open", 100));
    items.Insert(-1, Record("&Gone", 105));
    CNewMenuItemData* title = items.At(0);
    CNewMenuItemData* open = items.At(1);
    title->titleFlags = 0x3;

    FakeMenu native;
    native.items = {
        {MF_OWNERDRAW | MF_SEPARATOR, 0, "", title},
        {0u, 103, "&New", nullptr},  // added behind the menu's back
        {MF_OWNERDRAW, 100, "", open},
        {MF_POPUP, 0x5000, "&Recent", nullptr},
        {MF_SEPARATOR, 0, "", nullptr},
        {MF_BITMAP, 104, "", nullptr},
    };
    items.Sync(native);

    ASSERT_EQ(items.Count(), 6);
    EXPECT_EQ(items.At(0), title);          // claimed, kept with its title flags
    EXPECT_EQ(items.At(0)->titleFlags, 0x3u);
    EXPECT_EQ(items.At(1)->text, "&New");   // created from the native text
    EXPECT_EQ(items.At(1)->commandId, 103u);
    EXPECT_EQ(items.At(2), open);
    EXPECT_EQ(items.At(3)->commandId, 0x5000u);
    EXPECT_EQ(items.At(3)->text, "&Recent");
    EXPECT_TRUE(items.At(3)->menuFlags & MF_POPUP);
    EXPECT_TRUE(items.At(4)->IsSeparator());
    EXPECT_EQ(items.At(4)->text, "");
    EXPECT_EQ(items.At(5)->commandId, 104u);
    EXPECT_EQ(items.FindText("&Gone"), -1);  // unclaimed: deleted

    // Every native item except the bitmap now carries its own record and draws it.
    for (int pos = 0; pos < 5; ++pos) {
        EXPECT_EQ(native.items[pos].data, items.At(pos)) << pos;
        EXPECT_TRUE(native.items[pos].flags & MF_OWNERDRAW) << pos;
        EXPECT_FALSE(native.items[pos].flags & MF_BYPOSITION) << pos;
    }
    EXPECT_EQ(native.items[5].data, nullptr);
    EXPECT_EQ(native.adopted, std::vector<int>{3});
    EXPECT_EQ(items.FindMnemonic('n'), 1);  // mnemonics answer from the synced records
}

TEST(MenuItemRecordsTest, DuplicateCommandIdsGetARecordEach)
{
    MenuItemRecords items;
    items.Insert(-1, Record("&Copy", 200));
    CNewMenuItemData* only = items.At(0);
    FakeMenu native;
    native.items = {
        {MF_OWNERDRAW, 200, "", only},
        {0u, 200, "Copy &again", nullptr},
        {MF_POPUP, 0x7000, "&A", nullptr},
        {MF_POPUP, 0x7000, "&B", nullptr},
    };
    items.Sync(native);
    ASSERT_EQ(items.Count(), 4);
    std::set<CNewMenuItemData*> distinct;
    for (int i = 0; i < items.Count(); ++i)
        distinct.insert(items.At(i));
    EXPECT_EQ(distinct.size(), 4u);
    EXPECT_EQ(items.At(0), only);
    EXPECT_EQ(items.At(1)->text, "Copy &again");
    EXPECT_EQ(native.items[0].data, items.At(0));
    EXPECT_EQ(native.items[1].data, items.At(1));
    // A second sync over an unchanged menu keeps every record where it is.
    std::vector<CNewMenuItemData*> before;
    for (int i = 0; i < items.Count(); ++i)
        before.push_back(items.At(i));
    items.Sync(native);
    for (int i = 0; i < items.Count(); ++i)
        EXPECT_EQ(items.At(i), before[i]) << i;
    // Destroying the records deletes each once (ASan reports any double delete).
}

TEST(MenuIconIndexTest, CommandsAndBitmapsAreLookedUpApart)
{
    MenuIconIndex list;
    list.AppendKey(MenuIconIndex::BitmapKey, 100);
    EXPECT_EQ(list.AppendKey(MenuIconIndex::CommandKey, 100), 3);
    list.AppendKey(MenuIconIndex::CommandKey, 7);
    EXPECT_EQ(list.FindBitmapImage(100), 0);
    EXPECT_EQ(list.FindCommandImage(100), 3);
    EXPECT_EQ(list.FindCommandImage(7), 6);
    EXPECT_EQ(list.FindBitmapImage(7), -1);
    list.AppendKey(MenuIconIndex::CommandKey, 7);
    EXPECT_EQ(list.FindCommandImage(7), 9);  // searched from the last entry
    list.SetCommands({10, 0, 11, 0, 12});
    EXPECT_EQ(list.KeyCount(), 3);
    EXPECT_EQ(list.FindCommandImage(11), 3);  // the separator took no image
    EXPECT_EQ(list.FindCommandImage(12), 6);
    EXPECT_EQ(list.FindBitmapImage(100), -1);
}

TEST(MenuIconIndexTest, ItemsShareAListUntilTheLastLetsGo)
{
    int deleted = 0;
    MenuIconRegistry registry;
    auto* list = new CountedList(&deleted);
    registry.Add(list);
    EXPECT_EQ(MenuIconIndex::AddRef(nullptr), 0);
    {
        // Two menus show the same icon; the first to go keeps the other's icon alive.
        MenuItemRecords first, second;
        first.Insert(-1, Record("&A", 1))->SetIconList(list);
        second.Insert(-1, Record("&B", 2))->SetIconList(list);
        EXPECT_EQ(list->RefCount(), 2);
        first.Clear();
        EXPECT_EQ(deleted, 0);
        EXPECT_EQ(list->RefCount(), 1);
        EXPECT_TRUE(registry.Contains(list));
        // Re-setting the same list takes the new reference before dropping the old.
        second.At(0)->SetIconList(list);
        EXPECT_EQ(deleted, 0);
        EXPECT_EQ(list->RefCount(), 1);
    }
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(registry.Count(), 0);
}

TEST(MenuIconIndexTest, RegistryShutDownLeavesListsUsable)
{
    int deleted = 0;
    auto registry = std::make_unique<MenuIconRegistry>();
    auto* a = new CountedList(&deleted);
    auto* b = new CountedList(&deleted);
    registry->Add(a);
    registry->Add(b);
    registry->Add(a);
    EXPECT_EQ(registry->Count(), 2);
    EXPECT_EQ(registry->FindFirst([&](MenuIconIndex* l) { return l == b; }), b);
    CNewMenuItemData item;
    item.SetIconList(a);
    registry.reset();  // the container goes first at exit ...
    EXPECT_EQ(deleted, 0);
    item.ClearIcon();  // ... and a late release still finds nothing freed
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(item.iconIndex, -1);
    delete b;
}

TEST(MenuTimerIdsTest, SkipsTimersAlreadyRunningOnTheWindow)
{
    MenuTimerIds ids;
    int windowA = 0, windowB = 0;
    std::set<UINT> platform;  // the platform accepts any id, replacing a running timer
    auto start = [&](UINT id) { platform.insert(id); return true; };
    EXPECT_EQ(ids.Start(&windowA, true, start), 31u);
    EXPECT_EQ(ids.Start(&windowA, true, start), 32u);
    EXPECT_EQ(ids.Start(&windowA, true, start), 33u);
    EXPECT_EQ(ids.Start(&windowB, true, start), 31u);  // per window
    ids.Stopped(&windowA, 32);
    EXPECT_EQ(ids.Start(&windowA, true, start), 32u);
    // Timers the window's own code runs are named by the caller.
    auto busy = [](UINT id) { return id == 34 || id == 35; };
    EXPECT_EQ(ids.Start(&windowA, true, start, busy), 36u);
    EXPECT_EQ(ids.Start(nullptr, false, start), 0u);
    // A refusing platform and a full range give 0.
    EXPECT_EQ(ids.Start(&windowB, true, [](UINT) { return false; }), 0u);
    MenuTimerIds full;
    for (UINT n = 31; n <= 99; ++n)
        ASSERT_EQ(full.Start(&windowA, true, start), n);
    EXPECT_EQ(full.Start(&windowA, true, start), 0u);
    full.Forget(&windowA);
    EXPECT_EQ(full.Start(&windowA, true, start), 31u);
}
