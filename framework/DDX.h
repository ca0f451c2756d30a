// Dialog data exchange routines, called from DoDataExchange (see CDialog.h). Each DDX_
// routine moves one value: into the control when pDX->m_bSaveAndValidate is FALSE, out of
// it (with a check) when TRUE. A DDV_ routine after a DDX_ one checks the value just read;
// on a failed check the user is told (AfxMessageBox) and the exchange fails (the dialog
// stays open, the control gets the focus). A quiet exchange (CDataExchange::m_bQuiet) skips
// such a value silently and goes on with the others.
#pragma once
#include "CDataExchange.h"
#include "CString.h"

// Edit controls (and any window text).
FW_API void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
FW_API void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
FW_API void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
FW_API void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
FW_API void DDX_Text(CDataExchange* pDX, int nIDC, unsigned long& value);
FW_API void DDX_Text(CDataExchange* pDX, int nIDC, short& value);
FW_API void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);
FW_API void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
FW_API void DDX_Text(CDataExchange* pDX, int nIDC, float& value);
// Check box: 0 unchecked, 1 checked, 2 indeterminate.
FW_API void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// Radio group starting at nIDC (the first button, with WS_GROUP): index of the checked
// button in the group, -1 for none.
FW_API void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
// List and combo boxes: selected index (-1 none), or selected text. Loading a string
// selects the first item that starts with it (Exact: that equals it); an editable combo
// box takes the text into its edit field.
FW_API void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
FW_API void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
FW_API void DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value);
FW_API void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
FW_API void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
FW_API void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value);
// Slider position; progress bar position.
FW_API void DDX_Slider(CDataExchange* pDX, int nIDC, int& value);
FW_API void DDX_Progress(CDataExchange* pDX, int nIDC, int& value);
// Binds a control object to the dialog's control (subclasses it) on the first exchange.
FW_API void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// Checks. DDV_MaxChars also limits an edit control's length when loading.
FW_API void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
FW_API void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
FW_API void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
FW_API void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
FW_API void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal);
FW_API void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal);
FW_API void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal);
