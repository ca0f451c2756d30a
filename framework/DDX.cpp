#include "DDX.h"

#include "CResourceException.h"
#include "CWinApp.h"

#include <cstdarg>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <commctrl.h>

namespace {

CString GetText(HWND h)
{
    CString s;
    const int n = ::GetWindowTextLengthA(h);
    ::GetWindowTextA(h, s.GetBufferSetLength(n), n + 1);
    s.ReleaseBuffer();
    return s;
}

// A value that does not read or pass its check: the user is told and the exchange fails.
// A quiet exchange says nothing and goes on with the next value (false: skip this one).
bool Refuse(CDataExchange* pDX, const char* text)
{
    if (pDX->m_bQuiet)
        return false;
    AfxMessageBox(text, MB_ICONEXCLAMATION | MB_OK);
    pDX->Fail();
}

bool OnlySpaceLeft(const char* p)
{
    while (*p == ' ' || *p == '\t')
        ++p;
    return *p == 0;
}

// Reads a signed integer in [lo, hi] into v; refuses the text when it is not one.
bool ReadSigned(CDataExchange* pDX, HWND h, long long lo, long long hi, long long& v)
{
    CString text = GetText(h);
    const char* s = text;
    char* end = nullptr;
    errno = 0;
    v = std::strtoll(s, &end, 10);
    if (end == s || errno == ERANGE || !OnlySpaceLeft(end) || v < lo || v > hi)
        return Refuse(pDX, "Please enter an integer.");
    return true;
}

bool ReadUnsigned(CDataExchange* pDX, HWND h, unsigned long long hi, unsigned long long& v)
{
    CString text = GetText(h);
    const char* s = text;
    while (*s == ' ' || *s == '\t')
        ++s;
    char* end = nullptr;
    errno = 0;
    v = (*s == '-') ? 0 : std::strtoull(s, &end, 10);
    if (*s == '-' || end == s || errno == ERANGE || !OnlySpaceLeft(end) || v > hi)
        return Refuse(pDX, "Please enter a positive integer.");
    return true;
}

bool ReadDouble(CDataExchange* pDX, HWND h, double& v)
{
    CString text = GetText(h);
    const char* s = text;
    char* end = nullptr;
    errno = 0;
    v = std::strtod(s, &end);
    if (end == s || errno == ERANGE || !OnlySpaceLeft(end))
        return Refuse(pDX, "Please enter a number.");
    return true;
}

void SetNumber(HWND h, const char* format, ...)
{
    char buffer[64];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    ::SetWindowTextA(h, buffer);
}

template <class T>
void ExchangeSigned(CDataExchange* pDX, int nIDC, T& value, long long lo, long long hi)
{
    HWND h = pDX->PrepareEditCtrl(nIDC);
    long long v = 0;
    if (pDX->m_bSaveAndValidate) {
        if (ReadSigned(pDX, h, lo, hi, v))
            value = static_cast<T>(v);
    } else
        SetNumber(h, "%lld", static_cast<long long>(value));
}

template <class T>
void ExchangeUnsigned(CDataExchange* pDX, int nIDC, T& value, unsigned long long hi)
{
    HWND h = pDX->PrepareEditCtrl(nIDC);
    unsigned long long v = 0;
    if (pDX->m_bSaveAndValidate) {
        if (ReadUnsigned(pDX, h, hi, v))
            value = static_cast<T>(v);
    } else
        SetNumber(h, "%llu", static_cast<unsigned long long>(value));
}

void RangeFail(CDataExchange* pDX, const char* format, ...)
{
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    Refuse(pDX, text);
}

void ExchangeListString(CDataExchange* pDX, int nIDC, CString& value, bool combo, bool exact)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    const UINT getCur = combo ? CB_GETCURSEL : LB_GETCURSEL;
    const UINT getLen = combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
    const UINT getText = combo ? CB_GETLBTEXT : LB_GETTEXT;
    const UINT setCur = combo ? CB_SETCURSEL : LB_SETCURSEL;
    const UINT find = combo ? (exact ? CB_FINDSTRINGEXACT : CB_FINDSTRING) : (exact ? LB_FINDSTRINGEXACT : LB_FINDSTRING);
    const bool editable = combo && (::GetWindowLongA(h, GWL_STYLE) & 3) != CBS_DROPDOWNLIST;
    if (pDX->m_bSaveAndValidate) {
        if (editable) {
            value = GetText(h);
            return;
        }
        const int sel = static_cast<int>(::SendMessageA(h, getCur, 0, 0));
        if (sel < 0) {
            value.Empty();
            return;
        }
        const int n = static_cast<int>(::SendMessageA(h, getLen, sel, 0));
        ::SendMessageA(h, getText, sel, reinterpret_cast<LPARAM>(value.GetBufferSetLength(n > 0 ? n : 0)));
        value.ReleaseBuffer();
    } else {
        const int index = static_cast<int>(::SendMessageA(h, find, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.c_str())));
        if (index >= 0)
            ::SendMessageA(h, setCur, index, 0);
        else if (!combo)
            ::SendMessageA(h, setCur, static_cast<WPARAM>(-1), 0);
        if (editable)
            ::SetWindowTextA(h, value);
    }
}

} // namespace

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND h = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = GetText(h);
    else
        ::SetWindowTextA(h, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) { ExchangeSigned(pDX, nIDC, value, INT_MIN, INT_MAX); }
void DDX_Text(CDataExchange* pDX, int nIDC, long& value) { ExchangeSigned(pDX, nIDC, value, LONG_MIN, LONG_MAX); }
void DDX_Text(CDataExchange* pDX, int nIDC, short& value) { ExchangeSigned(pDX, nIDC, value, SHRT_MIN, SHRT_MAX); }
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) { ExchangeUnsigned(pDX, nIDC, value, UINT_MAX); }
void DDX_Text(CDataExchange* pDX, int nIDC, unsigned long& value) { ExchangeUnsigned(pDX, nIDC, value, ULONG_MAX); }
void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value) { ExchangeUnsigned(pDX, nIDC, value, 255); }

void DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    HWND h = pDX->PrepareEditCtrl(nIDC);
    double v = 0;
    if (pDX->m_bSaveAndValidate) {
        if (ReadDouble(pDX, h, v))
            value = v;
    } else
        SetNumber(h, "%.15g", value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, float& value)
{
    HWND h = pDX->PrepareEditCtrl(nIDC);
    double v = 0;
    if (pDX->m_bSaveAndValidate) {
        if (ReadDouble(pDX, h, v))
            value = static_cast<float>(v);
    } else
        SetNumber(h, "%.7g", static_cast<double>(value));
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(h, BM_GETCHECK, 0, 0));
    else
        ::SendMessageA(h, BM_SETCHECK, static_cast<WPARAM>(value < 0 || value > 2 ? 0 : value), 0);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    for (HWND b = h; b; b = ::GetWindow(b, GW_HWNDNEXT)) {
        if (b != h && (::GetWindowLongA(b, GWL_STYLE) & WS_GROUP))
            break;
        const UINT code = static_cast<UINT>(::SendMessageA(b, WM_GETDLGCODE, 0, 0));
        if (!(code & DLGC_RADIOBUTTON))
            continue;
        if (pDX->m_bSaveAndValidate) {
            if (::SendMessageA(b, BM_GETCHECK, 0, 0) == BST_CHECKED && value < 0)
                value = index;
        } else {
            ::SendMessageA(b, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        ++index;
    }
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageA(h, LB_GETCURSEL, 0, 0));
    else
        ::SendMessageA(h, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageA(h, CB_GETCURSEL, 0, 0));
    else
        ::SendMessageA(h, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value) { ExchangeListString(pDX, nIDC, value, false, false); }
void DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value) { ExchangeListString(pDX, nIDC, value, false, true); }
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) { ExchangeListString(pDX, nIDC, value, true, false); }
void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value) { ExchangeListString(pDX, nIDC, value, true, true); }

void DDX_Slider(CDataExchange* pDX, int nIDC, int& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(h, TBM_GETPOS, 0, 0));
    else
        ::SendMessageA(h, TBM_SETPOS, TRUE, value);
}

void DDX_Progress(CDataExchange* pDX, int nIDC, int& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(h, PBM_GETPOS, 0, 0));
    else
        ::SendMessageA(h, PBM_SETPOS, static_cast<WPARAM>(value), 0);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(h))
        AfxThrowResourceException();
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->m_bSaveAndValidate) {
        if (value.GetLength() > nChars)
            RangeFail(pDX, "Please enter no more than %d characters.", nChars);
    } else if (pDX->m_hWndLastControl && pDX->m_bEditLastControl) {
        ::SendMessageA(pDX->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
    }
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        RangeFail(pDX, "Please enter an integer between %d and %d.", minVal, maxVal);
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        RangeFail(pDX, "Please enter an integer between %u and %u.", minVal, maxVal);
}

void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        RangeFail(pDX, "Please enter an integer between %ld and %ld.", minVal, maxVal);
}

void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        RangeFail(pDX, "Please enter an integer between %lu and %lu.", (unsigned long)minVal, (unsigned long)maxVal);
}

void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        RangeFail(pDX, "Please enter an integer between %u and %u.", (unsigned)minVal, (unsigned)maxVal);
}

void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        RangeFail(pDX, "Please enter a number between %g and %g.", minVal, maxVal);
}
