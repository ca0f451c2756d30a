// A box with a caption-coloured frame and word-wrapped text (normal mode), or a bold heading
// with an etched underline (bold mode). Drawn once into an off-screen bitmap, which every
// paint copies.
#pragma once
#include "CStatic.h"

class CCaptionStatic : public CStatic {
public:
    enum Mode { Normal = 0, Bold = 1 };

    CCaptionStatic();
    ~CCaptionStatic() override;

    void SetText(const CString& text);
    void SetFontWeight(int weight);
    void SetNormal();
    void SetBold();
    int GetMode() const { return m_mode; }
    // The off-screen picture (null before the first render).
    HDC PictureDC() const { return m_pictureDC; }
    COLORREF TextColor() const { return m_textColour; }
    COLORREF BackColor() const { return m_backColour; }

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnSysColorChange();
    DECLARE_MESSAGE_MAP()

private:
    void MakeFont();
    void Render();
    void DrawPicture();

    HFONT m_font = nullptr;
    LOGFONTA m_logFont = {};
    COLORREF m_textColour = 0;
    COLORREF m_backColour = 0;
    CString m_text;
    int m_mode = Normal;
    bool m_ready = false;
    HDC m_pictureDC = nullptr;
    HBITMAP m_picture = nullptr;
    HGDIOBJ m_oldPicture = nullptr;
    RECT m_client = {};
};
