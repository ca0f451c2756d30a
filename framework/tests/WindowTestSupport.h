// Shared pieces of the window-layer tests: the test program's application object (it
// records message boxes and handler exceptions instead of showing them) and a message pump.
#pragma once
#include "Framework.h"

#include <functional>
#include <string>
#include <vector>

class CTestApp : public CWinApp {
public:
    int DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT) override
    {
        messageBoxes.push_back(lpszPrompt);
        return IDOK;
    }
    LRESULT ProcessWndProcException(LPCTSTR lpszError, const MSG* pMsg) override
    {
        exceptions.push_back(lpszError);
        exceptionMessages.push_back(pMsg ? pMsg->message : 0);
        return 0;
    }
    std::vector<std::string> messageBoxes;
    std::vector<std::string> exceptions;
    std::vector<UINT> exceptionMessages;
};

CTestApp& TestApp();

// Pumps this thread's messages (through the framework's PreTranslateMessage) until done()
// or the time-out; true when done() became true.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000)
{
    const DWORD start = ::GetTickCount();
    MSG msg;
    while (!done()) {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                continue;
            if (!AfxPreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}
