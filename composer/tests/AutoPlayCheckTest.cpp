// The AutoPlay check's judgement and repair, against the in-memory registry.
#include "CAutoPlayCheck.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const char kUserPolicy[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const char kUsersPolicy[] = ".DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const char kMachinePolicy[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const char kCdrom[] = "System\\Currentcontrolset\\Services\\Cdrom";

void SetRaw(HKEY root, const char* subKey, const char* name, DWORD type, const std::vector<BYTE>& bytes)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, bytes.data(), static_cast<DWORD>(bytes.size())), ERROR_SUCCESS);
    RegCloseKey(key);
}

// The value as stored: its type and bytes; type 0 when it is missing.
std::pair<DWORD, std::vector<BYTE>> Stored(HKEY root, const char* subKey, const char* name)
{
    CRegistryValue value;
    if (!CRegistryKey(root).QueryValue(subKey, name, value))
        return {0, {}};
    return {value.GetType(), std::vector<BYTE>(value.GetData(), value.GetData() + value.GetSize())};
}

std::vector<BYTE> Dword(DWORD v)
{
    return {BYTE(v), BYTE(v >> 8), BYTE(v >> 16), BYTE(v >> 24)};
}

class AutoPlayCheck : public ::testing::Test {
protected:
    void SetUp() override { ClearMemoryRegistry(); }
    void TearDown() override
    {
        EXPECT_EQ(OpenMemoryRegistryHandles(), 0);
        ClearMemoryRegistry();
    }
};

TEST(AutoPlayKind, FromVersionInformation)
{
    struct Case {
        DWORD platform, major, minor, build;
        int kind;
    } cases[] = {
        {1, 4, 0, 950, CAutoPlayCheck::KindWindows95},
        {1, 4, 9, 0, CAutoPlayCheck::KindWindows95},
        {1, 4, 10, 1998, CAutoPlayCheck::KindWindows98},
        {1, 4, 10, 0x040A08AE, CAutoPlayCheck::KindWindows98SE},  // build 2222 in the low word
        {1, 4, 10, 0x040A08AD, CAutoPlayCheck::KindWindows98},
        {1, 4, 89, 3000, CAutoPlayCheck::KindWindows98SE},
        {1, 4, 90, 3000, CAutoPlayCheck::KindWindowsMe},
        {2, 4, 0, 1381, CAutoPlayCheck::KindWindowsNT4},
        {2, 5, 0, 2195, CAutoPlayCheck::KindWindows2000},
        {2, 5, 1, 2600, CAutoPlayCheck::KindWindowsXP},
        {2, 6, 1, 7601, CAutoPlayCheck::KindWindowsXP},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CAutoPlayCheck::KindOf(c.platform, c.major, c.minor, c.build), c.kind)
            << c.platform << " " << c.major << "." << c.minor << "." << c.build;
    EXPECT_EQ(CAutoPlayCheck::KindOf(0, 3, 1, 0, CAutoPlayCheck::KindWindowsMe), CAutoPlayCheck::KindWindowsMe)
        << "an unknown platform leaves the kind as it was";
}

TEST_F(AutoPlayCheck, NothingSetIsEnabledOnEveryKind)
{
    for (int kind = 0; kind <= 7; ++kind)
        EXPECT_TRUE(CAutoPlayCheck(kind).IsAutoPlayEnabled()) << kind;
}

TEST_F(AutoPlayCheck, PolicyValuesAreJudgedAndRepairedInTheirOwnForm)
{
    SetRaw(HKEY_CURRENT_USER, kUserPolicy, CAutoPlayCheck::PolicyValue, REG_DWORD, Dword(0xFF));
    SetRaw(HKEY_USERS, kUsersPolicy, CAutoPlayCheck::PolicyValue, REG_BINARY, {0xBD, 0x20, 0x07});
    // Neither a string nor an empty binary value is judged or written.
    SetRaw(HKEY_LOCAL_MACHINE, kMachinePolicy, CAutoPlayCheck::PolicyValue, REG_SZ, {'2', '5', '5', 0});
    const CAutoPlayCheck check(CAutoPlayCheck::KindWindowsXP);
    EXPECT_FALSE(check.PolicyAllows());
    EXPECT_FALSE(check.IsAutoPlayEnabled());

    EXPECT_EQ(check.Repair(), CAutoPlayCheck::RepairSucceeded);
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kUserPolicy, CAutoPlayCheck::PolicyValue),
              std::make_pair(DWORD(REG_DWORD), Dword(0xDF)));
    EXPECT_EQ(Stored(HKEY_USERS, kUsersPolicy, CAutoPlayCheck::PolicyValue),
              std::make_pair(DWORD(REG_BINARY), std::vector<BYTE>{0x9D, 0x20, 0x07}));
    EXPECT_EQ(Stored(HKEY_LOCAL_MACHINE, kMachinePolicy, CAutoPlayCheck::PolicyValue),
              std::make_pair(DWORD(REG_SZ), std::vector<BYTE>{'2', '5', '5', 0}));
    EXPECT_EQ(Stored(HKEY_LOCAL_MACHINE, kCdrom, "Autorun"), std::make_pair(DWORD(REG_DWORD), Dword(1)))
        << "the NT repair creates the CD-ROM service value";
    EXPECT_TRUE(check.IsAutoPlayEnabled());
}

TEST_F(AutoPlayCheck, UnjudgedPolicyValuesCountAsAbsent)
{
    const struct {
        DWORD type;
        std::vector<BYTE> bytes;
    } cases[] = {{REG_BINARY, {}}, {REG_DWORD, {0xFF, 0xFF}}, {REG_SZ, {'x', 0}}, {REG_MULTI_SZ, {0, 0}}};
    for (const auto& c : cases) {
        ClearMemoryRegistry();
        SetRaw(HKEY_CURRENT_USER, kUserPolicy, CAutoPlayCheck::PolicyValue, c.type, c.bytes);
        const CAutoPlayCheck check(CAutoPlayCheck::KindWindows2000);
        EXPECT_TRUE(check.PolicyAllows()) << c.type << " of " << c.bytes.size() << " bytes";
        EXPECT_EQ(check.Repair(), CAutoPlayCheck::RepairSucceeded);
        EXPECT_EQ(Stored(HKEY_CURRENT_USER, kUserPolicy, CAutoPlayCheck::PolicyValue), std::make_pair(c.type, c.bytes))
            << "left as it was";
    }
}

TEST_F(AutoPlayCheck, CdromServiceDecidesOnNtKindsOnly)
{
    SetRaw(HKEY_LOCAL_MACHINE, kCdrom, "Autorun", REG_DWORD, Dword(0));
    EXPECT_FALSE(CAutoPlayCheck(CAutoPlayCheck::KindWindowsNT4).IsAutoPlayEnabled());
    EXPECT_FALSE(CAutoPlayCheck(CAutoPlayCheck::KindWindowsXP).IsAutoPlayEnabled());
    EXPECT_TRUE(CAutoPlayCheck(CAutoPlayCheck::KindWindows98).IsAutoPlayEnabled());
    EXPECT_TRUE(CAutoPlayCheck(CAutoPlayCheck::KindOther).IsAutoPlayEnabled());
    EXPECT_EQ(CAutoPlayCheck(CAutoPlayCheck::KindOther).Repair(), CAutoPlayCheck::RepairNothingToDo);
    EXPECT_EQ(Stored(HKEY_LOCAL_MACHINE, kCdrom, "Autorun").second, Dword(0)) << "kind 0 repairs nothing";

    EXPECT_EQ(CAutoPlayCheck(CAutoPlayCheck::KindWindows2000).Repair(), CAutoPlayCheck::RepairSucceeded);
    EXPECT_EQ(Stored(HKEY_LOCAL_MACHINE, kCdrom, "Autorun").second, Dword(1));
    EXPECT_TRUE(CAutoPlayCheck(CAutoPlayCheck::KindWindowsNT4).IsAutoPlayEnabled());
}

TEST_F(AutoPlayCheck, NineXDevicesTheLastFoundDecidesAndRepairSetsEvery)
{
    const char dev1[] = "Enum\\SCSI\\BUS0\\CDROM1";
    const char dev2[] = "Enum\\SCSI\\BUS1\\CDROM2";
    const char hdc[] = "System\\CurrentControlSet\\Services\\Class\\hdc\\0000";
    const CAutoPlayCheck check(CAutoPlayCheck::KindWindows98SE);

    SetRaw(HKEY_LOCAL_MACHINE, dev1, "AutoInsertNotification", REG_DWORD, Dword(0));
    SetRaw(HKEY_LOCAL_MACHINE, dev2, "AutoInsertNotification", REG_BINARY, {0x01, 0x55});
    EXPECT_TRUE(check.DevicesNotify()) << "the last device found is on";
    SetRaw(HKEY_LOCAL_MACHINE, hdc, "AutoInsertNotificationDrive1", REG_BINARY, {0x00, 0x66});
    EXPECT_FALSE(check.DevicesNotify()) << "the hdc keys come after the SCSI devices";
    EXPECT_FALSE(check.IsAutoPlayEnabled());
    EXPECT_TRUE(CAutoPlayCheck(CAutoPlayCheck::KindWindowsXP).IsAutoPlayEnabled()) << "NT kinds do not look at devices";

    EXPECT_EQ(check.Repair(), CAutoPlayCheck::RepairSucceeded);
    EXPECT_EQ(Stored(HKEY_LOCAL_MACHINE, dev1, "AutoInsertNotification").second, Dword(1));
    EXPECT_EQ(Stored(HKEY_LOCAL_MACHINE, dev2, "AutoInsertNotification").second, (std::vector<BYTE>{0x01, 0x55}));
    EXPECT_EQ(Stored(HKEY_LOCAL_MACHINE, hdc, "AutoInsertNotificationDrive1").second, (std::vector<BYTE>{0x01, 0x66}));
    EXPECT_EQ(Stored(HKEY_LOCAL_MACHINE, kCdrom, "Autorun").first, 0u) << "9x kinds leave the NT service alone";
    EXPECT_TRUE(check.IsAutoPlayEnabled());
}

TEST_F(AutoPlayCheck, StartupSetting)
{
    DWORD value = 7;
    EXPECT_FALSE(CAutoPlayCheck::ReadStartupSetting(value));
    ASSERT_TRUE(CAutoPlayCheck::WriteStartupSetting(0));
    ASSERT_TRUE(CAutoPlayCheck::ReadStartupSetting(value));
    EXPECT_EQ(value, 0u);
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, "SOFTWARE\\Corvex Software", "AutoCheckAutoPlay").second, Dword(0));
}

}  // namespace
