// The native tree's registry: a tree of keys held in memory behind the advapi32 calls that
// the helper classes use, answering as Windows does (names ignore case, a key with subkeys
// cannot be deleted, a too small buffer gives ERROR_MORE_DATA and the size needed).
#include "RegistryApi.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

struct NoCaseLess {
    bool operator()(const std::string& a, const std::string& b) const
    {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
        });
    }
};

struct Value {
    std::string name;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

struct Node {
    bool deleted = false;
    std::map<std::string, std::shared_ptr<Node>, NoCaseLess> keys;  // enumeration order: by name
    std::vector<Value> values;                                        // enumeration order: creation

    Value* FindValue(const std::string& name)
    {
        for (Value& v : values)
            if (!NoCaseLess()(v.name, name) && !NoCaseLess()(name, v.name))
                return &v;
        return nullptr;
    }
};

struct Handle {
    std::shared_ptr<Node> node;
};

std::map<uintptr_t, std::shared_ptr<Node>>& Roots()
{
    static std::map<uintptr_t, std::shared_ptr<Node>> roots;
    return roots;
}

std::set<Handle*>& Handles()
{
    static std::set<Handle*> handles;
    return handles;
}

bool IsPredefined(HKEY key) { return (reinterpret_cast<uintptr_t>(key) & 0xFFFFFFF0u) == 0x80000000u; }

std::shared_ptr<Node> NodeOf(HKEY key)
{
    if (IsPredefined(key)) {
        auto& root = Roots()[reinterpret_cast<uintptr_t>(key)];
        if (!root)
            root = std::make_shared<Node>();
        return root;
    }
    Handle* h = reinterpret_cast<Handle*>(key);
    if (!Handles().count(h) || h->node->deleted)
        return nullptr;
    return h->node;
}

std::vector<std::string> SplitPath(LPCSTR path)
{
    std::vector<std::string> parts;
    std::string part;
    for (const char* p = path ? path : ""; *p; ++p) {
        if (*p == '\\') {
            if (!part.empty())
                parts.push_back(part);
            part.clear();
        } else {
            part += *p;
        }
    }
    if (!part.empty())
        parts.push_back(part);
    return parts;
}

HKEY NewHandle(const std::shared_ptr<Node>& node)
{
    Handle* h = new Handle{ node };
    Handles().insert(h);
    return reinterpret_cast<HKEY>(h);
}

LSTATUS CopyOut(const void* src, DWORD n, LPBYTE data, LPDWORD size)
{
    if (!size)
        return data ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
    const DWORD room = *size;
    *size = n;
    if (!data)
        return ERROR_SUCCESS;
    if (room < n)
        return ERROR_MORE_DATA;
    if (n)
        std::memcpy(data, src, n);
    return ERROR_SUCCESS;
}

LSTATUS CopyName(const std::string& name, LPSTR out, LPDWORD length)
{
    if (!out || !length)
        return ERROR_INVALID_PARAMETER;
    if (*length < name.size() + 1)
        return ERROR_MORE_DATA;
    std::memcpy(out, name.c_str(), name.size() + 1);
    *length = static_cast<DWORD>(name.size());
    return ERROR_SUCCESS;
}

}

LSTATUS RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD, REGSAM, PHKEY result)
{
    std::shared_ptr<Node> node = NodeOf(key);
    if (!node)
        return ERROR_INVALID_HANDLE;
    for (const std::string& part : SplitPath(subKey)) {
        auto it = node->keys.find(part);
        if (it == node->keys.end())
            return ERROR_FILE_NOT_FOUND;
        node = it->second;
    }
    *result = NewHandle(node);
    return ERROR_SUCCESS;
}

LSTATUS RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD, LPSTR, DWORD, REGSAM, void*, PHKEY result,
                        LPDWORD disposition)
{
    std::shared_ptr<Node> node = NodeOf(key);
    if (!node)
        return ERROR_INVALID_HANDLE;
    bool created = false;
    for (const std::string& part : SplitPath(subKey)) {
        auto& child = node->keys[part];
        if (!child) {
            child = std::make_shared<Node>();
            created = true;
        }
        node = child;
    }
    if (disposition)
        *disposition = created ? 1 : 2;  // REG_CREATED_NEW_KEY, REG_OPENED_EXISTING_KEY
    *result = NewHandle(node);
    return ERROR_SUCCESS;
}

LSTATUS RegCloseKey(HKEY key)
{
    if (IsPredefined(key))
        return ERROR_SUCCESS;
    Handle* h = reinterpret_cast<Handle*>(key);
    if (!Handles().erase(h))
        return ERROR_INVALID_HANDLE;
    delete h;
    return ERROR_SUCCESS;
}

LSTATUS RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD size)
{
    std::shared_ptr<Node> node = NodeOf(key);
    if (!node)
        return ERROR_INVALID_HANDLE;
    Value* v = node->FindValue(name ? name : "");
    if (!v)
        return ERROR_FILE_NOT_FOUND;
    if (type)
        *type = v->type;
    return CopyOut(v->data.data(), static_cast<DWORD>(v->data.size()), data, size);
}

LSTATUS RegSetValueExA(HKEY key, LPCSTR name, DWORD, DWORD type, const BYTE* data, DWORD size)
{
    std::shared_ptr<Node> node = NodeOf(key);
    if (!node)
        return ERROR_INVALID_HANDLE;
    Value* v = node->FindValue(name ? name : "");
    if (!v) {
        node->values.push_back(Value{ name ? name : "", REG_NONE, {} });
        v = &node->values.back();
    }
    v->type = type;
    v->data.assign(data, data + (data ? size : 0));
    return ERROR_SUCCESS;
}

LSTATUS RegDeleteValueA(HKEY key, LPCSTR name)
{
    std::shared_ptr<Node> node = NodeOf(key);
    if (!node)
        return ERROR_INVALID_HANDLE;
    Value* v = node->FindValue(name ? name : "");
    if (!v)
        return ERROR_FILE_NOT_FOUND;
    node->values.erase(node->values.begin() + (v - node->values.data()));
    return ERROR_SUCCESS;
}

LSTATUS RegDeleteKeyA(HKEY key, LPCSTR subKey)
{
    std::shared_ptr<Node> parent = NodeOf(key);
    if (!parent)
        return ERROR_INVALID_HANDLE;
    std::vector<std::string> parts = SplitPath(subKey);
    if (parts.empty())
        return ERROR_ACCESS_DENIED;  // the key itself: refused here, as for a predefined key
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        auto it = parent->keys.find(parts[i]);
        if (it == parent->keys.end())
            return ERROR_FILE_NOT_FOUND;
        parent = it->second;
    }
    auto it = parent->keys.find(parts.back());
    if (it == parent->keys.end())
        return ERROR_FILE_NOT_FOUND;
    if (!it->second->keys.empty())
        return ERROR_ACCESS_DENIED;
    it->second->deleted = true;
    parent->keys.erase(it);
    return ERROR_SUCCESS;
}

LSTATUS RegQueryInfoKeyA(HKEY key, LPSTR, LPDWORD, LPDWORD, LPDWORD subKeys, LPDWORD maxSubKeyLength,
                         LPDWORD maxClassLength, LPDWORD values, LPDWORD maxValueNameLength,
                         LPDWORD maxValueLength, LPDWORD, PFILETIME)
{
    std::shared_ptr<Node> node = NodeOf(key);
    if (!node)
        return ERROR_INVALID_HANDLE;
    DWORD longestKey = 0, longestName = 0, longestData = 0;
    for (auto& k : node->keys)
        longestKey = std::max<DWORD>(longestKey, static_cast<DWORD>(k.first.size()));
    for (Value& v : node->values) {
        longestName = std::max<DWORD>(longestName, static_cast<DWORD>(v.name.size()));
        longestData = std::max<DWORD>(longestData, static_cast<DWORD>(v.data.size()));
    }
    if (subKeys)
        *subKeys = static_cast<DWORD>(node->keys.size());
    if (maxSubKeyLength)
        *maxSubKeyLength = longestKey;
    if (maxClassLength)
        *maxClassLength = 0;
    if (values)
        *values = static_cast<DWORD>(node->values.size());
    if (maxValueNameLength)
        *maxValueNameLength = longestName;
    if (maxValueLength)
        *maxValueLength = longestData;
    return ERROR_SUCCESS;
}

LSTATUS RegEnumKeyExA(HKEY key, DWORD index, LPSTR name, LPDWORD nameLength, LPDWORD, LPSTR, LPDWORD,
                      PFILETIME)
{
    std::shared_ptr<Node> node = NodeOf(key);
    if (!node)
        return ERROR_INVALID_HANDLE;
    if (index >= node->keys.size())
        return ERROR_NO_MORE_ITEMS;
    auto it = node->keys.begin();
    std::advance(it, index);
    return CopyName(it->first, name, nameLength);
}

LSTATUS RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameLength, LPDWORD, LPDWORD type,
                      LPBYTE data, LPDWORD dataLength)
{
    std::shared_ptr<Node> node = NodeOf(key);
    if (!node)
        return ERROR_INVALID_HANDLE;
    if (index >= node->values.size())
        return ERROR_NO_MORE_ITEMS;
    const Value& v = node->values[index];
    if (LSTATUS r = CopyName(v.name, name, nameLength))
        return r;
    if (type)
        *type = v.type;
    return CopyOut(v.data.data(), static_cast<DWORD>(v.data.size()), data, dataLength);
}

LSTATUS RegConnectRegistryA(LPCSTR machine, HKEY key, PHKEY result)
{
    if (machine && *machine)
        return ERROR_BAD_NETPATH;  // no other computer is reachable from here
    if (!IsPredefined(key))
        return ERROR_INVALID_HANDLE;
    *result = NewHandle(NodeOf(key));
    return ERROR_SUCCESS;
}

void ClearMemoryRegistry() { Roots().clear(); }

int OpenMemoryRegistryHandles() { return static_cast<int>(Handles().size()); }
