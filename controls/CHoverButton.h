// The push button of the dialogs: owner-drawn, flat with a thin border raised while the mouse
// is over it, one icon idle and another hovered or pressed, an optional tooltip, cursor and
// transparent background, and a press-and-hold menu that is off unless switched on.
//
// One source, three builds: the authoring program's (menu of target kinds), the viewers
// library's (VELMORA_HOVER_NO_MENU: no menu) and the installer's (VELMORA_HOVER_MENU_RESOURCE:
// a menu resource and submenu index instead of the fixed items).
#pragma once
#include "CButton.h"
#include "CToolTipCtrl.h"

class CHoverButton : public CButton {
public:
    enum Alignment { AlignHorizontal = 0, AlignVertical = 1 };
    enum { HoldTimer = 0x12345, HoldTime = 400 };

    CHoverButton();
    ~CHoverButton() override;

    static const char* GetVersionC() { return "2.5"; }
    static short GetVersionI() { return 25; }

    DWORD SetIcon(int iconIn, int iconOut = 0);
    void SetTooltipText(int textId, BOOL activate = TRUE);
    void SetTooltipText(const CString& text, BOOL activate = TRUE);
    void ActivateTooltip(BOOL activate = TRUE);
    BOOL SetBtnCursor(int cursorId = -1);
    void SetFlat(BOOL state = TRUE);
    BOOL GetFlat() const { return m_flat; }
    void SetAlign(int align);
    int GetAlign() const { return m_align; }
    void SetShowText(BOOL show = TRUE);
    BOOL GetShowText() const { return m_showText; }
    void SetFlatFocus(BOOL drawFlatFocus);
    void DrawBorder(BOOL enable = TRUE) { m_drawBorder = enable; }
    void SetDisabled(BOOL disabled) { m_disabled = disabled; }
    void DrawTransparent(BOOL transparent) { m_transparent = transparent; }
    void SetInactiveBgColor(COLORREF colour = ::GetSysColor(COLOR_BTNFACE), BOOL repaint = TRUE);
    void SetInactiveFgColor(COLORREF colour = ::GetSysColor(COLOR_BTNTEXT), BOOL repaint = TRUE);
    void SetActiveBgColor(COLORREF colour = ::GetSysColor(COLOR_BTNFACE), BOOL repaint = TRUE);
    void SetActiveFgColor(COLORREF colour = ::GetSysColor(COLOR_BTNTEXT), BOOL repaint = TRUE);
#ifdef VELMORA_HOVER_MENU_RESOURCE
    void SetMenu(BOOL enable, UINT menuId, int subMenu);
#else
    void SetMenu(BOOL enable, int value);
#endif

    // State, for the dialogs and the tests.
    BOOL IsMouseOver() const { return m_mouseOver; }
    BOOL IsDisabled() const { return m_disabled; }
    BOOL HasHoverIcon() const { return m_hasHoverIcon; }
    BOOL IsDefault() const { return m_isDefault; }
    int IconWidth() const { return m_iconWidth; }
    int IconHeight() const { return m_iconHeight; }
    COLORREF InactiveBgColor() const { return m_bgOut; }
    COLORREF ActiveBgColor() const { return m_bgIn; }
    COLORREF InactiveFgColor() const { return m_fgOut; }
    COLORREF ActiveFgColor() const { return m_fgIn; }
    UINT_PTR HoldTimerId() const { return m_holdTimer; }
    CToolTipCtrl& ToolTip() { return m_toolTip; }

protected:
    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DrawItem(LPDRAWITEMSTRUCT item) override;

    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnKillFocus(CWnd* newWnd);
    afx_msg void OnCaptureChanged(CWnd* wnd);
    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnSysColorChange();
    afx_msg void OnEnable(BOOL enable);
    DECLARE_MESSAGE_MAP()

    // Shows the press-and-hold menu under the button.
    virtual void TrackHoldMenu();

private:
    void InitToolTip();
    void Repaint();
    void TakeBackground(HDC dc, const RECT& rect);

    BOOL m_disabled = FALSE;
    int m_align = AlignHorizontal;
    BOOL m_showText = TRUE;
    BOOL m_drawBorder = TRUE;
    BOOL m_flat = TRUE;
    BOOL m_mouseOver = FALSE;
    BOOL m_hasHoverIcon = FALSE;
    BOOL m_drawFlatFocus = FALSE;
    HCURSOR m_cursor = nullptr;
    CToolTipCtrl m_toolTip;
    HICON m_iconIn = nullptr;
    HICON m_iconOut = nullptr;
    BYTE m_iconHeight = 0;
    BYTE m_iconWidth = 0;
    HDC m_bgDC = nullptr;
    HBITMAP m_bgBitmap = nullptr;
    HGDIOBJ m_bgOldBitmap = nullptr;
    BOOL m_transparent = FALSE;
    BOOL m_isDefault = FALSE;
    COLORREF m_bgOut;
    COLORREF m_fgOut;
    COLORREF m_bgIn;
    COLORREF m_fgIn;
    UINT_PTR m_holdTimer = 0;
    BOOL m_menuEnabled = FALSE;
    int m_menuValue = 0;
#ifdef VELMORA_HOVER_MENU_RESOURCE
    UINT m_menuId = 0;
#endif
};
