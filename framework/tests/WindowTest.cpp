// The window layer under Wine: message maps, subclassing and reflection, timers, the handle
// maps, exceptions in handlers, dialogs with data exchange, Esc and the close box, owners.
#include "WindowTestResource.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

static CTestApp theApp;
CTestApp& TestApp() { return theApp; }

namespace {

UINT g_registeredMessage = ::RegisterWindowMessageA("VELMORA_WINDOW_TEST");

class CBaseWnd : public CWnd {
public:
    BOOL CreateTopLevel()
    {
        return CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), "test window", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr);
    }
    std::vector<UINT_PTR> timers;
    std::vector<DWORD> timerThreads;
    int created = 0;
    CPoint lastMove;
    UINT lastFlags = 0;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs)
    {
        ++created;
        return CWnd::OnCreate(cs);
    }
    afx_msg void OnTimer(UINT_PTR id)
    {
        timers.push_back(id);
        timerThreads.push_back(::GetCurrentThreadId());
    }
    afx_msg void OnMouseMove(UINT flags, CPoint point)
    {
        lastFlags = flags;
        lastMove = point;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_TIMER()
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

class CDerivedWnd : public CBaseWnd {
public:
    int userMessages = 0;
    int registered = 0;
    int commands = 0;
    UINT rangeId = 0;
    HWND notifiedFrom = nullptr;
    bool postNcDestroy = false;
    std::string throwKind;

protected:
    afx_msg LRESULT OnUser(WPARAM w, LPARAM l)
    {
        ++userMessages;
        if (throwKind == "file")
            throw new CFileException(CFileException::fileNotFound, ERROR_FILE_NOT_FOUND, "missing.dat");
        if (throwKind == "std")
            throw std::runtime_error("standard failure");
        return static_cast<LRESULT>(w + l);
    }
    afx_msg LRESULT OnRegistered(WPARAM w, LPARAM)
    {
        ++registered;
        return static_cast<LRESULT>(w * 2);
    }
    afx_msg void OnCommand42() { ++commands; }
    afx_msg void OnClick77(NMHDR* hdr, LRESULT* result)
    {
        notifiedFrom = hdr->hwndFrom;
        *result = 5;
    }
    afx_msg void OnRange(UINT id) { rangeId = id; }
    afx_msg void OnTimer(UINT_PTR id)
    {
        CBaseWnd::OnTimer(id + 1000);  // overrides the base's handler, which still runs
    }
    void PostNcDestroy() override { postNcDestroy = true; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
    ON_MESSAGE(WM_USER + 1, &CDerivedWnd::OnUser)
    ON_REGISTERED_MESSAGE(g_registeredMessage, &CDerivedWnd::OnRegistered)
    ON_COMMAND(42, &CDerivedWnd::OnCommand42)
    ON_NOTIFY(NM_CLICK, 77, &CDerivedWnd::OnClick77)
    ON_COMMAND_RANGE(100, 110, &CDerivedWnd::OnRange)
    ON_WM_TIMER()
END_MESSAGE_MAP()

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        theApp.messageBoxes.clear();
        theApp.exceptions.clear();
        theApp.exceptionMessages.clear();
        theApp.m_pMainWnd = nullptr;
    }
    void TearDown() override
    {
        theApp.m_pMainWnd = nullptr;
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        AfxDeleteTempMaps();
    }
};

TEST_F(WindowTest, MessageMapsChainToTheBaseClassAndFallBackToTheDefault)
{
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateTopLevel());
    EXPECT_EQ(wnd.created, 1);  // WM_CREATE reached the base's entry during creation
    EXPECT_EQ(wnd.SendMessage(WM_USER + 1, 2, 3), 5);
    EXPECT_EQ(wnd.SendMessage(g_registeredMessage, 21), 42);
    wnd.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-5, 17));
    EXPECT_EQ(wnd.lastMove, CPoint(-5, 17));  // signed coordinates
    EXPECT_EQ(wnd.lastFlags, (UINT)MK_LBUTTON);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(42, 0), 0);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(105, 0), 0);
    EXPECT_EQ(wnd.commands, 1);
    EXPECT_EQ(wnd.rangeId, 105u);
    NMHDR hdr = { wnd.m_hWnd, 77, static_cast<UINT>(NM_CLICK) };
    EXPECT_EQ(wnd.SendMessage(WM_NOTIFY, 77, reinterpret_cast<LPARAM>(&hdr)), 5);
    EXPECT_EQ(wnd.notifiedFrom, wnd.m_hWnd);
    // No entry: DefWindowProc answers.
    char text[64] = {};
    EXPECT_EQ(wnd.SendMessage(WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)), 11);
    EXPECT_STREQ(text, "test window");
    wnd.DestroyWindow();
    EXPECT_TRUE(wnd.postNcDestroy);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
}

TEST_F(WindowTest, TimersFireOnTheUserInterfaceThread)
{
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateTopLevel());
    ASSERT_EQ(wnd.SetTimer(7, 20), 7u);
    ASSERT_TRUE(PumpUntil([&] { return wnd.timers.size() >= 3; }));
    wnd.KillTimer(7);
    for (size_t i = 0; i < wnd.timers.size(); ++i) {
        EXPECT_EQ(wnd.timers[i], 1007u);
        EXPECT_EQ(wnd.timerThreads[i], ::GetCurrentThreadId());
    }
}

TEST_F(WindowTest, HandleMapsKeepPermanentAndTemporaryObjectsApart)
{
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateTopLevel());
    EXPECT_EQ(CWnd::FromHandle(wnd.m_hWnd), &wnd);
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);

    HWND raw = ::CreateWindowExA(0, "STATIC", "raw", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(raw, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(raw), nullptr);
    CWnd* temp = CWnd::FromHandle(raw);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(temp->m_hWnd, raw);
    EXPECT_EQ(CWnd::FromHandle(raw), temp);  // one temporary per handle
    CString text;
    temp->GetWindowText(text);
    EXPECT_EQ(text, "raw");
    AfxDeleteTempMaps();
    EXPECT_TRUE(::IsWindow(raw));  // deleting the temporary leaves the window

    CWnd attached;
    ASSERT_TRUE(attached.Attach(raw));
    EXPECT_EQ(CWnd::FromHandle(raw), &attached);
    EXPECT_FALSE(CWnd().Attach(raw));  // one permanent object per window
    EXPECT_EQ(attached.Detach(), raw);
    EXPECT_EQ(CWnd::FromHandlePermanent(raw), nullptr);
    ::DestroyWindow(raw);
    CWnd* none = CWnd::FromHandle(nullptr);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(none->GetSafeHwnd(), nullptr);  // a null window pointer gives a null handle
}

TEST_F(WindowTest, TemporaryObjectsBelongToTheThreadThatAskedForThem)
{
    HDC screen = ::GetDC(nullptr);
    CDC* mine = CDC::FromHandle(screen);
    CDC* theirs = nullptr;
    std::thread worker([&] {
        theirs = CDC::FromHandle(screen);
        EXPECT_EQ(CDC::FromHandle(screen), theirs);
        AfxDeleteTempMaps();  // the worker's own only
    });
    worker.join();
    EXPECT_NE(theirs, mine);
    EXPECT_EQ(CDC::FromHandle(screen), mine);
    EXPECT_EQ(mine->m_hDC, screen);  // still alive
    AfxDeleteTempMaps();
    ::ReleaseDC(nullptr, screen);
}

TEST_F(WindowTest, AnExceptionInAHandlerIsCaughtAndReported)
{
    struct Case { const char* kind; const char* text; };
    const Case cases[] = { { "file", "missing.dat" }, { "std", "standard failure" } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        theApp.exceptions.clear();
        CDerivedWnd wnd;
        ASSERT_TRUE(wnd.CreateTopLevel());
        wnd.throwKind = c.kind;
        EXPECT_EQ(wnd.SendMessage(WM_USER + 1, 1, 1), 0);
        ASSERT_EQ(theApp.exceptions.size(), 1u);
        EXPECT_NE(theApp.exceptions[0].find(c.text), std::string::npos) << theApp.exceptions[0];
        EXPECT_EQ(theApp.exceptionMessages[0], (UINT)(WM_USER + 1));
        wnd.throwKind.clear();
        EXPECT_EQ(wnd.SendMessage(WM_USER + 1, 1, 1), 2);  // the window goes on working
    }
}

TEST_F(WindowTest, DestroyingTheMainWindowPostsQuit)
{
    CDerivedWnd* wnd = new CDerivedWnd;
    ASSERT_TRUE(wnd->CreateTopLevel());
    theApp.m_pMainWnd = wnd;
    wnd->DestroyWindow();
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);
    MSG msg;
    EXPECT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    delete wnd;
}

// A button that draws itself (owner-draw reflected from the parent) and notes its messages.
class COwnerButton : public CButton {
public:
    int drawn = 0;
    int presubclassed = 0;
    UINT lastItemAction = 0;
    CPoint lastMove;
    void DrawItem(LPDRAWITEMSTRUCT dis) override
    {
        ++drawn;
        lastItemAction = dis->itemAction;
        CDC* dc = CDC::FromHandle(dis->hDC);
        dc->FillSolidRect(&dis->rcItem, RGB(0, 128, 0));
    }
    void PreSubclassWindow() override { ++presubclassed; }

protected:
    afx_msg void OnMouseMove(UINT, CPoint point) { lastMove = point; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COwnerButton, CButton)
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

class CReflectButton : public CButton {
public:
    int reflectedClicks = 0;

protected:
    afx_msg void OnReflectedClick() { ++reflectedClicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectButton, CButton)
    ON_CONTROL_REFLECT(BN_CLICKED, &CReflectButton::OnReflectedClick)
END_MESSAGE_MAP()

class CNotifyingChild : public CWnd {
public:
    int reflected = 0;
protected:
    afx_msg void OnReflectedClick(NMHDR*, LRESULT* result)
    {
        ++reflected;
        *result = 9;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNotifyingChild, CWnd)
    ON_NOTIFY_REFLECT(NM_CLICK, &CNotifyingChild::OnReflectedClick)
END_MESSAGE_MAP()

TEST_F(WindowTest, ANotificationReachesTheControlsReflectedEntryFirst)
{
    CDerivedWnd parent;
    ASSERT_TRUE(parent.CreateTopLevel());
    CNotifyingChild child;
    ASSERT_TRUE(child.Create(nullptr, "child", WS_CHILD, CRect(0, 0, 10, 10), &parent, 77));
    NMHDR hdr = { child.m_hWnd, 77, static_cast<UINT>(NM_CLICK) };
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 77, reinterpret_cast<LPARAM>(&hdr)), 9);
    EXPECT_EQ(child.reflected, 1);
    EXPECT_EQ(parent.notifiedFrom, nullptr);  // the parent's entry did not run
}

class CColorLabel : public CStatic {
public:
    CBrush brush{ RGB(1, 2, 3) };

protected:
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT)
    {
        pDC->SetTextColor(RGB(255, 0, 0));
        return brush;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColorLabel, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class CExchangeDlg : public CDialog {
public:
    CExchangeDlg() : CDialog(IDD_EXCHANGE) {}
    CString m_text = "first";
    int m_number = 7;
    int m_check = 1;
    int m_radio = 2;
    CString m_combo = "Beta";
    int m_list = 1;
    int m_slider = 30;
    COwnerButton m_owner;
    CReflectButton m_reflect;
    CColorLabel m_label;
    int parentClicks = 0;
    int okCalls = 0, cancelCalls = 0, initCalls = 0;
    int minNumber = 0, maxNumber = 100;
    std::function<void(CExchangeDlg&)> onInit;
    CBrush dialogBrush{ RGB(9, 9, 9) };

    void OnOK() override
    {
        ++okCalls;
        CDialog::OnOK();
    }
    void OnCancel() override
    {
        ++cancelCalls;
        CDialog::OnCancel();
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_OWNERDRAW, m_owner);
        DDX_Control(pDX, IDC_REFLECT, m_reflect);
        DDX_Control(pDX, IDC_LABEL, m_label);
        DDX_Text(pDX, IDC_TEXT, m_text);
        DDV_MaxChars(pDX, m_text, 10);
        DDX_Text(pDX, IDC_NUMBER, m_number);
        DDV_MinMaxInt(pDX, m_number, minNumber, maxNumber);
        DDX_Check(pDX, IDC_CHECK, m_check);
        DDX_Radio(pDX, IDC_RADIO1, m_radio);
        DDX_CBString(pDX, IDC_COMBO, m_combo);
        DDX_LBIndex(pDX, IDC_LIST, m_list);
        DDX_Slider(pDX, IDC_SLIDER, m_slider);
    }
    BOOL OnInitDialog() override
    {
        ++initCalls;
        CComboBox* combo = static_cast<CComboBox*>(GetDlgItem(IDC_COMBO));
        combo->AddString("Alpha");
        combo->AddString("Beta");
        combo->AddString("Gamma");
        CListBox* list = static_cast<CListBox*>(GetDlgItem(IDC_LIST));
        list->AddString("one");
        list->AddString("two");
        list->AddString("three");
        static_cast<CSliderCtrl*>(GetDlgItem(IDC_SLIDER))->SetRange(0, 100);
        CDialog::OnInitDialog();
        if (onInit)
            onInit(*this);
        return TRUE;
    }
    afx_msg void OnReflectClicked() { ++parentClicks; }
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
    {
        if (nCtlColor == CTLCOLOR_DLG)
            return dialogBrush;
        return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CExchangeDlg, CDialog)
    ON_BN_CLICKED(IDC_REFLECT, &CExchangeDlg::OnReflectClicked)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

TEST_F(WindowTest, DialogFromATemplateRoundTripsItsMembersThroughDataExchange)
{
    CExchangeDlg dlg;
    dlg.onInit = [](CExchangeDlg& d) {
        // The members arrived in the controls.
        CString text;
        d.GetDlgItemText(IDC_TEXT, text);
        EXPECT_EQ(text, "first");
        EXPECT_EQ(d.GetDlgItemInt(IDC_NUMBER), 7u);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_CHECK), 1u);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_RADIO3), 1u);
        EXPECT_EQ(static_cast<CComboBox*>(d.GetDlgItem(IDC_COMBO))->GetCurSel(), 1);
        EXPECT_EQ(static_cast<CListBox*>(d.GetDlgItem(IDC_LIST))->GetCurSel(), 1);
        EXPECT_EQ(static_cast<CSliderCtrl*>(d.GetDlgItem(IDC_SLIDER))->GetPos(), 30);
        // The user changes them, then presses OK.
        d.SetDlgItemText(IDC_TEXT, "second");
        d.SetDlgItemInt(IDC_NUMBER, 42);
        d.CheckDlgButton(IDC_CHECK, 0);
        d.CheckRadioButton(IDC_RADIO1, IDC_RADIO3, IDC_RADIO1);
        static_cast<CComboBox*>(d.GetDlgItem(IDC_COMBO))->SetCurSel(2);
        static_cast<CListBox*>(d.GetDlgItem(IDC_LIST))->SetCurSel(0);
        static_cast<CSliderCtrl*>(d.GetDlgItem(IDC_SLIDER))->SetPos(75);
        d.PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.initCalls, 1);
    EXPECT_EQ(dlg.okCalls, 1);
    EXPECT_EQ(dlg.m_text, "second");
    EXPECT_EQ(dlg.m_number, 42);
    EXPECT_EQ(dlg.m_check, 0);
    EXPECT_EQ(dlg.m_radio, 0);
    EXPECT_EQ(dlg.m_combo, "Gamma");
    EXPECT_EQ(dlg.m_list, 0);
    EXPECT_EQ(dlg.m_slider, 75);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_TRUE(theApp.messageBoxes.empty());
}

TEST_F(WindowTest, AFailedCheckKeepsTheDialogOpenWithAMessage)
{
    struct Case { const char* text; const char* number; const char* message; };
    const Case cases[] = {
        { "short", "500", "between 0 and 100" },
        { "short", "12abc", "integer" },
        { "much too long text", "5", "no more than 10 characters" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        theApp.messageBoxes.clear();
        CExchangeDlg dlg;
        dlg.onInit = [&](CExchangeDlg& d) {
            d.SetDlgItemText(IDC_TEXT, c.text);
            d.SetDlgItemText(IDC_NUMBER, c.number);
            EXPECT_FALSE(d.UpdateData(TRUE));
            d.OnOK();  // refused: the dialog stays open
            EXPECT_NE(d.m_hWnd, nullptr);
            d.SetDlgItemText(IDC_TEXT, "ok");
            d.SetDlgItemText(IDC_NUMBER, "9");
            d.OnOK();
        };
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.m_number, 9);
        ASSERT_EQ(theApp.messageBoxes.size(), 2u);
        EXPECT_NE(theApp.messageBoxes[0].find(c.message), std::string::npos) << theApp.messageBoxes[0];
    }
}

TEST_F(WindowTest, SubclassedControlsGetTheirMessagesAndReflectedNotifications)
{
    CExchangeDlg d;
    ASSERT_TRUE(d.Create(IDD_EXCHANGE));  // modeless, so that it shows while the test draws
    ASSERT_TRUE(d.IsWindowVisible());
    EXPECT_EQ(d.m_owner.presubclassed, 1);
    EXPECT_EQ(CWnd::FromHandlePermanent(d.GetDlgItem(IDC_OWNERDRAW)->m_hWnd), &d.m_owner);
    // Messages of the control reach its own map.
    d.m_owner.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, 4));
    EXPECT_EQ(d.m_owner.lastMove, CPoint(3, 4));
    // The parent's WM_DRAWITEM is reflected to the button's DrawItem.
    d.m_owner.drawn = 0;
    d.m_owner.Invalidate();
    d.m_owner.UpdateWindow();
    EXPECT_GE(d.m_owner.drawn, 1);
    {
        CClientDC dc(&d.m_owner);
        EXPECT_EQ(dc.GetPixel(2, 2), RGB(0, 128, 0));
    }
    // A click on a control that reflects it stays with the control.
    d.m_reflect.SendMessage(BM_CLICK);
    EXPECT_EQ(d.m_reflect.reflectedClicks, 1);
    EXPECT_EQ(d.parentClicks, 0);
    // WM_CTLCOLOR: the dialog's own brush for itself; the label's reflected brush.
    CClientDC ddc(&d);
    EXPECT_EQ(d.SendMessage(WM_CTLCOLORDLG, (WPARAM)ddc.m_hDC, (LPARAM)d.m_hWnd), (LRESULT)(HBRUSH)d.dialogBrush);
    EXPECT_EQ(d.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)ddc.m_hDC, (LPARAM)d.m_label.m_hWnd),
              (LRESULT)(HBRUSH)d.m_label.brush);
    EXPECT_EQ(ddc.GetTextColor(), RGB(255, 0, 0));
    d.DestroyWindow();
    EXPECT_EQ(d.m_owner.m_hWnd, nullptr);  // detached when the dialog went
}

// An edit control that sees the messages for it before they are dispatched.
class CWatchingEdit : public CEdit {
public:
    int preTranslated = 0;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_APP + 5)
            ++preTranslated;
        return pMsg->message == WM_APP + 6;  // eaten: never dispatched
    }
};

class CWatchingDlg : public CDialog {
public:
    CWatchingDlg() : CDialog(IDD_SIMPLE) {}
    CWatchingEdit m_edit;
    int dispatched = 0;
    bool throwInInit = false;
protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_TEXT, m_edit); }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_edit.PostMessage(WM_APP + 5);
        m_edit.PostMessage(WM_APP + 6);
        PostMessage(WM_COMMAND, IDCANCEL);
        if (throwInInit)
            throw new CFileException(CFileException::badPath, ERROR_PATH_NOT_FOUND, "init.dat");
        return TRUE;
    }
};

TEST_F(WindowTest, TheModalLoopOffersMessagesToTheWindowsFirst)
{
    CWatchingDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_edit.preTranslated, 1);
}

TEST_F(WindowTest, AnExceptionInOnInitDialogIsReportedAndTheDialogRuns)
{
    CWatchingDlg dlg;
    dlg.throwInInit = true;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ASSERT_EQ(theApp.exceptions.size(), 1u);
    EXPECT_NE(theApp.exceptions[0].find("init.dat"), std::string::npos);
    EXPECT_EQ(theApp.exceptionMessages[0], (UINT)WM_INITDIALOG);
}

void CALLBACK DestroyOnTimer(HWND hWnd, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(hWnd, id);
    ::DestroyWindow(hWnd);
}

TEST_F(WindowTest, AModalMainDialogThatDestroysItselfEndsItsLoopAndPostsQuit)
{
    CExchangeDlg dlg;
    theApp.m_pMainWnd = &dlg;
    dlg.onInit = [](CExchangeDlg& d) { ::SetTimer(d.m_hWnd, 5, 10, &DestroyOnTimer); };
    EXPECT_EQ(dlg.DoModal(), -1);  // ended by neither OK nor Cancel
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);
    MSG msg;
    EXPECT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(WindowTest, AModalDialogOpenedFromAModalDialogIsOwnedByIt)
{
    CDerivedWnd main;
    ASSERT_TRUE(main.CreateTopLevel());
    main.ShowWindow(SW_SHOW);
    theApp.m_pMainWnd = &main;
    CExchangeDlg outer;
    HWND innerOwner = nullptr, outerWindow = nullptr;
    BOOL outerEnabledInside = TRUE, outerEnabledAfter = FALSE;
    outer.onInit = [&](CExchangeDlg& o) {
        o.ShowWindow(SW_SHOW);
        outerWindow = o.m_hWnd;
        CExchangeDlg inner;  // no parent given
        inner.onInit = [&](CExchangeDlg& i) {
            innerOwner = ::GetWindow(i.m_hWnd, GW_OWNER);
            outerEnabledInside = o.IsWindowEnabled();
            i.PostMessage(WM_COMMAND, IDCANCEL);
        };
        EXPECT_EQ(inner.DoModal(), IDCANCEL);
        outerEnabledAfter = o.IsWindowEnabled();
        o.PostMessage(WM_COMMAND, IDCANCEL);
    };
    EXPECT_EQ(outer.DoModal(), IDCANCEL);
    EXPECT_EQ(innerOwner, outerWindow);
    EXPECT_FALSE(outerEnabledInside);
    EXPECT_TRUE(outerEnabledAfter);
    EXPECT_TRUE(main.IsWindowEnabled());
    theApp.m_pMainWnd = nullptr;
}

class CHiddenDlg : public CDialog {
public:
    explicit CHiddenDlg(BOOL showOnIdle) : CDialog(IDD_HIDDEN), m_show(showOnIdle) {}
    BOOL m_show;
    int ticks = 0;
    bool everVisible = false;
protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_bShowOnIdle = m_show;
        SetTimer(1, 20);
        return TRUE;
    }
    afx_msg void OnTimer(UINT_PTR)
    {
        everVisible = everVisible || IsWindowVisible();
        if (++ticks == 5)
            EndDialog(IDOK);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHiddenDlg, CDialog)
    ON_WM_TIMER()
END_MESSAGE_MAP()

TEST_F(WindowTest, AModalDialogShowsWhenIdleUnlessItStaysHidden)
{
    for (BOOL show : { TRUE, FALSE }) {
        SCOPED_TRACE(show);
        CHiddenDlg dlg(show);
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.everVisible, show == TRUE);
    }
}

TEST_F(WindowTest, EscapeAndTheCloseBoxReachOnCancel)
{
    struct Case { const char* name; UINT message; WPARAM wParam; bool toFocus; };
    const Case cases[] = {
        { "escape", WM_KEYDOWN, VK_ESCAPE, true },
        { "close box", WM_SYSCOMMAND, SC_CLOSE, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CExchangeDlg dlg;
        dlg.onInit = [&](CExchangeDlg& d) {
            HWND target = d.m_hWnd;
            if (c.toFocus) {
                d.GetDlgItem(IDC_TEXT)->SetFocus();
                target = d.GetDlgItem(IDC_TEXT)->m_hWnd;
            }
            ::PostMessageA(target, c.message, c.wParam, 0);
        };
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_EQ(dlg.cancelCalls, 1);
        EXPECT_EQ(dlg.okCalls, 0);
    }
}

TEST_F(WindowTest, AModelessDialogWithoutParentIsOwnedByTheMainWindow)
{
    CDerivedWnd main;
    ASSERT_TRUE(main.CreateTopLevel());
    theApp.m_pMainWnd = &main;
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_SIMPLE));
    EXPECT_EQ(::GetWindow(dlg.m_hWnd, GW_OWNER), main.m_hWnd);
    EXPECT_TRUE(dlg.IsWindowVisible());
    // Esc on a modeless dialog reaches OnCancel too (which hides it).
    dlg.GetDlgItem(IDC_TEXT)->SetFocus();
    dlg.GetDlgItem(IDC_TEXT)->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(PumpUntil([&] { return !dlg.IsWindowVisible(); }));
    dlg.DestroyWindow();
    theApp.m_pMainWnd = nullptr;
}

TEST_F(WindowTest, AChildDialogTemplateMakesAPageInsideItsParent)
{
    CDialog host;
    ASSERT_TRUE(host.Create(IDD_SIMPLE));
    CDialog page;
    ASSERT_TRUE(page.Create(IDD_PAGE, &host));
    EXPECT_TRUE(page.GetStyle() & WS_CHILD);
    EXPECT_EQ(::GetParent(page.m_hWnd), host.m_hWnd);
    EXPECT_TRUE(host.IsChild(&page));
    page.SetDlgItemText(IDC_TEXT, "page text");
    CString text;
    page.GetDlgItemText(IDC_TEXT, text);
    EXPECT_EQ(text, "page text");
    CDialog inner;  // a page inside a page: its parent is the child window given
    ASSERT_TRUE(inner.Create(IDD_PAGE, &page));
    EXPECT_EQ(::GetParent(inner.m_hWnd), page.m_hWnd);
    inner.DestroyWindow();
    page.DestroyWindow();
    host.DestroyWindow();
}

class CMeasuredMenu : public CMenu {
public:
    int drawn = 0, measured = 0;
    void DrawItem(LPDRAWITEMSTRUCT) override { ++drawn; }
    void MeasureItem(LPMEASUREITEMSTRUCT mis) override
    {
        ++measured;
        mis->itemWidth = 100;
        mis->itemHeight = 20;
    }
};

class CUpdatingWnd : public CDerivedWnd {
public:
    bool enabled = false;

protected:
    afx_msg void OnUpdate50(CCmdUI* ui) { ui->Enable(enabled); ui->SetCheck(1); }
    afx_msg void OnCommand51() {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CUpdatingWnd, CDerivedWnd)
    ON_UPDATE_COMMAND_UI(50, &CUpdatingWnd::OnUpdate50)
    ON_COMMAND(51, &CUpdatingWnd::OnCommand51)
END_MESSAGE_MAP()

TEST_F(WindowTest, MenusDrawTheirOwnItemsAndCommandStatesUpdate)
{
    CUpdatingWnd wnd;
    ASSERT_TRUE(wnd.CreateTopLevel());
    CMeasuredMenu bar;
    ASSERT_TRUE(bar.CreateMenu());
    CMeasuredMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_OWNERDRAW, 50, nullptr);
    popup.AppendMenu(MF_STRING, 51, "Handled");
    popup.AppendMenu(MF_STRING, 52, "Unhandled");
    bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup.m_hMenu), "&File");
    ASSERT_TRUE(wnd.SetMenu(&bar));
    EXPECT_EQ(popup.GetMenuItemCount(), 3u);

    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_MENU;
    dis.itemID = 50;
    dis.hwndItem = reinterpret_cast<HWND>(popup.m_hMenu);
    wnd.SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
    EXPECT_EQ(popup.drawn, 1);
    MEASUREITEMSTRUCT mis = {};
    mis.CtlType = ODT_MENU;
    mis.itemID = 50;
    wnd.SendMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
    EXPECT_EQ(popup.measured, 1);  // found through the window's menu bar
    EXPECT_EQ(mis.itemWidth, 100u);

    CCmdUI ui;
    ui.m_pMenu = &popup;
    ui.m_nIndexMax = popup.GetMenuItemCount();
    for (ui.m_nIndex = 0; ui.m_nIndex < ui.m_nIndexMax; ++ui.m_nIndex) {
        ui.m_nID = popup.GetMenuItemID(ui.m_nIndex);
        ui.DoUpdate(&wnd, TRUE);
    }
    EXPECT_TRUE(popup.GetMenuState(50, MF_BYCOMMAND) & MF_GRAYED);   // handler disabled it
    EXPECT_TRUE(popup.GetMenuState(50, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(popup.GetMenuState(51, MF_BYCOMMAND) & MF_GRAYED);  // has a command handler
    EXPECT_TRUE(popup.GetMenuState(52, MF_BYCOMMAND) & MF_GRAYED);   // nobody handles it
    wnd.SetMenu(nullptr);
    bar.RemoveMenu(0, MF_BYPOSITION);
}

TEST_F(WindowTest, DrawingThroughDeviceContextsAndGdiObjects)
{
    CDC screen;
    screen.Attach(::GetDC(nullptr));
    CDC mem;
    ASSERT_TRUE(mem.CreateCompatibleDC(&screen));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 20, 20));
    ::ReleaseDC(nullptr, screen.Detach());
    CBitmap* old = mem.SelectObject(&bitmap);
    ASSERT_NE(old, nullptr);
    mem.FillSolidRect(CRect(0, 0, 20, 20), RGB(255, 255, 255));
    mem.Draw3dRect(CRect(0, 0, 10, 10), RGB(255, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(mem.GetPixel(0, 5), RGB(255, 0, 0));   // left edge
    EXPECT_EQ(mem.GetPixel(9, 5), RGB(0, 0, 255));   // right edge
    EXPECT_EQ(mem.GetPixel(5, 9), RGB(0, 0, 255));   // bottom edge
    EXPECT_EQ(mem.GetPixel(5, 5), RGB(255, 255, 255));
    CBrush brush(RGB(0, 255, 0));
    CPen pen(PS_SOLID, 1, RGB(0, 255, 0));
    CPen* oldPen = mem.SelectObject(&pen);
    CBrush* oldBrush = mem.SelectObject(&brush);
    mem.Rectangle(12, 12, 18, 18);
    EXPECT_EQ(mem.GetPixel(15, 15), RGB(0, 255, 0));
    mem.SelectObject(oldPen);
    mem.SelectObject(oldBrush);
    CRgn rgn;
    ASSERT_TRUE(rgn.CreateRectRgn(0, 0, 5, 5));
    EXPECT_TRUE(rgn.PtInRegion(2, 2));
    EXPECT_FALSE(rgn.PtInRegion(6, 6));
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(90, "Arial"));
    LOGFONTA lf;
    EXPECT_GT(font.GetLogFont(&lf), 0);
    mem.SelectObject(old);
}

TEST_F(WindowTest, TooltipsImageListsAndStringTable)
{
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateTopLevel());
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&wnd));
    EXPECT_EQ(tip.GetToolCount(), 0);
    ASSERT_TRUE(tip.AddTool(&wnd, "Tip text", CRect(0, 0, 50, 50), 1));
    EXPECT_EQ(tip.GetToolCount(), 1);
    tip.UpdateTipText("New text", &wnd, 1);
    CString text;
    EXPECT_TRUE(tip.GetText(text, &wnd, 1));
    EXPECT_EQ(text, "New text");
    MSG msg = { wnd.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), 0, { 5, 5 } };
    tip.RelayEvent(&msg);

    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 2));
    EXPECT_EQ(images.Add(::LoadIconA(nullptr, IDI_APPLICATION)), 0);
    EXPECT_EQ(images.Add(::LoadIconA(nullptr, IDI_QUESTION)), 1);
    EXPECT_EQ(images.GetImageCount(), 2);
    int cx = 0, cy = 0;
    EXPECT_TRUE(images.GetIconSize(&cx, &cy));
    EXPECT_EQ(cx, 16);

    CString greeting;
    EXPECT_TRUE(greeting.LoadString(IDS_GREETING));
    EXPECT_EQ(greeting, "Hello from the string table");
    EXPECT_FALSE(greeting.LoadString(999));
    CString help;
    ASSERT_TRUE(help.LoadString(IDS_LONG_TEXT));
    EXPECT_EQ(help.GetLength(), 15 + 140 * 42);  // longer than any fixed buffer would take
    EXPECT_EQ(help.Left(15), "Long help text ");
    EXPECT_EQ(help.Right(42), "line 0139 of the help text with mark-up~^~");
}

} // namespace
