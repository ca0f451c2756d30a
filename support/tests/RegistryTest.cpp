// The registry helper against a real registry: Wine's under Wine (checked with Wine's own
// reg.exe as well), the in-memory one in the native tree.
#include "CRegistryKey.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <type_traits>

namespace {

const char kTestKey[] = "Software\\Velmora Tests\\Registry";

static_assert(!std::is_copy_constructible<CRegistryValue>::value, "a value owns its heap");
static_assert(!std::is_copy_assignable<CRegistryValue>::value, "a value owns its heap");

class Registry : public ::testing::Test {
protected:
    void SetUp() override
    {
        reg.Delete("Software\\Velmora Tests", nullptr);
    }
    void TearDown() override
    {
        reg.Delete("Software\\Velmora Tests", nullptr);
#ifndef _WIN32
        EXPECT_EQ(OpenMemoryRegistryHandles(), 0) << "an operation left a key open";
#endif
    }
    CString Sub(const char* path) const { return CString(kTestKey) + "\\" + path; }
    // Stores raw bytes as the registry allows them, whatever the type says.
    void SetRaw(const char* name, DWORD type, const void* data, DWORD size)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                                  nullptr, &key, nullptr), ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
        RegCloseKey(key);
    }
    CRegistryKey reg{ HKEY_CURRENT_USER };
};

TEST_F(Registry, TypedValuesRoundTrip)
{
    ASSERT_TRUE(reg.SetDword(kTestKey, "Count", 0x12345678));
    ASSERT_TRUE(reg.SetString(kTestKey, "Text", "C:\\Program Files\\x \xe9t\xe9"));
    const BYTE bytes[5] = { 0, 1, 2, 0xFF, 0 };
    ASSERT_TRUE(reg.SetBinary(kTestKey, "Blob", bytes, sizeof bytes));
    ASSERT_TRUE(reg.SetMultiString(kTestKey, "List", { "one", "", "three" }));

    DWORD d = 0;
    EXPECT_TRUE(reg.QueryDword(kTestKey, "Count", d));
    EXPECT_EQ(d, 0x12345678u);
    CString s;
    EXPECT_TRUE(reg.QueryString(kTestKey, "Text", s));
    EXPECT_EQ(s, "C:\\Program Files\\x \xe9t\xe9");
    BYTE back[5] = {};
    EXPECT_TRUE(reg.QueryBinary(kTestKey, "Blob", back, sizeof back));
    EXPECT_EQ(std::memcmp(back, bytes, 5), 0);
    // A multi-string ends at its first empty string.
    std::vector<CString> list;
    EXPECT_TRUE(reg.QueryMultiString(kTestKey, "List", list));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0], "one");

    CRegistryValue value;
    ASSERT_TRUE(reg.QueryValue(kTestKey, "Text", value));
    EXPECT_EQ(value.GetType(), DWORD(REG_SZ));
    EXPECT_EQ(value.GetSize(), DWORD(std::strlen("C:\\Program Files\\x \xe9t\xe9") + 1));
}

TEST_F(Registry, ReadOfAnotherTypeOrLengthFails)
{
    ASSERT_TRUE(reg.SetString(kTestKey, "Text", "12"));
    ASSERT_TRUE(reg.SetDword(kTestKey, "Count", 7));
    const BYTE bytes[3] = { 9, 9, 9 };
    ASSERT_TRUE(reg.SetBinary(kTestKey, "Blob", bytes, 3));
    DWORD d = 5;
    EXPECT_FALSE(reg.QueryDword(kTestKey, "Text", d));
    CString s;
    EXPECT_FALSE(reg.QueryString(kTestKey, "Count", s));
    BYTE back[4] = { 1, 1, 1, 1 };
    EXPECT_FALSE(reg.QueryBinary(kTestKey, "Blob", back, 4));
    EXPECT_FALSE(reg.QueryBinary(kTestKey, "Blob", back, 2));
    EXPECT_EQ(back[0], 1) << "a failed binary read copies nothing";
    EXPECT_FALSE(reg.QueryDword(kTestKey, "Missing", d));
    EXPECT_FALSE(reg.QueryDword("Software\\Velmora Tests\\Nowhere", "Count", d));
}

TEST_F(Registry, ReadsAreBoundedByTheStoredSize)
{
    SetRaw("NoNul", REG_SZ, "abc", 3);
    SetRaw("Short", REG_DWORD, "\x01\x02", 2);
    SetRaw("Empty", REG_SZ, "", 0);
    SetRaw("OpenList", REG_MULTI_SZ, "ab\0cd", 5);
    const BYTE big[4] = { 0x11, 0x22, 0x33, 0x44 };
    SetRaw("Big", REG_DWORD_BIG_ENDIAN, big, 4);

    CString s = "x";
    EXPECT_TRUE(reg.QueryString(kTestKey, "NoNul", s));
    EXPECT_EQ(s, "abc");
    EXPECT_TRUE(reg.QueryString(kTestKey, "Empty", s));
    EXPECT_EQ(s, "");
    DWORD d = 0;
    EXPECT_FALSE(reg.QueryDword(kTestKey, "Short", d));
    std::vector<CString> list;
    EXPECT_TRUE(reg.QueryMultiString(kTestKey, "OpenList", list));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0], "ab");
    EXPECT_EQ(list[1], "cd");
    // A big-endian DWORD comes back as stored, unconverted.
    EXPECT_TRUE(reg.QueryDword(kTestKey, "Big", d));
    EXPECT_EQ(d, 0x44332211u);
}

TEST(RegistryValue, FormatsInMemory)
{
    CRegistryValue empty(std::vector<CString>{});
    EXPECT_EQ(empty.GetType(), DWORD(REG_MULTI_SZ));
    ASSERT_EQ(empty.GetSize(), 2u);
    EXPECT_EQ(empty.GetData()[0], 0);
    EXPECT_EQ(empty.GetData()[1], 0);
    std::vector<CString> list{ "x" };
    EXPECT_TRUE(empty.GetMultiString(list));
    EXPECT_TRUE(list.empty());

    CRegistryValue text;
    text.SetString(nullptr, true);
    EXPECT_EQ(text.GetType(), DWORD(REG_EXPAND_SZ));
    EXPECT_EQ(text.GetSize(), 1u);

    CRegistryValue multi;
    const char* texts[] = { "a", "bc" };
    multi.SetMultiString(texts, 2);
    ASSERT_EQ(multi.GetSize(), 6u);
    EXPECT_EQ(std::memcmp(multi.GetData(), "a\0bc\0\0", 6), 0);

    CRegistryValue none;
    DWORD d;
    EXPECT_FALSE(none.GetDword(d));
    CString s;
    EXPECT_FALSE(none.GetString(s));
    none.Allocate(0);
    EXPECT_EQ(none.GetSize(), 0u);
}

TEST_F(Registry, EmptyMultiStringStoresTwoNuls)
{
    ASSERT_TRUE(reg.SetMultiString(kTestKey, "None", {}));
    CRegistryValue value;
    ASSERT_TRUE(reg.QueryValue(kTestKey, "None", value));
    EXPECT_EQ(value.GetSize(), 2u);
    std::vector<CString> list{ "stale" };
    EXPECT_TRUE(reg.QueryMultiString(kTestKey, "None", list));
    EXPECT_TRUE(list.empty());
}

TEST_F(Registry, DeleteValueAndWholeTree)
{
    ASSERT_TRUE(reg.SetDword(Sub("a\\b\\c"), "v", 1));
    ASSERT_TRUE(reg.SetDword(Sub("a\\b2"), "v", 2));
    ASSERT_TRUE(reg.SetDword(Sub("a"), "w", 3));
    ASSERT_TRUE(reg.SetDword(Sub("keep"), "k", 4));

    EXPECT_TRUE(reg.Delete(Sub("a"), "w"));
    EXPECT_FALSE(reg.Delete(Sub("a"), "w"));
    EXPECT_TRUE(reg.Delete(Sub("a"), nullptr));
    DWORD subKeys = 9, values = 9;
    EXPECT_FALSE(reg.QueryInfo(Sub("a"), &subKeys, &values));
    EXPECT_FALSE(reg.Delete(Sub("a"), nullptr)) << "a missing key";
    DWORD d = 0;
    EXPECT_TRUE(reg.QueryDword(Sub("keep"), "k", d));
}

TEST_F(Registry, DeleteRefusesAnEmptyPath)
{
    ASSERT_TRUE(reg.SetDword(Sub("x"), "v", 1));
    CRegistryKey below(HKEY_CURRENT_USER);
    HKEY opened = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kTestKey, 0, KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE, &opened),
              ERROR_SUCCESS);
    below.SetRoot(opened);
    EXPECT_FALSE(below.Delete("", nullptr));
    EXPECT_FALSE(below.Delete(nullptr, nullptr));
    EXPECT_FALSE(below.Delete("\\", nullptr));
    RegCloseKey(opened);
    DWORD d = 0;
    EXPECT_TRUE(reg.QueryDword(Sub("x"), "v", d)) << "the root was emptied";
}

TEST_F(Registry, QueryInfoCounts)
{
    ASSERT_TRUE(reg.SetDword(Sub("empty"), "v", 1));
    ASSERT_TRUE(reg.Delete(Sub("empty"), "v"));
    DWORD subKeys = 9, values = 9;
    EXPECT_FALSE(reg.QueryInfo(Sub("empty"), &subKeys, &values));
    EXPECT_EQ(subKeys, 0u);
    EXPECT_EQ(values, 0u);
    ASSERT_TRUE(reg.SetDword(Sub("full\\child"), "v", 1));
    ASSERT_TRUE(reg.SetDword(Sub("full"), "v", 1));
    ASSERT_TRUE(reg.SetDword(Sub("full"), "w", 1));
    EXPECT_TRUE(reg.QueryInfo(Sub("full"), &subKeys, nullptr));
    EXPECT_EQ(subKeys, 1u);
    EXPECT_TRUE(reg.QueryInfo(Sub("full"), nullptr, &values));
    EXPECT_EQ(values, 2u);
}

class Recorder : public CRegistryKey {
public:
    using CRegistryKey::CRegistryKey;
    std::vector<std::string> seen;

protected:
    bool OnEnumValue(const char* keyPath, const char* name, const CRegistryValue& value, int depth) override
    {
        CString s;
        value.GetString(s);
        seen.push_back(std::string(keyPath) + "|" + name + "=" + s.c_str() + "@" + std::to_string(depth));
        return CRegistryKey::OnEnumValue(keyPath, name, value, depth);
    }
};

TEST_F(Registry, EnumerateWalksValuesAndKeys)
{
    ASSERT_TRUE(reg.SetString(Sub("walk"), "top", "1"));
    ASSERT_TRUE(reg.SetString(Sub("walk\\one"), "v", "2"));
    ASSERT_TRUE(reg.SetString(Sub("walk\\two\\deep"), "v", "3"));
    Recorder walker(HKEY_CURRENT_USER);
    const CString walk = Sub("walk");
    ASSERT_TRUE(walker.Enumerate(walk, CRegistryKey::EnumValues | CRegistryKey::EnumKeys));
    ASSERT_EQ(walker.seen.size(), 3u);
    EXPECT_EQ(walker.seen[0], std::string(walk) + "|top=1@0");
    EXPECT_EQ(walker.seen[1], std::string(walk) + "\\one|v=2@1");
    EXPECT_EQ(walker.seen[2], std::string(walk) + "\\two\\deep|v=3@2");
    EXPECT_EQ(walker.GetCurrentPath(), "\\one\\two\\deep");
    ASSERT_EQ(walker.GetNameCount(), 2) << "names of values below the top";
    EXPECT_EQ(walker.GetName(0), walk + "\\one");

    // The list of direct subkeys, as the AutoPlay check reads it; a second walk starts afresh.
    walker.SetMaxDepth(0);
    for (int pass = 0; pass < 2; ++pass) {
        ASSERT_TRUE(walker.Enumerate(walk, 3));
        EXPECT_EQ(walker.GetCurrentPath(), "\\one||\\two||") << "pass " << pass;
    }
    EXPECT_FALSE(walker.Enumerate(Sub("missing"), 3));
    EXPECT_EQ(walker.GetCurrentPath(), "");
}

TEST_F(Registry, RootAndConnect)
{
    CRegistryKey key(HKEY_LOCAL_MACHINE);
    key.SetMaxDepth(3);
    EXPECT_EQ(key.SetRoot(HKEY_CURRENT_USER), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(key.GetMaxDepth(), 100);
    CRegistryKey copy(key);
    EXPECT_EQ(copy.GetRoot(), HKEY_CURRENT_USER);
    EXPECT_FALSE(key.Connect("\\\\no-such-machine-here", HKEY_LOCAL_MACHINE));
    EXPECT_EQ(key.GetRoot(), HKEY_CURRENT_USER);
    // This machine's own registry: the connected key (which may be the predefined one) is
    // the root from now on.
    ASSERT_TRUE(key.Connect(nullptr, HKEY_CURRENT_USER));
    EXPECT_TRUE(key.SetDword(kTestKey, "viaConnect", 5));
    DWORD d = 0;
    EXPECT_TRUE(reg.QueryDword(kTestKey, "viaConnect", d));
    EXPECT_EQ(d, 5u);
    if (key.GetRoot() != HKEY_CURRENT_USER)
        RegCloseKey(key.GetRoot());
}

#ifdef _WIN32
// Runs Wine's own reg.exe and returns what it printed.
std::string RunReg(const std::string& args, DWORD* exitCode = nullptr)
{
    SECURITY_ATTRIBUTES sa = { sizeof sa, nullptr, TRUE };
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &sa, 0))
        return "";
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = writeEnd;
    si.hStdError = writeEnd;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi = {};
    std::string cmd = "reg.exe " + args;
    std::string out;
    if (CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi)) {
        CloseHandle(writeEnd);
        writeEnd = nullptr;
        char buf[512];
        DWORD n = 0;
        while (ReadFile(readEnd, buf, sizeof buf, &n, nullptr) && n)
            out.append(buf, n);
        WaitForSingleObject(pi.hProcess, 30000);
        if (exitCode)
            GetExitCodeProcess(pi.hProcess, exitCode);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
    if (writeEnd)
        CloseHandle(writeEnd);
    CloseHandle(readEnd);
    return out;
}

TEST_F(Registry, WineRegSeesWhatTheHelperWrites)
{
    ASSERT_TRUE(reg.SetDword(kTestKey, "Flag3T", 0x2a));
    ASSERT_TRUE(reg.SetString(kTestKey, "Name", "hello world"));
    const std::string out = RunReg("query \"HKCU\\Software\\Velmora Tests\\Registry\"");
    EXPECT_NE(out.find("Flag3T"), std::string::npos) << out;
    EXPECT_NE(out.find("REG_DWORD"), std::string::npos) << out;
    EXPECT_NE(out.find("0x2a"), std::string::npos) << out;
    EXPECT_NE(out.find("hello world"), std::string::npos) << out;

    ASSERT_TRUE(reg.Delete(kTestKey, nullptr));
    DWORD code = 0;
    RunReg("query \"HKCU\\Software\\Velmora Tests\\Registry\"", &code);
    EXPECT_NE(code, 0u) << "reg still finds the deleted key";
}

TEST_F(Registry, HelperReadsWhatWineRegWrites)
{
    DWORD code = 1;
    RunReg("add \"HKCU\\Software\\Velmora Tests\\Registry\\From reg\" /v Number /t REG_DWORD /d 77 /f", &code);
    ASSERT_EQ(code, 0u);
    RunReg("add \"HKCU\\Software\\Velmora Tests\\Registry\\From reg\" /v Words /t REG_SZ /d \"two words\" /f", &code);
    ASSERT_EQ(code, 0u);
    DWORD d = 0;
    EXPECT_TRUE(reg.QueryDword(Sub("From reg"), "Number", d));
    EXPECT_EQ(d, 77u);
    CString s;
    EXPECT_TRUE(reg.QueryString(Sub("From reg"), "Words", s));
    EXPECT_EQ(s, "two words");
}
#endif

}
