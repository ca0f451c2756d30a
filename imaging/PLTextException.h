// The image library's exception: a numeric code and a text. Thrown by value.
#pragma once
#include "PLObject.h"
#include <string>

// Error codes carried by PLTextException.
enum {
    PL_ERRWRONG_SIGNATURE = 1,
    PL_ERRFORMAT_UNKNOWN = 2,
    PL_ERRPATH_NOT_FOUND = 3,
    PL_ERRFILE_NOT_FOUND = 4,
    PL_ERRACCESS_DENIED = 5,
    PL_ERRFORMAT_NOT_SUPPORTED = 6,
    PL_ERRINTERNAL = 7,
    PL_ERRUNKNOWN_FILE_TYPE = 8,
    PL_ERRNO_MEMORY = 10,
    PL_ERREND_OF_FILE = 11,
    PL_ERRFORMAT_NOT_COMPILED = 12
};

class PLTextException : public PLObject {
public:
    PLTextException(int code, const char* text);
    PLTextException(const PLTextException& other);
    PLTextException& operator=(const PLTextException& other);
    ~PLTextException() override;

    virtual int GetCode() const;
    virtual const char* GetText() const;

private:
    int m_Code;
    std::string m_Text;
};
