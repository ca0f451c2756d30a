// The state of one data exchange between a window's members and its controls
// (CWnd::UpdateData runs DoDataExchange with it). The DDX_ and DDV_ routines are in DDX.h.
#pragma once
#include "CUserException.h"
#include "CWnd.h"

class FW_API CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    // The control of the id (remembered for Fail); throws CResourceException when missing.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Ends the exchange: focuses the last control prepared (selecting an edit's text) and
    // throws CUserException, which UpdateData catches (it then returns FALSE).
    [[noreturn]] void Fail();

    BOOL m_bSaveAndValidate;   // TRUE: controls -> members (with the checks)
    // A quiet exchange (a window mirroring its controls as they are typed) refuses nothing:
    // a value that does not read (a half-typed number) or does not pass its check is passed
    // over without a message, its member keeps what it held, and the exchange goes on with
    // the next value. A Fail called by the dialog itself still ends it, the focus left alone.
    BOOL m_bQuiet = FALSE;
    CWnd* m_pDlgWnd;
    HWND m_hWndLastControl = nullptr;
    BOOL m_bEditLastControl = FALSE;
};
