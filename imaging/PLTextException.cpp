#include "PLTextException.h"
#include "WinTypes.h"

PLTextException::PLTextException(int code, const char* text) : m_Code(code), m_Text(text ? text : "") {
#ifdef _WIN32
    // Errors from here on are shown to the user again.
    SetErrorMode(0);
#endif
}

PLTextException::PLTextException(const PLTextException& other) = default;
PLTextException& PLTextException::operator=(const PLTextException& other) = default;
PLTextException::~PLTextException() = default;

int PLTextException::GetCode() const { return m_Code; }
const char* PLTextException::GetText() const { return m_Text.c_str(); }
