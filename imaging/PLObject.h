// Root of the image library's classes.
#pragma once

class PLObject {
public:
    virtual ~PLObject() = default;
    // Consistency check hook; the library's classes have nothing to check.
    virtual void AssertValid() const {}
};
