// Frames: loading from resources, the command-state update of their menus, accelerators,
// self-deletion, and the MDI frame with its children.
#include "FrameTestResource.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

static CTestApp theApp;
CTestApp& TestApp() { return theApp; }

namespace {

int g_framesDeleted = 0;

class CTestFrame : public CFrameWnd {
public:
    ~CTestFrame() override { ++g_framesDeleted; }
    int handled = 0;
    BOOL updatedEnabled = TRUE;
protected:
    afx_msg void OnHandled() { ++handled; }
    afx_msg void OnUpdateUpdated(CCmdUI* ui) { ui->Enable(updatedEnabled); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
    ON_COMMAND(ID_FILE_HANDLED, &CTestFrame::OnHandled)
    ON_UPDATE_COMMAND_UI(ID_FILE_UPDATED, &CTestFrame::OnUpdateUpdated)
END_MESSAGE_MAP()

TEST(FrameTest, AFrameLoadsItsResourcesAndUpdatesItsMenu)
{
    g_framesDeleted = 0;
    CTestFrame* frame = new CTestFrame;
    ASSERT_TRUE(frame->LoadFrame(IDR_FRAME));
    CString title;
    frame->GetWindowText(title);
    EXPECT_EQ(title, "Frame title");
    ASSERT_NE(frame->m_hMenuDefault, nullptr);
    EXPECT_NE(frame->m_hAccelTable, nullptr);

    CMenu* file = frame->GetMenu()->GetSubMenu(0);
    frame->updatedEnabled = FALSE;
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file->m_hMenu), 0);
    EXPECT_FALSE(file->GetMenuState(ID_FILE_HANDLED, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(file->GetMenuState(ID_FILE_UPDATED, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(file->GetMenuState(ID_FILE_ORPHAN, MF_BYCOMMAND) & MF_GRAYED);
    frame->updatedEnabled = TRUE;
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file->m_hMenu), 0);
    EXPECT_FALSE(file->GetMenuState(ID_FILE_UPDATED, MF_BYCOMMAND) & MF_GRAYED);

    // Ctrl+H through the frame's accelerators.
    MSG msg = { frame->m_hWnd, WM_KEYDOWN, 'H', 0, 0, { 0, 0 } };
    ::SetFocus(frame->m_hWnd);
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    EXPECT_TRUE(frame->PreTranslateMessage(&msg));
    EXPECT_EQ(frame->handled, 1);
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);

    frame->DestroyWindow();  // deletes the frame
    EXPECT_EQ(g_framesDeleted, 1);
}

TEST(FrameTest, AFrameWithoutItsMenuFailsToLoad)
{
    g_framesDeleted = 0;
    CTestFrame* frame = new CTestFrame;
    EXPECT_FALSE(frame->LoadFrame(IDR_NO_MENU));
    EXPECT_EQ(g_framesDeleted, 1);  // given its final clean-up
}

TEST(FrameTest, AnMdiFrameHoldsItsChildren)
{
    CMDIFrameWnd* frame = new CMDIFrameWnd;
    ASSERT_TRUE(frame->LoadFrame(IDR_FRAME));
    ASSERT_NE(frame->m_hWndMDIClient, nullptr);
    CMDIChildWnd* child = new CMDIChildWnd;
    ASSERT_TRUE(child->Create(nullptr, "Child", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, frame));
    EXPECT_EQ(::GetParent(child->m_hWnd), frame->m_hWndMDIClient);
    EXPECT_EQ(child->GetMDIFrame(), frame);
    EXPECT_EQ(frame->MDIGetActive(), child);
    EXPECT_EQ(frame->GetActiveFrame(), child);
    child->MDIDestroy();
    EXPECT_EQ(frame->MDIGetActive(), nullptr);
    frame->DestroyWindow();
}

int g_docsDeleted = 0;

class CTestDoc : public CDocument {
    DECLARE_DYNCREATE(CTestDoc)
public:
    ~CTestDoc() override { ++g_docsDeleted; }
    int created = 0;
    BOOL OnNewDocument() override
    {
        ++created;
        return CDocument::OnNewDocument();
    }
};
IMPLEMENT_DYNCREATE(CTestDoc, CDocument)

class CTestView : public CView {
    DECLARE_DYNCREATE(CTestView)
public:
    int initialUpdates = 0;
    void OnInitialUpdate() override { ++initialUpdates; }
};
IMPLEMENT_DYNCREATE(CTestView, CView)

TEST(FrameTest, ATemplateMakesADocumentWithItsFrameAndView)
{
    CMDIFrameWnd* main = new CMDIFrameWnd;
    ASSERT_TRUE(main->LoadFrame(IDR_FRAME));
    theApp.m_pMainWnd = main;
    g_docsDeleted = 0;
    {
        CMultiDocTemplate docTemplate(IDR_FRAME, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CMDIChildWnd),
                                      RUNTIME_CLASS(CTestView));
        EXPECT_NE(docTemplate.m_hMenuShared, nullptr);
        CTestDoc* doc = dynamic_cast<CTestDoc*>(docTemplate.OpenDocumentFile(nullptr));
        ASSERT_NE(doc, nullptr);
        EXPECT_EQ(doc->created, 1);
        EXPECT_EQ(doc->GetDocTemplate(), &docTemplate);
        ASSERT_EQ(doc->GetViews().size(), 1u);
        CTestView* view = dynamic_cast<CTestView*>(doc->GetViews()[0]);
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->GetDocument(), doc);
        EXPECT_EQ(view->initialUpdates, 1);
        CMDIChildWnd* child = main->MDIGetActive();
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(child->GetActiveView(), view);
        CString title;
        child->GetWindowText(title);
        EXPECT_EQ(title, "Frame title");
        doc->OnCloseDocument();  // frames, views and the document go
        EXPECT_EQ(g_docsDeleted, 1);
        EXPECT_EQ(main->MDIGetActive(), nullptr);
    }
    theApp.m_pMainWnd = nullptr;
    main->DestroyWindow();
}

TEST(FrameTest, AMiniFrameIsAToolWindow)
{
    CMiniFrameWnd* frame = new CMiniDockFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, "Tools", WS_POPUP | WS_CAPTION | WS_SYSMENU, CRect(0, 0, 100, 80)));
    EXPECT_TRUE(frame->GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(frame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)));
    frame->DestroyWindow();
}

} // namespace
