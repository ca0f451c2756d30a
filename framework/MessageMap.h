// Message maps: every window (and command target) class has a table of the messages it
// handles, chained to its base class's table. Lookup walks the tables from the most derived
// class to CCmdTarget; the first entry that matches is called, otherwise the message goes to
// DefWindowProc. How to declare one:
//
//   // header
//   class CMyDlg : public CDialog {
//   protected:
//       afx_msg void OnTimer(UINT_PTR id);
//       afx_msg void OnBrowse();
//       afx_msg LRESULT OnPauseSound(WPARAM, LPARAM);
//       DECLARE_MESSAGE_MAP()
//   };
//   // source
//   BEGIN_MESSAGE_MAP(CMyDlg, CDialog)
//       ON_WM_TIMER()                                 // handler name and signature are fixed
//       ON_BN_CLICKED(IDC_BROWSE, &CMyDlg::OnBrowse)  // command / control notification
//       ON_REGISTERED_MESSAGE(g_msgPauseSound, &CMyDlg::OnPauseSound)  // UINT variable
//   END_MESSAGE_MAP()
//
// Handler signatures of the ON_WM_ macros (a handler that does not fully handle a message
// calls the base class's handler, e.g. CDialog::OnTimer(id), which runs the default
// processing):
//   ON_WM_CREATE          int  OnCreate(LPCREATESTRUCT)            (-1 fails the creation)
//   ON_WM_DESTROY / ON_WM_NCDESTROY / ON_WM_CLOSE / ON_WM_PAINT / ON_WM_NCPAINT /
//   ON_WM_SYSCOLORCHANGE  void OnXxx()
//   ON_WM_TIMER           void OnTimer(UINT_PTR nIDEvent)
//   ON_WM_MOUSEMOVE, ON_WM_LBUTTONDOWN/UP/DBLCLK, ON_WM_RBUTTONDOWN/UP
//                         void OnXxx(UINT nFlags, CPoint point)     (client coordinates)
//   ON_WM_ERASEBKGND      BOOL OnEraseBkgnd(CDC* pDC)
//   ON_WM_SETCURSOR       BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
//   ON_WM_SETFOCUS / ON_WM_KILLFOCUS / ON_WM_CAPTURECHANGED   void OnXxx(CWnd* pWnd)
//   ON_WM_ENABLE          void OnEnable(BOOL bEnable)
//   ON_WM_SHOWWINDOW      void OnShowWindow(BOOL bShow, UINT nStatus)
//   ON_WM_SIZE            void OnSize(UINT nType, int cx, int cy)
//   ON_WM_MOVE            void OnMove(int x, int y)
//   ON_WM_DRAWITEM        void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT)
//   ON_WM_MEASUREITEM     void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT)
//   ON_WM_CTLCOLOR        HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)   (CTLCOLOR_*)
//   ON_WM_QUERYDRAGICON   HCURSOR OnQueryDragIcon()
//   ON_WM_HSCROLL / ON_WM_VSCROLL  void OnXxx(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
//   ON_WM_NCHITTEST       LRESULT OnNcHitTest(CPoint point)         (screen coordinates)
//   ON_WM_NCCALCSIZE      void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS*)
//   ON_WM_WINDOWPOSCHANGING / ON_WM_WINDOWPOSCHANGED  void OnXxx(WINDOWPOS*)
//   ON_WM_INITMENUPOPUP   void OnInitMenuPopup(CMenu* pPopup, UINT nIndex, BOOL bSysMenu)
//   ON_WM_MENUCHAR        LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
//   ON_WM_ENTERMENULOOP / ON_WM_EXITMENULOOP  void OnXxx(BOOL bIsTrackPopupMenu)
//   ON_WM_CHAR, ON_WM_KEYDOWN, ON_WM_KEYUP  void OnXxx(UINT nChar, UINT nRepCnt, UINT nFlags)
//   ON_WM_SYSCOMMAND      void OnSysCommand(UINT nID, LPARAM lParam)
//   ON_WM_ACTIVATE        void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
//   ON_WM_CONTEXTMENU     void OnContextMenu(CWnd* pWnd, CPoint point)
// Generic entries:
//   ON_MESSAGE(WM_x, fn) and ON_REGISTERED_MESSAGE(variable, fn)  LRESULT fn(WPARAM, LPARAM)
//   ON_COMMAND(id, fn)  void fn()            ON_COMMAND_RANGE(first, last, fn)  void fn(UINT id)
//   ON_CONTROL(code, id, fn), ON_BN_CLICKED(id, fn), ON_EN_CHANGE(id, fn) ...  void fn()
//   ON_NOTIFY(code, id, fn)  void fn(NMHDR*, LRESULT*)
//   ON_UPDATE_COMMAND_UI(id, fn)  void fn(CCmdUI*)
// Reflected messages (handled by the control itself before its parent sees them):
//   ON_CONTROL_REFLECT(code, fn) void fn(); ON_NOTIFY_REFLECT(code, fn) void fn(NMHDR*, LRESULT*);
//   ON_WM_CTLCOLOR_REFLECT() HBRUSH CtlColor(CDC* pDC, UINT nCtlColor) (null: parent decides).
//   Owner-draw is reflected through virtual members: CButton/CStatic/CListBox/CComboBox::DrawItem,
//   MeasureItem; CMenu::DrawItem/MeasureItem for ODT_MENU items of a menu object that exists.
#pragma once
#include "WinTypes.h"

class CCmdTarget;
typedef void (CCmdTarget::*AFX_PMSG)();

#ifndef afx_msg
#define afx_msg
#endif

// How a handler is called (its signature). Each ON_ macro records one.
enum AfxSig : UINT {
    AfxSig_end = 0,
    AfxSig_vv,        // void ()
    AfxSig_vw,        // void (UINT)                          command ranges
    AfxSig_is,        // int (LPCREATESTRUCT)
    AfxSig_vt,        // void (UINT_PTR)                      WM_TIMER
    AfxSig_vwp,       // void (UINT, CPoint)                  mouse messages
    AfxSig_bD,        // BOOL (CDC*)                          WM_ERASEBKGND
    AfxSig_bWww,      // BOOL (CWnd*, UINT, UINT)             WM_SETCURSOR
    AfxSig_vWw,       // void (CWnd*) from WPARAM             WM_SETFOCUS, WM_KILLFOCUS
    AfxSig_vWl,       // void (CWnd*) from LPARAM             WM_CAPTURECHANGED
    AfxSig_vb,        // void (BOOL)
    AfxSig_vbw,       // void (BOOL, UINT)                    WM_SHOWWINDOW
    AfxSig_vwii,      // void (UINT, int, int)                WM_SIZE
    AfxSig_vii,       // void (int, int)                      WM_MOVE
    AfxSig_vOWNER,    // void (int, LPxxxSTRUCT)              WM_DRAWITEM, WM_MEASUREITEM
    AfxSig_hDWw,      // HBRUSH (CDC*, CWnd*, UINT)           WM_CTLCOLOR*
    AfxSig_hDw,       // HBRUSH (CDC*, UINT)                  reflected WM_CTLCOLOR*
    AfxSig_hv,        // HCURSOR/HANDLE ()                    WM_QUERYDRAGICON
    AfxSig_vwwS,      // void (UINT, UINT, CScrollBar*)       WM_HSCROLL, WM_VSCROLL
    AfxSig_lp,        // LRESULT (CPoint)                     WM_NCHITTEST
    AfxSig_vbNC,      // void (BOOL, NCCALCSIZE_PARAMS*)      WM_NCCALCSIZE
    AfxSig_vPOS,      // void (WINDOWPOS*)
    AfxSig_vMwb,      // void (CMenu*, UINT, BOOL)            WM_INITMENUPOPUP
    AfxSig_lwwM,      // LRESULT (UINT, UINT, CMenu*)         WM_MENUCHAR
    AfxSig_vwww,      // void (UINT, UINT, UINT)              keys
    AfxSig_vwl,       // void (UINT, LPARAM)                  WM_SYSCOMMAND
    AfxSig_vwWb,      // void (UINT, CWnd*, BOOL)             WM_ACTIVATE
    AfxSig_vWp,       // void (CWnd*, CPoint)                 WM_CONTEXTMENU
    AfxSig_lwl,       // LRESULT (WPARAM, LPARAM)             ON_MESSAGE, ON_REGISTERED_MESSAGE
    AfxSig_vNMHDRpl,  // void (NMHDR*, LRESULT*)              ON_NOTIFY
    AfxSig_cmdui,     // void (CCmdUI*)                       ON_UPDATE_COMMAND_UI
};

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;                // window message (or WM_REFLECT_BASE + message)
    UINT nCode;                   // notification code (low 16 bits) for commands and notifications
    UINT nID;                     // first control or command id
    UINT nLastID;                 // last id of a range (== nID for one id)
    UINT nSig;                    // AfxSig
    AFX_PMSG pfn;                 // the handler
    const UINT* pRegisteredMsg;   // for ON_REGISTERED_MESSAGE: the variable holding the number
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Reflected messages reach the control as WM_REFLECT_BASE + the original message.
#define WM_REFLECT_BASE 0xBC00
// Command code of a command-state update (ON_UPDATE_COMMAND_UI).
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)-1)
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

// The entries store handlers of every signature in one member-pointer type (cast back by
// signature when called), so the cast warning is off inside the table.
#define AFX_MSGMAP_WARNINGS_OFF_ _Pragma("GCC diagnostic push") _Pragma("GCC diagnostic ignored \"-Wcast-function-type\"")
#define AFX_MSGMAP_WARNINGS_ON_ _Pragma("GCC diagnostic pop")

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    AFX_MSGMAP_WARNINGS_OFF_ \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() \
    { \
        typedef theClass ThisClass; \
        typedef baseClass TheBaseClass; \
        (void)sizeof(ThisClass); \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP() \
            { 0, 0, 0, 0, AfxSig_end, nullptr, nullptr } \
        }; \
        static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap, &_messageEntries[0] }; \
        return &messageMap; \
    } \
    AFX_MSGMAP_WARNINGS_ON_

// An entry: checks the handler's type against the signature, then stores it untyped.
#define AFX_MSG_ENTRY_(msg, code, id, last, sig, type, fn, reg) \
    { (UINT)(msg), (UINT)(WORD)(code), (UINT)(id), (UINT)(last), sig, \
      reinterpret_cast<AFX_PMSG>(static_cast<type>(fn)), reg },
#define AFX_WM_(msg, sig, type, fn) AFX_MSG_ENTRY_(msg, 0, 0, 0, sig, type, fn, nullptr)

#define ON_WM_CREATE() AFX_WM_(WM_CREATE, AfxSig_is, int (CWnd::*)(LPCREATESTRUCT), &ThisClass::OnCreate)
#define ON_WM_DESTROY() AFX_WM_(WM_DESTROY, AfxSig_vv, void (CWnd::*)(), &ThisClass::OnDestroy)
#define ON_WM_NCDESTROY() AFX_WM_(WM_NCDESTROY, AfxSig_vv, void (CWnd::*)(), &ThisClass::OnNcDestroy)
#define ON_WM_CLOSE() AFX_WM_(WM_CLOSE, AfxSig_vv, void (CWnd::*)(), &ThisClass::OnClose)
#define ON_WM_PAINT() AFX_WM_(WM_PAINT, AfxSig_vv, void (CWnd::*)(), &ThisClass::OnPaint)
#define ON_WM_NCPAINT() AFX_WM_(WM_NCPAINT, AfxSig_vv, void (CWnd::*)(), &ThisClass::OnNcPaint)
#define ON_WM_SYSCOLORCHANGE() AFX_WM_(WM_SYSCOLORCHANGE, AfxSig_vv, void (CWnd::*)(), &ThisClass::OnSysColorChange)
#define ON_WM_TIMER() AFX_WM_(WM_TIMER, AfxSig_vt, void (CWnd::*)(UINT_PTR), &ThisClass::OnTimer)
#define ON_WM_MOUSEMOVE() AFX_WM_(WM_MOUSEMOVE, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), &ThisClass::OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_WM_(WM_LBUTTONDOWN, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), &ThisClass::OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_WM_(WM_LBUTTONUP, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), &ThisClass::OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_WM_(WM_LBUTTONDBLCLK, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), &ThisClass::OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_WM_(WM_RBUTTONDOWN, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), &ThisClass::OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_WM_(WM_RBUTTONUP, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), &ThisClass::OnRButtonUp)
#define ON_WM_ERASEBKGND() AFX_WM_(WM_ERASEBKGND, AfxSig_bD, BOOL (CWnd::*)(CDC*), &ThisClass::OnEraseBkgnd)
#define ON_WM_SETCURSOR() AFX_WM_(WM_SETCURSOR, AfxSig_bWww, BOOL (CWnd::*)(CWnd*, UINT, UINT), &ThisClass::OnSetCursor)
#define ON_WM_SETFOCUS() AFX_WM_(WM_SETFOCUS, AfxSig_vWw, void (CWnd::*)(CWnd*), &ThisClass::OnSetFocus)
#define ON_WM_KILLFOCUS() AFX_WM_(WM_KILLFOCUS, AfxSig_vWw, void (CWnd::*)(CWnd*), &ThisClass::OnKillFocus)
#define ON_WM_CAPTURECHANGED() AFX_WM_(WM_CAPTURECHANGED, AfxSig_vWl, void (CWnd::*)(CWnd*), &ThisClass::OnCaptureChanged)
#define ON_WM_ENABLE() AFX_WM_(WM_ENABLE, AfxSig_vb, void (CWnd::*)(BOOL), &ThisClass::OnEnable)
#define ON_WM_SHOWWINDOW() AFX_WM_(WM_SHOWWINDOW, AfxSig_vbw, void (CWnd::*)(BOOL, UINT), &ThisClass::OnShowWindow)
#define ON_WM_SIZE() AFX_WM_(WM_SIZE, AfxSig_vwii, void (CWnd::*)(UINT, int, int), &ThisClass::OnSize)
#define ON_WM_MOVE() AFX_WM_(WM_MOVE, AfxSig_vii, void (CWnd::*)(int, int), &ThisClass::OnMove)
#define ON_WM_DRAWITEM() AFX_WM_(WM_DRAWITEM, AfxSig_vOWNER, void (CWnd::*)(int, LPDRAWITEMSTRUCT), &ThisClass::OnDrawItem)
#define ON_WM_MEASUREITEM() AFX_WM_(WM_MEASUREITEM, AfxSig_vOWNER, void (CWnd::*)(int, LPMEASUREITEMSTRUCT), &ThisClass::OnMeasureItem)
#define ON_WM_CTLCOLOR() AFX_WM_(WM_CTLCOLOR, AfxSig_hDWw, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), &ThisClass::OnCtlColor)
#define ON_WM_CTLCOLOR_REFLECT() AFX_WM_(WM_REFLECT_BASE + WM_CTLCOLOR, AfxSig_hDw, HBRUSH (CWnd::*)(CDC*, UINT), &ThisClass::CtlColor)
#define ON_WM_QUERYDRAGICON() AFX_WM_(WM_QUERYDRAGICON, AfxSig_hv, HCURSOR (CWnd::*)(), &ThisClass::OnQueryDragIcon)
#define ON_WM_HSCROLL() AFX_WM_(WM_HSCROLL, AfxSig_vwwS, void (CWnd::*)(UINT, UINT, CScrollBar*), &ThisClass::OnHScroll)
#define ON_WM_VSCROLL() AFX_WM_(WM_VSCROLL, AfxSig_vwwS, void (CWnd::*)(UINT, UINT, CScrollBar*), &ThisClass::OnVScroll)
#define ON_WM_NCHITTEST() AFX_WM_(WM_NCHITTEST, AfxSig_lp, LRESULT (CWnd::*)(CPoint), &ThisClass::OnNcHitTest)
#define ON_WM_NCCALCSIZE() AFX_WM_(WM_NCCALCSIZE, AfxSig_vbNC, void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*), &ThisClass::OnNcCalcSize)
#define ON_WM_WINDOWPOSCHANGING() AFX_WM_(WM_WINDOWPOSCHANGING, AfxSig_vPOS, void (CWnd::*)(WINDOWPOS*), &ThisClass::OnWindowPosChanging)
#define ON_WM_WINDOWPOSCHANGED() AFX_WM_(WM_WINDOWPOSCHANGED, AfxSig_vPOS, void (CWnd::*)(WINDOWPOS*), &ThisClass::OnWindowPosChanged)
#define ON_WM_INITMENUPOPUP() AFX_WM_(WM_INITMENUPOPUP, AfxSig_vMwb, void (CWnd::*)(CMenu*, UINT, BOOL), &ThisClass::OnInitMenuPopup)
#define ON_WM_MENUCHAR() AFX_WM_(WM_MENUCHAR, AfxSig_lwwM, LRESULT (CWnd::*)(UINT, UINT, CMenu*), &ThisClass::OnMenuChar)
#define ON_WM_ENTERMENULOOP() AFX_WM_(WM_ENTERMENULOOP, AfxSig_vb, void (CWnd::*)(BOOL), &ThisClass::OnEnterMenuLoop)
#define ON_WM_EXITMENULOOP() AFX_WM_(WM_EXITMENULOOP, AfxSig_vb, void (CWnd::*)(BOOL), &ThisClass::OnExitMenuLoop)
#define ON_WM_CHAR() AFX_WM_(WM_CHAR, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), &ThisClass::OnChar)
#define ON_WM_KEYDOWN() AFX_WM_(WM_KEYDOWN, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), &ThisClass::OnKeyDown)
#define ON_WM_KEYUP() AFX_WM_(WM_KEYUP, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), &ThisClass::OnKeyUp)
#define ON_WM_SYSCOMMAND() AFX_WM_(WM_SYSCOMMAND, AfxSig_vwl, void (CWnd::*)(UINT, LPARAM), &ThisClass::OnSysCommand)
#define ON_WM_ACTIVATE() AFX_WM_(WM_ACTIVATE, AfxSig_vwWb, void (CWnd::*)(UINT, CWnd*, BOOL), &ThisClass::OnActivate)
#define ON_WM_CONTEXTMENU() AFX_WM_(WM_CONTEXTMENU, AfxSig_vWp, void (CWnd::*)(CWnd*, CPoint), &ThisClass::OnContextMenu)

#define ON_MESSAGE(message, memberFxn) \
    AFX_WM_(message, AfxSig_lwl, LRESULT (CWnd::*)(WPARAM, LPARAM), memberFxn)
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    AFX_MSG_ENTRY_(0xC000, 0, 0, 0, AfxSig_lwl, LRESULT (CWnd::*)(WPARAM, LPARAM), memberFxn, &nMessageVariable)

#define ON_COMMAND(id, memberFxn) \
    AFX_MSG_ENTRY_(WM_COMMAND, CN_COMMAND, id, id, AfxSig_vv, void (CCmdTarget::*)(), memberFxn, nullptr)
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    AFX_MSG_ENTRY_(WM_COMMAND, CN_COMMAND, id, idLast, AfxSig_vw, void (CCmdTarget::*)(UINT), memberFxn, nullptr)
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    AFX_MSG_ENTRY_(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, id, AfxSig_cmdui, void (CCmdTarget::*)(CCmdUI*), memberFxn, nullptr)
#define ON_CONTROL(code, id, memberFxn) \
    AFX_MSG_ENTRY_(WM_COMMAND, code, id, id, AfxSig_vv, void (CCmdTarget::*)(), memberFxn, nullptr)
#define ON_CONTROL_RANGE(code, id, idLast, memberFxn) \
    AFX_MSG_ENTRY_(WM_COMMAND, code, id, idLast, AfxSig_vw, void (CCmdTarget::*)(UINT), memberFxn, nullptr)
#define ON_NOTIFY(code, id, memberFxn) \
    AFX_MSG_ENTRY_(WM_NOTIFY, code, id, id, AfxSig_vNMHDRpl, void (CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn, nullptr)
#define ON_CONTROL_REFLECT(code, memberFxn) \
    AFX_MSG_ENTRY_(WM_REFLECT_BASE + WM_COMMAND, code, 0, 0, AfxSig_vv, void (CCmdTarget::*)(), memberFxn, nullptr)
#define ON_NOTIFY_REFLECT(code, memberFxn) \
    AFX_MSG_ENTRY_(WM_REFLECT_BASE + WM_NOTIFY, code, 0, 0, AfxSig_vNMHDRpl, void (CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn, nullptr)

#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)
#define ON_BN_CLICKED_REFLECT(memberFxn) ON_CONTROL_REFLECT(BN_CLICKED, memberFxn)
