// A label with three fixed looks: plain (0), white on the selection colour (1) and a large
// selection-coloured heading with an icon (2).
#pragma once
#include "CStatic.h"

class CStyledLabel : public CStatic {
public:
    enum { IconSmall = 130, IconHeading = 133 };

    CStyledLabel();
    ~CStyledLabel() override;

    void SetStyle(int style);
    int GetLabelStyle() const { return m_style; }
    void SetText(const CString& text) { m_text = text; }
    COLORREF TextColor() const { return m_textColour; }
    COLORREF BackColor() const { return m_backColour; }
    const LOGFONTA& FontDescription() const { return m_logFont; }

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnSysColorChange();
    DECLARE_MESSAGE_MAP()

private:
    int m_style = 0;
    HFONT m_font = nullptr;
    LOGFONTA m_logFont = {};
    COLORREF m_textColour = 0;
    COLORREF m_backColour = 0;
    HICON m_icon130 = nullptr;
    HICON m_icon133 = nullptr;
    CString m_text;
};
