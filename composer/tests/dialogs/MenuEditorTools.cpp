#include "MenuEditorTools.h"

#include "ComposerResource.h"
#include "DialogDriver.h"

#include <gtest/gtest.h>

void NewMenuButton(HWND editor, const char* caption, int item)
{
    Click(editor, IDC_MN_CREATE);
    SetText(editor, IDC_MN_BUTTON_TEXT, caption);
    Select(editor, IDC_MN_ACTION, item);
}

void ExpectMenuButtons(const CMenuViewer& menu, const std::vector<ExpectedButton>& expected)
{
    ASSERT_EQ(menu.GetMenuButtonCount(), static_cast<int>(expected.size()));
    for (int i = 0; i < static_cast<int>(expected.size()); ++i) {
        SCOPED_TRACE(i);
        const ExpectedButton& e = expected[static_cast<size_t>(i)];
        EXPECT_EQ(menu.GetMenuButtonCaption(i), e.caption);
        EXPECT_EQ(menu.GetMenuButtonAction(i), e.action);
        CViewer* viewer = menu.GetMenuButtonViewer(i);
        if (e.type < 0) {
            EXPECT_EQ(viewer, nullptr);
            continue;
        }
        ASSERT_NE(viewer, nullptr);
        EXPECT_EQ(viewer->GetViewerType(), e.type);
        EXPECT_EQ(viewer->GetTargetFilename(), e.target.c_str());
    }
}
