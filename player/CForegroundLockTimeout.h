// The system's foreground-lock time-out, set to 0 while the player runs so that the
// targets it opens can come to the foreground, and put back at the end. The change holds
// for this session only: the user's profile is never written.
#pragma once
#include <windows.h>

class CForegroundLockTimeout {
public:
    // Saves the time-out and sets it to 0; false (nothing saved, nothing changed) when the
    // system has none to read.
    bool SaveAndClear();
    // Puts the saved time-out back, when one was saved, once.
    void Restore();
    bool IsSaved() const { return m_saved; }

    // The time-out now in force; false when it cannot be read.
    static bool Get(DWORD& milliseconds);
    static bool Set(DWORD milliseconds);

private:
    DWORD m_value = 0;
    bool m_saved = false;
};
