// An etched line dividing dialog areas: vertical when taller than wide, else horizontal
// with the window text as a bold caption interrupting it.
#pragma once
#include "CStatic.h"

class CSeparatorStatic : public CStatic {
public:
    // The caption as drawn: two blanks on the side (or sides) facing the line.
    static CString Caption(const CString& text, DWORD style);

protected:
    afx_msg void OnPaint();
    afx_msg void OnSysColorChange();
    DECLARE_MESSAGE_MAP()
};
