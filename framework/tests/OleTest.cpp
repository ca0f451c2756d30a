// ActiveX control hosting under Wine, with Wine's own controls (its Media Player control,
// which the suite hosts, and its web browser control, whose properties work there): controls
// made by code and from a dialog template, dispatch calls and an event sink.
#include "OleTestResource.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

static CTestApp theApp;
CTestApp& TestApp() { return theApp; }

namespace {

const CLSID CLSID_MediaPlayer = { 0x6BF52A52, 0x394A, 0x11D3, { 0xB1, 0x53, 0x00, 0xC0, 0x4F, 0x79, 0xFA, 0xA6 } };
const IID DIID_MediaPlayerEvents = { 0x6BF52A51, 0x394A, 0x11D3, { 0xB1, 0x53, 0x00, 0xC0, 0x4F, 0x79, 0xFA, 0xA6 } };
const CLSID CLSID_WebBrowser = { 0x8856F961, 0x340A, 0x11D0, { 0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2 } };
const DISPID DISPID_OFFLINE = 550, DISPID_SILENT = 551;

class OleTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(AfxOleInit());
        ASSERT_TRUE(AfxEnableControlContainer());
        ASSERT_TRUE(AfxEnsureControlHost());
    }
    void SetUp() override { ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr)); }
    CWnd parent;
};

class CEvents : public COleEventSink {
public:
    std::vector<DISPID> events;
protected:
    HRESULT OnEvent(DISPID id, DISPPARAMS*, VARIANT*) override
    {
        events.push_back(id);
        return S_OK;
    }
};

TEST_F(OleTest, AControlMadeByCodeIsDrivenByDispatchId)
{
    CWnd player;
    ASSERT_TRUE(player.CreateControl(CLSID_MediaPlayer, nullptr, WS_VISIBLE, CRect(0, 0, 200, 150), &parent, 1017));
    EXPECT_EQ(player.GetDlgCtrlID(), 1017);
    EXPECT_EQ(CWnd::FromHandlePermanent(player.m_hWnd), &player);
    ASSERT_NE(player.GetControlUnknown(), nullptr);

    CWnd browser;
    ASSERT_TRUE(browser.CreateControl(CLSID_WebBrowser, nullptr, WS_VISIBLE, CRect(0, 0, 200, 150), &parent, 1018));
    for (BOOL value : { TRUE, FALSE }) {
        EXPECT_EQ(browser.SetProperty(DISPID_SILENT, VT_BOOL, value), S_OK);
        BOOL read = !value;
        EXPECT_EQ(browser.GetProperty(DISPID_SILENT, VT_BOOL, &read), S_OK);
        EXPECT_EQ(read, value);
    }

    // An unknown dispatch id fails through the result, not an exception.
    EXPECT_TRUE(FAILED(browser.InvokeHelper(0x7777, DISPATCH_METHOD, VT_EMPTY, nullptr, VTS_NONE)));

    CEvents events;
    EXPECT_EQ(events.Advise(player.GetControlUnknown(), DIID_MediaPlayerEvents), S_OK);
    EXPECT_TRUE(events.IsAdvised());
    events.Unadvise();
    EXPECT_FALSE(events.IsAdvised());
    player.DestroyWindow();
    browser.DestroyWindow();
}

TEST_F(OleTest, AnAutomationServerIsCalledWithArgumentsAndResults)
{
    COleDispatchDriver dictionary;
    ASSERT_EQ(dictionary.CreateDispatch("Scripting.Dictionary"), S_OK);
    VARIANT key, item;
    ::VariantInit(&key);
    ::VariantInit(&item);
    key.vt = VT_I4;
    key.lVal = 7;
    item.vt = VT_I4;
    item.lVal = 42;
    EXPECT_EQ(dictionary.InvokeHelper(1 /* Add */, DISPATCH_METHOD, VT_EMPTY, nullptr, VTS_VARIANT VTS_VARIANT, &key, &item), S_OK);
    long count = 0;
    EXPECT_EQ(dictionary.GetProperty(2 /* Count */, VT_I4, &count), S_OK);
    EXPECT_EQ(count, 1);
    BOOL exists = FALSE;
    EXPECT_EQ(dictionary.InvokeHelper(3 /* Exists */, DISPATCH_METHOD, VT_BOOL, &exists, VTS_VARIANT, &key), S_OK);
    EXPECT_TRUE(exists);
    long value = 0;
    EXPECT_EQ(dictionary.InvokeHelper(0 /* Item */, DISPATCH_PROPERTYGET, VT_I4, &value, VTS_VARIANT, &key), S_OK);
    EXPECT_EQ(value, 42);
}

class CHostDlg : public CDialog {
public:
    CHostDlg() : CDialog(IDD_CONTROL_HOST) {}
    CWnd m_player;
protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_PLAYER, m_player);
    }
};

TEST_F(OleTest, AControlInADialogTemplateIsBoundLikeAnyControl)
{
    CHostDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_CONTROL_HOST, &parent));
    ASSERT_NE(dlg.m_player.m_hWnd, nullptr);
    ASSERT_NE(dlg.m_player.GetControlUnknown(), nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(dlg.GetDlgItem(IDC_PLAYER)->m_hWnd), &dlg.m_player);
    IOleObject* ole = nullptr;
    EXPECT_EQ(dlg.m_player.GetControlUnknown()->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&ole)), S_OK);
    if (ole)
        ole->Release();
    dlg.DestroyWindow();
}

} // namespace
