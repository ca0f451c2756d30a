// The control wrappers over real controls: each member reaches its control, and owner-drawn
// list and combo boxes measure and draw their own items.
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

static CTestApp theApp;
CTestApp& TestApp() { return theApp; }

namespace {

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "controls", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300,
                                    nullptr, nullptr));
    }
    CWnd parent;
};

TEST_F(ControlsTest, ButtonsStaticsAndEdits)
{
    CButton check;
    ASSERT_TRUE(check.Create("Check", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, CRect(0, 0, 80, 20), &parent, 10));
    EXPECT_EQ(check.GetCheck(), BST_UNCHECKED);
    check.SetCheck(BST_CHECKED);
    EXPECT_EQ(check.GetCheck(), BST_CHECKED);
    EXPECT_EQ(check.GetButtonStyle() & 0x0F, (UINT)BS_AUTOCHECKBOX);

    CStatic label;
    ASSERT_TRUE(label.Create("", WS_CHILD | WS_VISIBLE | SS_ICON, CRect(0, 30, 32, 62), &parent, 11));
    HICON icon = ::LoadIconA(nullptr, IDI_APPLICATION);
    label.SetIcon(icon);
    EXPECT_EQ(label.GetIcon(), icon);

    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(0, 70, 200, 90), &parent, 12));
    edit.SetWindowText("Hello World");
    edit.SetSel(6, 11);
    int start = 0, end = 0;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 6);
    EXPECT_EQ(end, 11);
    edit.ReplaceSel("there");
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, "Hello there");
    edit.SetLimitText(5);
    EXPECT_EQ(edit.GetLimitText(), 5u);
    edit.SetReadOnly(TRUE);
    EXPECT_TRUE(edit.GetStyle() & ES_READONLY);
}

TEST_F(ControlsTest, ListAndComboBoxes)
{
    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY | WS_VSCROLL, CRect(0, 0, 150, 100), &parent, 20));
    EXPECT_EQ(list.AddString("apple"), 0);
    EXPECT_EQ(list.AddString("banana"), 1);
    EXPECT_EQ(list.InsertString(0, "cherry"), 0);
    EXPECT_EQ(list.GetCount(), 3);
    CString text;
    list.GetText(2, text);
    EXPECT_EQ(text, "banana");
    EXPECT_EQ(list.FindStringExact(-1, "apple"), 1);
    EXPECT_EQ(list.FindString(-1, "ban"), 2);
    list.SetItemData(1, 77);
    EXPECT_EQ(list.GetItemData(1), 77u);
    list.SetCurSel(2);
    EXPECT_EQ(list.GetCurSel(), 2);
    list.DeleteString(0);
    EXPECT_EQ(list.GetCount(), 2);
    list.ResetContent();
    EXPECT_EQ(list.GetCount(), 0);

    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL, CRect(160, 0, 300, 150), &parent, 21));
    combo.AddString("one");
    combo.AddString("two");
    EXPECT_EQ(combo.GetCount(), 2);
    EXPECT_EQ(combo.SelectString(-1, "tw"), 1);
    EXPECT_EQ(combo.GetCurSel(), 1);
    combo.GetLBText(0, text);
    EXPECT_EQ(text, "one");
    EXPECT_EQ(combo.GetLBTextLen(1), 3);
    combo.SetItemDataPtr(0, &combo);
    EXPECT_EQ(combo.GetItemDataPtr(0), &combo);
}

TEST_F(ControlsTest, ProgressBarsAndSliders)
{
    CProgressCtrl progress;
    ASSERT_TRUE(progress.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 20), &parent, 30));
    progress.SetRange(0, 100);
    int lo = -1, hi = -1;
    progress.GetRange(lo, hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 100);
    progress.SetPos(40);
    EXPECT_EQ(progress.GetPos(), 40);
    progress.SetStep(5);
    progress.StepIt();
    EXPECT_EQ(progress.GetPos(), 45);
    progress.OffsetPos(-10);
    EXPECT_EQ(progress.GetPos(), 35);

    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE | TBS_HORZ, CRect(0, 30, 200, 60), &parent, 31));
    slider.SetRange(10, 20, TRUE);
    EXPECT_EQ(slider.GetRangeMin(), 10);
    EXPECT_EQ(slider.GetRangeMax(), 20);
    slider.SetPos(25);
    EXPECT_EQ(slider.GetPos(), 20);  // kept in range by the control
    slider.SetPageSize(3);
    EXPECT_EQ(slider.GetPageSize(), 3);
}

TEST_F(ControlsTest, AWindowsOwnScrollBarsAndCoordinates)
{
    CWnd pane;
    ASSERT_TRUE(pane.Create(nullptr, "pane", WS_CHILD | WS_VISIBLE | WS_VSCROLL, CRect(10, 20, 110, 120), &parent, 50));
    pane.SetScrollRange(SB_VERT, 0, 100, FALSE);
    int lo = -1, hi = -1;
    pane.GetScrollRange(SB_VERT, &lo, &hi);
    EXPECT_EQ(hi, 100);
    pane.SetScrollPos(SB_VERT, 40);
    EXPECT_EQ(pane.GetScrollPos(SB_VERT), 40);
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    ASSERT_TRUE(pane.GetScrollInfo(SB_VERT, &si));
    EXPECT_EQ(si.nPos, 40);
    CPoint p(0, 0);
    pane.MapWindowPoints(&parent, &p, 1);
    EXPECT_EQ(p, CPoint(10, 20));  // the pane's client origin inside the parent (no border)
}

class CDrawnList : public CListBox {
public:
    int measured = 0, drawn = 0;
    void MeasureItem(LPMEASUREITEMSTRUCT mis) override
    {
        ++measured;
        mis->itemHeight = 24;
    }
    void DrawItem(LPDRAWITEMSTRUCT) override { ++drawn; }
};

class CDrawnCombo : public CComboBox {
public:
    int measured = 0;
    void MeasureItem(LPMEASUREITEMSTRUCT mis) override
    {
        ++measured;
        mis->itemHeight = 18;
    }
};

TEST_F(ControlsTest, OwnerDrawnListsMeasureAndDrawTheirItems)
{
    CDrawnList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, CRect(0, 0, 150, 100), &parent, 40));
    EXPECT_GE(list.measured, 1);  // measured while the control was being made
    EXPECT_EQ(list.GetItemHeight(0), 24);
    list.AddString("drawn");
    list.Invalidate();
    list.UpdateWindow();
    EXPECT_GE(list.drawn, 1);

    CDrawnCombo combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                             CRect(160, 0, 300, 150), &parent, 41));
    EXPECT_GE(combo.measured, 1);
}

} // namespace
