#include "MenuShareTable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

// Two copies of the component, each with menus of its own.
std::vector<UINT_PTR> g_closedA, g_closedB;
int OwnsA(UINT_PTR m) { return m >= 0x100 && m < 0x200; }
int OwnsB(UINT_PTR m) { return m >= 0x200 && m < 0x300; }
void ClosedA(UINT_PTR m) { g_closedA.push_back(m); }
void ClosedB(UINT_PTR m) { g_closedB.push_back(m); }
int BarRectB(UINT_PTR m, RECT* r)
{
    if (m != 0x210)
        return 0;
    *r = RECT{10, 0, 50, 20};
    return 1;
}

class MenuShareTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::memset(&table, 0, sizeof table);
        g_closedA.clear();
        g_closedB.clear();
    }
    MenuShareTable table;
};

}

TEST_F(MenuShareTest, OnlyOneCopyActs)
{
    MenuShare a(&table, OwnsA, ClosedA);
    MenuShare b(&table, OwnsB, ClosedB);
    ASSERT_TRUE(a.Joined());
    ASSERT_TRUE(b.Joined());
    EXPECT_NE(a.Id(), b.Id());
    EXPECT_FALSE(a.AnyoneActing());
    EXPECT_TRUE(a.ClaimActing());
    EXPECT_FALSE(b.ClaimActing());
    EXPECT_TRUE(a.ClaimActing());  // claiming again keeps it
    EXPECT_TRUE(b.AnyoneActing());
    EXPECT_FALSE(b.IsActing());
}

TEST_F(MenuShareTest, PopupsOfEveryCopyReachTheirOwner)
{
    MenuShare a(&table, OwnsA, ClosedA);
    MenuShare b(&table, OwnsB, ClosedB, BarRectB);
    a.ClaimActing();
    RECT r{};
    EXPECT_TRUE(a.BarItemRect(0x210, &r));
    EXPECT_EQ(r.right, 50);
    EXPECT_FALSE(a.BarItemRect(0x220, &r));
    EXPECT_FALSE(a.BarItemRect(0x110, &r));  // a has no bar-rectangle answer
    // b opens a popup; the acting copy takes it for the next menu window.
    b.SetPending(0x210);
    EXPECT_EQ(a.Pending(), 0x210u);
    EXPECT_EQ(a.TakePending(), 0x210u);
    EXPECT_EQ(b.Pending(), 0u);
    EXPECT_TRUE(a.IsComponentMenu(0x210));
    EXPECT_TRUE(a.IsComponentMenu(0x110));
    EXPECT_FALSE(a.IsComponentMenu(0x310));
    EXPECT_TRUE(a.NotifyPopupClosed(0x210));
    EXPECT_TRUE(a.NotifyPopupClosed(0x120));
    EXPECT_FALSE(a.NotifyPopupClosed(0x999));
    EXPECT_EQ(g_closedB, std::vector<UINT_PTR>{0x210});
    EXPECT_EQ(g_closedA, std::vector<UINT_PTR>{0x120});
}

TEST_F(MenuShareTest, ActingPassesOnWhenTheActingCopyLeaves)
{
    auto a = std::make_unique<MenuShare>(&table, OwnsA, ClosedA);
    MenuShare b(&table, OwnsB, ClosedB);
    EXPECT_TRUE(a->ClaimActing());
    a.reset();  // the library that acted is unloaded
    EXPECT_FALSE(b.AnyoneActing());
    EXPECT_FALSE(b.IsComponentMenu(0x110));  // its menus are no longer asked about
    EXPECT_TRUE(b.ClaimActing());
    // A copy joining later finds the slot freed by the one that left.
    MenuShare c(&table, OwnsA, ClosedA);
    EXPECT_TRUE(c.Joined());
    EXPECT_FALSE(c.ClaimActing());
}

TEST_F(MenuShareTest, FullOrForeignTablesAreNotJoined)
{
    std::vector<std::unique_ptr<MenuShare>> copies;
    for (int i = 0; i < MenuShareTable::MaxCopies; ++i) {
        copies.push_back(std::make_unique<MenuShare>(&table, OwnsA, ClosedA));
        ASSERT_TRUE(copies.back()->Joined());
    }
    MenuShare extra(&table, OwnsB, ClosedB);
    EXPECT_FALSE(extra.Joined());
    EXPECT_FALSE(extra.ClaimActing());
    EXPECT_EQ(extra.TakePending(), 0u);

    MenuShareTable foreign;
    std::memset(&foreign, 0, sizeof foreign);
    foreign.magic = 0x12345678;
    MenuShare stranger(&foreign, OwnsA, ClosedA);
    EXPECT_FALSE(stranger.Joined());
    MenuShare none(nullptr, OwnsA, ClosedA);
    EXPECT_FALSE(none.Joined());
}
