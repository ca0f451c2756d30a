// Read-only rich-text display window: shows a text written in the small mark-up language
// (bold, italic, underline, colours, cursor shifts, links, internal links, literal mode),
// wraps it to its width, scrolls it with its own scroll bars and opens links on a click.
#pragma once
#include "CCorvGdiCanvas.h"
#include "CCorvLayout.h"
#include "CCorvScroller.h"
#include "CWnd.h"

class CCorvEdit : public CWnd {
    DECLARE_DYNCREATE(CCorvEdit)
public:
    enum Mode { PlainLook = 0, CaptionLook = 1 };
    static const char* const ClassName;

    CCorvEdit();
    ~CCorvEdit() override;

    // 1 when the window was made, 0 when creation failed.
    BOOL Create(DWORD exStyle, const RECT& rect, CWnd* parent, UINT id, DWORD style, int mode = PlainLook);
    void SetText(const CString& text);
    CString GetText() const { return m_text; }
    void SetSize(int width, int height);

    // What the window shows, for its owner and its tests.
    const CCorvLayout& Layout() const { return m_layout; }
    HDC LayoutDC() const { return m_layoutDC; }
    HDC PaintDC() const { return m_paintDC; }
    int LayoutWidth() const { return m_layoutWidth; }
    int LayoutHeight() const { return m_layoutHeight; }
    HCURSOR HandCursor() const { return m_hand; }
    COLORREF BackgroundColor() const { return m_background; }
    int ScrollX() const { return m_hScroll.Position(); }
    int ScrollY() const { return m_vScroll.Position(); }

protected:
    // Opens an external link's target with the shell.
    virtual void OpenExternalLink(const CString& target);

    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnSysColorChange();
    DECLARE_MESSAGE_MAP()

private:
    static void RegisterWindowClass();
    void SetUp();
    void MakeFonts();
    void DeleteFonts();
    void LoadHandCursor();
    void Relayout();
    bool SizeLayoutBuffer(int width, int height);
    void SizePaintBuffer();
    void UpdateScrollBars();
    void Scroll(int bar, CCorvScroller& scroller, UINT code, int step);
    int WrapWidth() const;

    CWnd* m_parent = nullptr;
    HDC m_layoutDC = nullptr;
    HBITMAP m_layoutBitmap = nullptr;
    HGDIOBJ m_layoutOldBitmap = nullptr;
    int m_layoutWidth = 0;
    int m_layoutHeight = 0;
    HDC m_paintDC = nullptr;
    HBITMAP m_paintBitmap = nullptr;
    HGDIOBJ m_paintOldBitmap = nullptr;
    BYTE m_setUp = 0;
    int m_width = 0;
    int m_height = 0;
    int m_left = 0;
    int m_top = 0;
    CCorvScroller m_vScroll;
    CCorvScroller m_hScroll;
    int m_mode = PlainLook;
    LOGFONTA m_logFont = {};
    HGDIOBJ m_oldFont = nullptr;
    HFONT m_fonts[CCorvGdiCanvas::FontCount] = {};
    COLORREF m_background = 0;
    HCURSOR m_hand = nullptr;
    bool m_ownHand = false;
    CString m_text;
    CCorvLayout m_layout;
};
