// What a window holding a player control tells the viewer that made it.
#pragma once

class ControlWindowOwner {
public:
    // The target has ended (played out, closed by the user, or given up with a reason for
    // the log).
    virtual void WindowEnded(const char* reason) = 0;

protected:
    ~ControlWindowOwner() = default;
};
