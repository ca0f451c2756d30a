#include "CAutoPlayCheck.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

const char kPolicyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

struct PolicyPlace {
    HKEY root;
    const char* subKey;
};

const PolicyPlace kPolicyPlaces[] = {
    {HKEY_CURRENT_USER, kPolicyPath},
    {HKEY_USERS, ".DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer"},
    {HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer"},
};

const char kCdromKey[] = "System\\Currentcontrolset\\Services\\Cdrom";
const char kCdromValue[] = "Autorun";
const char kScsiKey[] = "Enum\\SCSI";
const char kHdcKey[] = "System\\CurrentControlSet\\Services\\Class\\hdc";
const char kDeviceValue[] = "AutoInsertNotification";
const char kDriveValue[] = "AutoInsertNotificationDrive1";

bool IsNineX(int kind)
{
    return kind == CAutoPlayCheck::KindWindows95 || kind == CAutoPlayCheck::KindWindows98 ||
           kind == CAutoPlayCheck::KindWindows98SE || kind == CAutoPlayCheck::KindWindowsMe;
}

bool IsNT(int kind)
{
    return kind == CAutoPlayCheck::KindWindowsNT4 || kind == CAutoPlayCheck::KindWindows2000 ||
           kind == CAutoPlayCheck::KindWindowsXP;
}

// Whether a value is one the check judges, and its flag.
bool FlagOf(const CRegistryValue& value, DWORD& flag)
{
    if (value.GetType() == REG_DWORD && value.GetSize() == 4)
        return value.GetDword(flag);
    if (value.GetType() == REG_BINARY && value.GetSize() >= 1) {
        flag = value.GetData()[0];
        return true;
    }
    return false;
}

}  // namespace

const char* const CAutoPlayCheck::PolicyValue = "NoDriveTypeAutoRun";
const char* const CAutoPlayCheck::StartupKey = "SOFTWARE\\Corvex Software";
const char* const CAutoPlayCheck::StartupValue = "AutoCheckAutoPlay";

int CAutoPlayCheck::KindOf(DWORD platformId, DWORD major, DWORD minor, DWORD build, int previous)
{
    const DWORD lowBuild = build & 0xFFFF;
    if (platformId == 1) {  // Windows 9x
        if (minor <= 9)
            return KindWindows95;
        if (minor < 90)
            return lowBuild < 2222 ? KindWindows98 : KindWindows98SE;
        return KindWindowsMe;
    }
    if (platformId == 2) {  // NT
        if (major < 5)
            return KindWindowsNT4;
        return build <= 2195 ? KindWindows2000 : KindWindowsXP;
    }
    return previous;
}

#ifdef _WIN32
int CAutoPlayCheck::RunningKind()
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!::GetVersionExA(&info))
        return KindOther;
#pragma GCC diagnostic pop
    return KindOf(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber);
}
#endif

bool CAutoPlayCheck::ReadFlag(const CRegistryKey& key, const char* subKey, const char* name, DWORD& flag)
{
    CRegistryValue value;
    return key.QueryValue(subKey, name, value) && FlagOf(value, flag);
}

bool CAutoPlayCheck::Rewrite(const CRegistryKey& key, const char* subKey, const char* name, bool clearCdromBit)
{
    CRegistryValue value;
    DWORD flag = 0;
    if (!key.QueryValue(subKey, name, value) || !FlagOf(value, flag))
        return true;  // nothing there the check judges: nothing to write
    const DWORD repaired = clearCdromBit ? (flag & 0xDF) : 1;
    if (value.GetType() == REG_DWORD)
        return key.SetDword(subKey, name, repaired);
    std::vector<BYTE> bytes(value.GetData(), value.GetData() + value.GetSize());
    bytes[0] = static_cast<BYTE>(repaired);
    return key.SetBinary(subKey, name, bytes.data(), static_cast<DWORD>(bytes.size()));
}

void CAutoPlayCheck::DirectSubkeys(const char* subKey, std::vector<CString>& out)
{
    out.clear();
    CRegistryKey key(HKEY_LOCAL_MACHINE);
    key.SetMaxDepth(0);
    if (!key.Enumerate(subKey, EnumValuesAndKeys))
        return;
    // The walk leaves "\name||" for each direct subkey.
    const CString list = key.GetCurrentPath();
    int start = 0;
    while (start < list.GetLength()) {
        const int end = list.Find("||", start);
        CString item = end < 0 ? list.Mid(start) : list.Mid(start, end - start);
        if (item.GetLength() > 0 && item[0] == '\\')
            item = item.Mid(1);
        if (!item.IsEmpty())
            out.push_back(item);
        if (end < 0)
            break;
        start = end + 2;
    }
}

void CAutoPlayCheck::DeviceValues(std::vector<DeviceValue>& out)
{
    out.clear();
    std::vector<CString> buses, devices;
    DirectSubkeys(kScsiKey, buses);
    for (const CString& bus : buses) {
        const CString busKey = CString(kScsiKey) + "\\" + bus;
        DirectSubkeys(busKey, devices);
        for (const CString& device : devices)
            out.push_back({busKey + "\\" + device, kDeviceValue});
    }
    DirectSubkeys(kHdcKey, devices);
    for (const CString& device : devices)
        out.push_back({CString(kHdcKey) + "\\" + device, kDriveValue});
}

bool CAutoPlayCheck::PolicyAllows() const
{
    for (const PolicyPlace& place : kPolicyPlaces) {
        DWORD flag = 0;
        if (ReadFlag(CRegistryKey(place.root), place.subKey, PolicyValue, flag) && (flag & PolicyCdromBit))
            return false;
    }
    return true;
}

bool CAutoPlayCheck::CdromServiceNotifies() const
{
    DWORD flag = 1;
    if (!CRegistryKey(HKEY_LOCAL_MACHINE).QueryDword(kCdromKey, kCdromValue, flag))
        flag = 1;
    return flag != 0;
}

bool CAutoPlayCheck::DevicesNotify() const
{
    DWORD decisive = 1;
    std::vector<DeviceValue> values;
    DeviceValues(values);
    const CRegistryKey machine(HKEY_LOCAL_MACHINE);
    for (const DeviceValue& v : values) {
        DWORD flag = 0;
        if (ReadFlag(machine, v.subKey, v.name, flag))
            decisive = flag;
    }
    return decisive != 0;
}

bool CAutoPlayCheck::IsAutoPlayEnabled() const
{
    if (IsNineX(m_kind))
        return PolicyAllows() && DevicesNotify();
    if (IsNT(m_kind))
        return PolicyAllows() && CdromServiceNotifies();
    return true;
}

CAutoPlayCheck::RepairResult CAutoPlayCheck::Repair() const
{
    if (!IsNineX(m_kind) && !IsNT(m_kind))
        return RepairNothingToDo;
    bool ok = true;
    for (const PolicyPlace& place : kPolicyPlaces)
        ok = Rewrite(CRegistryKey(place.root), place.subKey, PolicyValue, true) && ok;
    const CRegistryKey machine(HKEY_LOCAL_MACHINE);
    if (IsNineX(m_kind)) {
        std::vector<DeviceValue> values;
        DeviceValues(values);
        for (const DeviceValue& v : values)
            ok = Rewrite(machine, v.subKey, v.name, false) && ok;
    } else {
        ok = machine.SetDword(kCdromKey, kCdromValue, 1) && ok;
    }
    return ok ? RepairSucceeded : RepairFailed;
}

bool CAutoPlayCheck::ReadStartupSetting(DWORD& value)
{
    return CRegistryKey(HKEY_CURRENT_USER).QueryDword(StartupKey, StartupValue, value);
}

bool CAutoPlayCheck::WriteStartupSetting(DWORD value)
{
    return CRegistryKey(HKEY_CURRENT_USER).SetDword(StartupKey, StartupValue, value);
}
