// Shared pieces of the window-layer tests: the test program's application object (it
// records message boxes and handler exceptions instead of showing them) and the message pump.
#pragma once
#include "Framework.h"
#include "MessagePump.h"

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
