#include "CRegistryKey.h"

#include <vector>

namespace {

// Opens a subkey for reading, closes it when it goes out of scope.
class OpenedKey {
public:
    OpenedKey(HKEY parent, const char* subKey, REGSAM sam)
        : m_key(nullptr), m_ok(RegOpenKeyExA(parent, subKey ? subKey : "", 0, sam, &m_key) == ERROR_SUCCESS) {}
    ~OpenedKey() { if (m_ok) RegCloseKey(m_key); }
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;
    bool ok() const { return m_ok; }
    HKEY get() const { return m_key; }

private:
    HKEY m_key;
    bool m_ok;
};

}

CRegistryKey::CRegistryKey(HKEY root) : m_root(root), m_maxDepth(100), m_nameCount(0) {}

CRegistryKey::CRegistryKey(const CRegistryKey& other) : CRegistryKey(other.m_root) {}

CRegistryKey::~CRegistryKey() = default;

HKEY CRegistryKey::SetRoot(HKEY root)
{
    HKEY previous = m_root;
    m_root = root;
    m_currentPath.Empty();
    m_maxDepth = 100;
    return previous;
}

bool CRegistryKey::QueryValue(const char* subKey, const char* name, CRegistryValue& value) const
{
    OpenedKey key(m_root, subKey, KEY_READ);
    if (!key.ok())
        return false;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key.get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    BYTE* data = value.Allocate(size);
    if (size && !data)
        return false;
    DWORD got = size;
    if (RegQueryValueExA(key.get(), name, nullptr, &type, data, &got) != ERROR_SUCCESS || got > size) {
        value.Free();
        return false;
    }
    // Keep only what the second read delivered.
    if (got < size) {
        std::vector<BYTE> copy(data, data + got);
        if (BYTE* p = value.Allocate(got))
            std::copy(copy.begin(), copy.end(), p);
    }
    value.SetType(type);
    return true;
}

bool CRegistryKey::QueryDword(const char* subKey, const char* name, DWORD& value) const
{
    CRegistryValue v;
    return QueryValue(subKey, name, v) && v.GetDword(value);
}

bool CRegistryKey::QueryString(const char* subKey, const char* name, CString& value) const
{
    CRegistryValue v;
    return QueryValue(subKey, name, v) && v.GetString(value);
}

bool CRegistryKey::QueryBinary(const char* subKey, const char* name, BYTE* buffer, DWORD length) const
{
    CRegistryValue v;
    return QueryValue(subKey, name, v) && v.GetBinary(buffer, length);
}

bool CRegistryKey::QueryMultiString(const char* subKey, const char* name, std::vector<CString>& values) const
{
    CRegistryValue v;
    return QueryValue(subKey, name, v) && v.GetMultiString(values);
}

bool CRegistryKey::SetValue(const char* subKey, const char* name, const CRegistryValue& value) const
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(m_root, subKey ? subKey : "", 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return false;
    const LSTATUS r = RegSetValueExA(key, name, 0, value.GetType(), value.GetData(), value.GetSize());
    RegCloseKey(key);
    return r == ERROR_SUCCESS;
}

bool CRegistryKey::SetDword(const char* subKey, const char* name, DWORD value) const
{
    return SetValue(subKey, name, CRegistryValue(value));
}

bool CRegistryKey::SetString(const char* subKey, const char* name, const char* value) const
{
    return SetValue(subKey, name, CRegistryValue(value));
}

bool CRegistryKey::SetBinary(const char* subKey, const char* name, const BYTE* bytes, DWORD length) const
{
    return SetValue(subKey, name, CRegistryValue(bytes, length));
}

bool CRegistryKey::SetMultiString(const char* subKey, const char* name, const std::vector<CString>& values) const
{
    return SetValue(subKey, name, CRegistryValue(values));
}

bool CRegistryKey::Delete(const char* subKey, const char* name) const
{
    if (name) {
        OpenedKey key(m_root, subKey, KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE);
        return key.ok() && RegDeleteValueA(key.get(), name) == ERROR_SUCCESS;
    }
    // A path of nothing but backslashes names the root as well.
    bool named = false;
    for (const char* p = subKey; p && *p; ++p)
        named = named || *p != '\\';
    return named && DeleteTree(m_root, subKey);
}

bool CRegistryKey::DeleteTree(HKEY parent, const char* subKey) const
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(parent, subKey, 0, KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return false;
    for (;;) {
        DWORD subKeys = 0, longest = 0;
        if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys, &longest, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            RegCloseKey(key);
            return false;
        }
        if (subKeys == 0)
            break;
        std::vector<char> name(longest + 1);
        DWORD length = longest + 1;
        if (RegEnumKeyExA(key, 0, name.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS
            || !DeleteTree(key, name.data())) {
            RegCloseKey(key);
            return false;
        }
    }
    RegCloseKey(key);
    return RegDeleteKeyA(parent, subKey) == ERROR_SUCCESS;
}

bool CRegistryKey::QueryInfo(const char* subKey, DWORD* subKeys, DWORD* values) const
{
    if (subKeys)
        *subKeys = 0;
    if (values)
        *values = 0;
    OpenedKey key(m_root, subKey, KEY_READ);
    if (!key.ok())
        return false;
    DWORD k = 0, v = 0;
    if (RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &k, nullptr, nullptr, &v, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    if (subKeys)
        *subKeys = k;
    if (values)
        *values = v;
    return k > 0 || v > 0;
}

bool CRegistryKey::Connect(const char* machine, HKEY key)
{
    HKEY connected = nullptr;
    if (RegConnectRegistryA(machine, key, &connected) != ERROR_SUCCESS)
        return false;
    m_root = connected;
    return true;
}

bool CRegistryKey::Enumerate(const char* subKey, int flags)
{
    m_nameCount = 0;
    m_currentPath.Empty();
    HKEY key = nullptr;
    if (RegOpenKeyExA(m_root, subKey ? subKey : "", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    // Walk closes the key on every path.
    return Walk(CString(subKey ? subKey : ""), key, flags, 0);
}

bool CRegistryKey::Walk(const CString& keyPath, HKEY key, int flags, int depth)
{
    DWORD subKeys = 0, longestKey = 0, values = 0, longestName = 0, longestData = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys, &longestKey, nullptr, &values, &longestName,
                         &longestData, nullptr, nullptr) != ERROR_SUCCESS) {
        RegCloseKey(key);
        return false;
    }
    if (flags & EnumValues) {
        std::vector<char> name(longestName + 1);
        for (DWORD i = 0;; ++i) {
            DWORD nameLength = longestName + 1, type = 0, size = longestData;
            CRegistryValue value;
            BYTE* data = value.Allocate(longestData);
            const LSTATUS r = RegEnumValueA(key, i, name.data(), &nameLength, nullptr, &type, data, &size);
            if (r == ERROR_NO_MORE_ITEMS)
                break;
            if (r != ERROR_SUCCESS)
                continue;
            CRegistryValue read;
            if (BYTE* p = read.Allocate(size))
                std::copy(data, data + size, p);
            read.SetType(type);
            if (!OnEnumValue(keyPath, name.data(), read, depth)) {
                RegCloseKey(key);
                return false;
            }
        }
    }
    std::vector<char> name(longestKey + 1);
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = longestKey + 1;
        const LSTATUS r = RegEnumKeyExA(key, i, name.data(), &nameLength, nullptr, nullptr, nullptr, nullptr);
        if (r == ERROR_NO_MORE_ITEMS)
            break;
        if (r != ERROR_SUCCESS)
            continue;
        if ((flags & EnumKeys) && !OnEnumKey(name.data(), depth)) {
            RegCloseKey(key);
            return false;
        }
        HKEY sub = nullptr;
        if (RegOpenKeyExA(key, name.data(), 0, KEY_READ, &sub) != ERROR_SUCCESS)
            continue;
        if (depth >= m_maxDepth) {
            m_currentPath += "||";
            RegCloseKey(sub);
            continue;
        }
        if (!Walk(keyPath + "\\" + name.data(), sub, flags, depth + 1)) {
            RegCloseKey(key);
            return false;
        }
    }
    RegCloseKey(key);
    return true;
}

bool CRegistryKey::OnEnumValue(const char* keyPath, const char*, const CRegistryValue&, int depth)
{
    if ((depth & 0xFFFF) != 0 && m_nameCount < MaxNames)
        m_names[m_nameCount++] = keyPath;
    return true;
}

bool CRegistryKey::OnEnumKey(const char* name, int)
{
    m_currentPath += CString("\\") + name;
    return true;
}
