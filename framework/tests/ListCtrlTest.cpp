// The list view wrapper over a real list view: items in order, whole texts, widths,
// selection with its LVN_ITEMCHANGED notification through the parent's message map, and the
// shell's small icons borrowed, never destroyed.
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

enum { ListId = 60 };

class CListParent : public CWnd {
public:
    struct Change {
        int item;
        UINT oldState, newState;
    };
    std::vector<Change> changes;

protected:
    afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
    {
        const NMLISTVIEW* nm = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
        if (nm->uChanged & LVIF_STATE)
            changes.push_back({ nm->iItem, nm->uOldState, nm->uNewState });
        *pResult = 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CListParent, CWnd)
    ON_NOTIFY(LVN_ITEMCHANGED, ListId, &CListParent::OnItemChanged)
END_MESSAGE_MAP()

class ListCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "lists", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300,
                                    nullptr, nullptr));
    }
    std::vector<std::string> Texts(const CListCtrl& list)
    {
        std::vector<std::string> texts;
        for (int i = 0; i < list.GetItemCount(); ++i)
            texts.push_back(list.GetItemText(i, 0).c_str());
        return texts;
    }
    CListParent parent;
};

TEST_F(ListCtrlTest, ReportViewWithOneColumnHoldsItemsInOrderAndTellsTheParentOfSelections)
{
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL |
                                LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
                            CRect(0, 0, 200, 100), &parent, ListId));
    EXPECT_EQ(list.InsertColumn(0, ""), 0);
    EXPECT_TRUE(list.SetColumnWidth(0, 100));
    EXPECT_EQ(list.GetColumnWidth(0), 100);

    EXPECT_EQ(list.InsertItem(0, "b.bmp"), 0);
    EXPECT_EQ(list.InsertItem(list.GetItemCount(), "d.bmp"), 1);
    EXPECT_EQ(list.InsertItem(0, "a.bmp"), 0);
    EXPECT_EQ(list.InsertItem(2, "c.bmp"), 2);
    EXPECT_EQ(list.InsertItem(99, "e.bmp"), 4);  // past the end: appended
    EXPECT_EQ(Texts(list), (std::vector<std::string>{ "a.bmp", "b.bmp", "c.bmp", "d.bmp", "e.bmp" }));

    // Texts longer than any first guess of a buffer come back whole.
    const std::string longName(70000, 'x');
    ASSERT_EQ(list.InsertItem(5, (longName + "\\end.bmp").c_str()), 5);
    EXPECT_EQ(list.GetItemText(5, 0).GetLength(), (int)longName.size() + 8);
    EXPECT_EQ(list.GetItemText(5, 0).Right(8), "\\end.bmp");
    EXPECT_TRUE(list.SetItemText(5, 0, "f.bmp"));
    EXPECT_EQ(list.GetItemText(5, 0), "f.bmp");
    EXPECT_EQ(list.GetItemText(42, 0), "");

    EXPECT_GT(list.GetStringWidth("WWWWWWWW"), list.GetStringWidth("iiii"));
    EXPECT_EQ(list.GetStringWidth(""), 0);

    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), -1);
    parent.changes.clear();
    EXPECT_TRUE(list.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 2);
    EXPECT_EQ(list.GetSelectedCount(), 1u);
    EXPECT_EQ(list.GetItemState(2, LVIS_SELECTED), (UINT)LVIS_SELECTED);
    ASSERT_FALSE(parent.changes.empty());
    EXPECT_EQ(parent.changes.back().item, 2);
    EXPECT_TRUE(parent.changes.back().newState & LVIS_SELECTED);

    // Single selection: selecting another item unselects the first.
    parent.changes.clear();
    list.SetItemState(4, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 4);
    EXPECT_EQ(list.GetSelectedCount(), 1u);
    bool unselected = false;
    for (const auto& c : parent.changes)
        unselected |= c.item == 2 && (c.oldState & LVIS_SELECTED) && !(c.newState & LVIS_SELECTED);
    EXPECT_TRUE(unselected);

    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(Texts(list), (std::vector<std::string>{ "b.bmp", "c.bmp", "d.bmp", "e.bmp", "f.bmp" }));
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 3);  // the selection moves with its item
    EXPECT_FALSE(list.DeleteItem(17));

    list.SetItemData(1, 1234);
    EXPECT_EQ(list.GetItemData(1), 1234u);

    // Scrolling an item into view.
    for (int i = 0; i < 40; ++i)
        list.InsertItem(list.GetItemCount(), "more.bmp");
    EXPECT_EQ(list.GetTopIndex(), 0);
    EXPECT_TRUE(list.EnsureVisible(list.GetItemCount() - 1, FALSE));
    const int top = list.GetTopIndex();
    EXPECT_GT(top, 0);
    EXPECT_LE(list.GetItemCount() - 1, top + list.GetCountPerPage());
    CRect rect;
    EXPECT_TRUE(list.GetItemRect(list.GetItemCount() - 1, &rect, LVIR_BOUNDS));
    EXPECT_GT(rect.Height(), 0);

    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
}

TEST_F(ListCtrlTest, TheShellsSmallIconsAreBorrowedAndNeverDestroyed)
{
    HIMAGELIST shared = nullptr;
    {
        CSystemImageList icons;
        ASSERT_TRUE(icons.LoadSmall("C:\\"));
        shared = icons.GetSafeHandle();
        ASSERT_NE(shared, nullptr);
        int cx = 0, cy = 0;
        EXPECT_TRUE(icons.GetIconSize(&cx, &cy));
        EXPECT_EQ(cx, 16);
        EXPECT_EQ(cy, 16);

        CListCtrl list;
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_SMALLICON | LVS_SINGLESEL | LVS_SHAREIMAGELISTS,
                                CRect(0, 0, 300, 200), &parent, ListId));
        EXPECT_TRUE(list.GetStyle() & LVS_SHAREIMAGELISTS);
        EXPECT_EQ(list.SetImageList(&icons, LVSIL_SMALL), nullptr);
        EXPECT_EQ(list.GetImageList(LVSIL_SMALL)->GetSafeHandle(), shared);

        const int image = CSystemImageList::SmallIconOf("readme.txt");
        EXPECT_GE(image, 0);
        EXPECT_GE(CSystemImageList::SmallIconOf("no such folder\\App.ico"), 0);  // by name alone
        EXPECT_EQ(list.InsertItem(0, "readme.txt", image), 0);
        EXPECT_EQ(list.GetItemImage(0), image);
        EXPECT_EQ(list.InsertItem(1, "plain"), 1);
        EXPECT_EQ(list.GetItemImage(99), -1);
        list.DestroyWindow();
    }
    // Both the list view and the wrapper have gone; the shell's list has not.
    int cx = 0, cy = 0;
    EXPECT_TRUE(ImageList_GetIconSize(shared, &cx, &cy));
    EXPECT_GT(ImageList_GetImageCount(shared), 0);
}

} // namespace
