// Base of the framework's exceptions. They are thrown as heap pointers
// (throw new CFileException(...)) and the catcher calls Delete().
#pragma once
#include "WinTypes.h"

class FW_API CException {
public:
    CException() = default;
    virtual ~CException() = default;
    CException(const CException&) = delete;
    CException& operator=(const CException&) = delete;

    // Frees an exception caught by pointer.
    void Delete() { delete this; }
    // Copies a readable text of the error into the buffer; false when there is none.
    virtual BOOL GetErrorMessage(LPTSTR buffer, UINT maxChars, UINT* helpContext = nullptr) const;
};
