// Whether Windows AutoPlay starts CDs on this machine, judged from its registry settings,
// and the repair of those settings. Plain code over the registry helper: what counts as
// "disabled" differs between the Windows 9x and the NT families.
#pragma once
#include "CRegistryKey.h"

class CAutoPlayCheck {
public:
    enum Kind {
        KindOther = 0,
        KindWindows95 = 1,
        KindWindows98 = 2,
        KindWindows98SE = 3,
        KindWindowsNT4 = 4,
        KindWindowsMe = 5,
        KindWindows2000 = 6,
        KindWindowsXP = 7  // and every later NT system
    };
    enum RepairResult { RepairNothingToDo, RepairSucceeded, RepairFailed };
    enum { PolicyCdromBit = 0x20, EnumValuesAndKeys = CRegistryKey::EnumValues | CRegistryKey::EnumKeys };

    // The kind of a system from its version information (platform id 1: 9x, 2: NT); an
    // unknown platform gives previous back unchanged.
    static int KindOf(DWORD platformId, DWORD major, DWORD minor, DWORD build, int previous = KindOther);
#ifdef _WIN32
    // The kind of the running system.
    static int RunningKind();
#endif

    explicit CAutoPlayCheck(int kind) : m_kind(kind) {}
    int GetKind() const { return m_kind; }

    bool IsAutoPlayEnabled() const;
    // No "NoDriveTypeAutoRun" that the check understands has the CD-ROM bit set.
    bool PolicyAllows() const;
    // The CD-ROM service's "Autorun" (NT kinds); absent counts as on.
    bool CdromServiceNotifies() const;
    // The last "AutoInsertNotification" found on the 9x device keys decides; none: on.
    bool DevicesNotify() const;

    RepairResult Repair() const;

    // "AutoCheckAutoPlay": whether the authoring program checks at start-up. ReadStartup
    // gives false when the value is missing or not a DWORD.
    static bool ReadStartupSetting(DWORD& value);
    static bool WriteStartupSetting(DWORD value);

    static const char* const PolicyValue;
    static const char* const StartupKey;
    static const char* const StartupValue;

private:
    // A value the check can judge: a DWORD, or the first byte of a non-empty binary value.
    // Other types and sizes are not judged (and never rewritten).
    static bool ReadFlag(const CRegistryKey& key, const char* subKey, const char* name, DWORD& flag);
    // Repairs a judged value in its own form: the CD-ROM bit cleared (the flag ANDed with
    // 0xDF) or the flag set to 1; a DWORD is written whole, a binary value with its first byte
    // replaced and the rest kept. A missing or unjudged value is left alone (true); false
    // when the write fails.
    static bool Rewrite(const CRegistryKey& key, const char* subKey, const char* name, bool clearCdromBit);
    // Every device key of the 9x walk with the value each is asked for.
    struct DeviceValue {
        CString subKey;
        const char* name;
    };
    static void DeviceValues(std::vector<DeviceValue>& out);
    static void DirectSubkeys(const char* subKey, std::vector<CString>& out);

    int m_kind;
};
