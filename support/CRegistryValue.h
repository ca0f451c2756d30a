// One typed registry value held in memory: its type, its bytes (from a private heap of its
// own) and their size. Every typed read is bounded by the size: registry data need not end
// in a NUL nor hold as many bytes as its type suggests.
#pragma once
#include "CString.h"
#include "RegistryApi.h"

#include <vector>

class CRegistryValue {
public:
    CRegistryValue();
    explicit CRegistryValue(DWORD value);
    explicit CRegistryValue(const char* text);
    CRegistryValue(const BYTE* bytes, DWORD length);
    explicit CRegistryValue(const std::vector<CString>& texts);
    ~CRegistryValue();
    // The data belongs to this object's heap: a copy would free it twice.
    CRegistryValue(const CRegistryValue&) = delete;
    CRegistryValue& operator=(const CRegistryValue&) = delete;

    // Frees the old data and gives n bytes (null when n is 0 or the heap is out of room).
    BYTE* Allocate(DWORD n);
    void Free();

    void SetType(DWORD type) { m_type = type; }
    DWORD GetType() const { return m_type; }
    DWORD GetSize() const { return m_size; }
    const BYTE* GetData() const { return m_data; }

    void SetDword(DWORD value);
    // A null text stores a lone NUL.
    void SetString(const char* text, bool expand = false);
    void SetBinary(const BYTE* bytes, DWORD length);
    void SetMultiString(const char* const* texts, int count);
    void SetMultiString(const std::vector<CString>& texts);

    // DWORD and big-endian DWORD: the 4 bytes as stored; false for other types or sizes.
    bool GetDword(DWORD& value) const;
    // Strings, links and multi-strings: the bytes (not NUL-terminated unless stored so).
    bool GetStringData(const BYTE*& data) const;
    // Strings and links: the characters up to the first NUL or the end of the data.
    bool GetString(CString& text) const;
    // Binary and resource lists, only when length is the stored size.
    bool GetBinary(BYTE* buffer, DWORD length) const;
    // Each string up to the empty one or the end of the data.
    bool GetMultiString(std::vector<CString>& texts) const;

private:
    void Init();

    HANDLE m_heap;
    BYTE* m_data;
    DWORD m_size;
    DWORD m_type;
};
