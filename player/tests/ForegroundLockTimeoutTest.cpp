// The foreground-lock time-out: cleared for the run, restored only when it was saved, and
// never written to the user's profile (HKCU\Control Panel\Desktop, read back with the registry).
#include "CForegroundLockTimeout.h"
#include <gtest/gtest.h>

namespace {

// The profile's value, or -1 when it has none.
long long ProfileValue()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return -1;
    DWORD value = 0, size = sizeof value, type = 0;
    const LONG r = RegQueryValueExA(key, "ForegroundLockTimeout", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    return r == ERROR_SUCCESS && type == REG_DWORD ? (long long)value : -1;
}

} // namespace

TEST(ForegroundLockTimeout, ClearedForTheRunAndPutBackAtTheEnd)
{
    ASSERT_TRUE(CForegroundLockTimeout::Set(123456));
    const long long profile = ProfileValue();
    {
        CForegroundLockTimeout lock;
        ASSERT_TRUE(lock.SaveAndClear());
        DWORD now = 1;
        ASSERT_TRUE(CForegroundLockTimeout::Get(now));
        EXPECT_EQ(now, 0u);
        lock.Restore();
        ASSERT_TRUE(CForegroundLockTimeout::Get(now));
        EXPECT_EQ(now, 123456u);
        EXPECT_FALSE(lock.IsSaved());

        // Restored once only: a later change by someone else stays.
        CForegroundLockTimeout::Set(777);
        lock.Restore();
        ASSERT_TRUE(CForegroundLockTimeout::Get(now));
        EXPECT_EQ(now, 777u);
    }
    {
        // Nothing saved: Restore writes nothing (it would have written 0).
        CForegroundLockTimeout never;
        never.Restore();
        DWORD now = 0;
        ASSERT_TRUE(CForegroundLockTimeout::Get(now));
        EXPECT_EQ(now, 777u);
    }
    EXPECT_EQ(ProfileValue(), profile);
}
