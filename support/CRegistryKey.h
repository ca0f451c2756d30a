// A root key and whole operations on subkey paths below it. Every operation opens what it
// needs and closes what it opened; the root is the caller's and is never closed.
#pragma once
#include "CRegistryValue.h"

#include <vector>

class CRegistryKey {
public:
    enum { EnumValues = 1, EnumKeys = 2 };
    static constexpr int MaxNames = 100;

    explicit CRegistryKey(HKEY root = HKEY_CURRENT_USER);
    // Takes the root only.
    CRegistryKey(const CRegistryKey& other);
    CRegistryKey& operator=(const CRegistryKey&) = delete;
    virtual ~CRegistryKey();

    // Returns the previous root; the current path and the depth limit start over.
    HKEY SetRoot(HKEY root);
    HKEY GetRoot() const { return m_root; }

    bool QueryValue(const char* subKey, const char* name, CRegistryValue& value) const;
    bool QueryDword(const char* subKey, const char* name, DWORD& value) const;
    bool QueryString(const char* subKey, const char* name, CString& value) const;
    bool QueryBinary(const char* subKey, const char* name, BYTE* buffer, DWORD length) const;
    bool QueryMultiString(const char* subKey, const char* name, std::vector<CString>& values) const;

    bool SetValue(const char* subKey, const char* name, const CRegistryValue& value) const;
    bool SetDword(const char* subKey, const char* name, DWORD value) const;
    bool SetString(const char* subKey, const char* name, const char* value) const;
    bool SetBinary(const char* subKey, const char* name, const BYTE* bytes, DWORD length) const;
    bool SetMultiString(const char* subKey, const char* name, const std::vector<CString>& values) const;

    // With a name, deletes that value; without, the subkey and every key below it. An empty
    // subkey path is refused: it would name the root itself.
    bool Delete(const char* subKey, const char* name) const;

    // Either count may be null; both are set to 0 first. True when the key holds anything.
    bool QueryInfo(const char* subKey, DWORD* subKeys, DWORD* values) const;

    bool Connect(const char* machine, HKEY key);

    // Walks the key (the root when subKey is null) calling OnEnumValue and OnEnumKey as the
    // flags ask. Every walk starts with an empty current path and an empty names table.
    bool Enumerate(const char* subKey, int flags);

    const CString& GetCurrentPath() const { return m_currentPath; }
    void SetMaxDepth(int depth) { m_maxDepth = depth; }
    int GetMaxDepth() const { return m_maxDepth; }
    int GetNameCount() const { return m_nameCount; }
    const CString& GetName(int index) const { return m_names[index]; }

protected:
    virtual bool OnEnumValue(const char* keyPath, const char* name, const CRegistryValue& value, int depth);
    virtual bool OnEnumKey(const char* name, int depth);

private:
    bool DeleteTree(HKEY parent, const char* subKey) const;
    bool Walk(const CString& keyPath, HKEY key, int flags, int depth);

    HKEY m_root;
    CString m_currentPath;
    int m_maxDepth;
    int m_nameCount;
    CString m_names[MaxNames];
};
