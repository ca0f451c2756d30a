#include "CRegistryValue.h"

#include <cstdlib>
#include <cstring>

namespace {

#ifdef _WIN32
HANDLE NewHeap() { return HeapCreate(0, 0, 0); }
void DeleteHeap(HANDLE heap) { if (heap) HeapDestroy(heap); }
BYTE* HeapBytes(HANDLE heap, DWORD n) { return heap ? static_cast<BYTE*>(HeapAlloc(heap, 0, n)) : nullptr; }
void FreeHeapBytes(HANDLE heap, BYTE* p) { HeapFree(heap, 0, p); }
#else
// The native tree has no private heaps: the process heap stands in.
HANDLE NewHeap() { return reinterpret_cast<HANDLE>(1); }
void DeleteHeap(HANDLE) {}
BYTE* HeapBytes(HANDLE, DWORD n) { return static_cast<BYTE*>(std::malloc(n)); }
void FreeHeapBytes(HANDLE, BYTE* p) { std::free(p); }
#endif

}

void CRegistryValue::Init()
{
    m_heap = NewHeap();
    m_data = nullptr;
    m_size = 0;
    m_type = REG_NONE;
}

CRegistryValue::CRegistryValue() { Init(); }
CRegistryValue::CRegistryValue(DWORD value) { Init(); SetDword(value); }
CRegistryValue::CRegistryValue(const char* text) { Init(); SetString(text); }
CRegistryValue::CRegistryValue(const BYTE* bytes, DWORD length) { Init(); SetBinary(bytes, length); }
CRegistryValue::CRegistryValue(const std::vector<CString>& texts) { Init(); SetMultiString(texts); }

CRegistryValue::~CRegistryValue()
{
    Free();
    DeleteHeap(m_heap);
}

BYTE* CRegistryValue::Allocate(DWORD n)
{
    Free();
    if (n == 0)
        return nullptr;
    m_data = HeapBytes(m_heap, n);
    m_size = m_data ? n : 0;
    return m_data;
}

void CRegistryValue::Free()
{
    if (m_data)
        FreeHeapBytes(m_heap, m_data);
    m_data = nullptr;
    m_size = 0;
}

void CRegistryValue::SetDword(DWORD value)
{
    if (BYTE* p = Allocate(4)) {
        p[0] = BYTE(value);
        p[1] = BYTE(value >> 8);
        p[2] = BYTE(value >> 16);
        p[3] = BYTE(value >> 24);
    }
    m_type = REG_DWORD;
}

void CRegistryValue::SetString(const char* text, bool expand)
{
    const char* s = text ? text : "";
    const DWORD n = static_cast<DWORD>(std::strlen(s)) + 1;
    if (BYTE* p = Allocate(n))
        std::memcpy(p, s, n);
    m_type = expand ? REG_EXPAND_SZ : REG_SZ;
}

void CRegistryValue::SetBinary(const BYTE* bytes, DWORD length)
{
    if (BYTE* p = Allocate(bytes ? length : 0))
        std::memcpy(p, bytes, length);
    m_type = REG_BINARY;
}

void CRegistryValue::SetMultiString(const char* const* texts, int count)
{
    DWORD n = 1;
    for (int i = 0; i < count; ++i)
        n += static_cast<DWORD>(std::strlen(texts[i] ? texts[i] : "")) + 1;
    if (count == 0)
        n = 2;  // an empty list is two NULs
    if (BYTE* p = Allocate(n)) {
        std::memset(p, 0, n);
        for (int i = 0; i < count; ++i) {
            const char* s = texts[i] ? texts[i] : "";
            const size_t len = std::strlen(s);
            std::memcpy(p, s, len);
            p += len + 1;
        }
    }
    m_type = REG_MULTI_SZ;
}

void CRegistryValue::SetMultiString(const std::vector<CString>& texts)
{
    std::vector<const char*> pointers;
    for (const CString& t : texts)
        pointers.push_back(t.c_str());
    SetMultiString(pointers.data(), static_cast<int>(pointers.size()));
}

bool CRegistryValue::GetDword(DWORD& value) const
{
    if ((m_type != REG_DWORD && m_type != REG_DWORD_BIG_ENDIAN) || m_size != 4 || !m_data)
        return false;
    value = DWORD(m_data[0]) | DWORD(m_data[1]) << 8 | DWORD(m_data[2]) << 16 | DWORD(m_data[3]) << 24;
    return true;
}

bool CRegistryValue::GetStringData(const BYTE*& data) const
{
    if (m_type != REG_SZ && m_type != REG_EXPAND_SZ && m_type != REG_LINK && m_type != REG_MULTI_SZ)
        return false;
    data = m_data;
    return true;
}

bool CRegistryValue::GetString(CString& text) const
{
    if (m_type != REG_SZ && m_type != REG_EXPAND_SZ && m_type != REG_LINK)
        return false;
    const char* p = reinterpret_cast<const char*>(m_data);
    DWORD n = 0;
    while (n < m_size && p[n])
        ++n;
    text = CString(p, static_cast<int>(n));
    return true;
}

bool CRegistryValue::GetBinary(BYTE* buffer, DWORD length) const
{
    if (m_type != REG_BINARY && m_type != REG_RESOURCE_LIST && m_type != REG_FULL_RESOURCE_DESCRIPTOR)
        return false;
    if (length != m_size)
        return false;
    if (length)
        std::memcpy(buffer, m_data, length);
    return true;
}

bool CRegistryValue::GetMultiString(std::vector<CString>& texts) const
{
    if (m_type != REG_MULTI_SZ)
        return false;
    texts.clear();
    const char* p = reinterpret_cast<const char*>(m_data);
    DWORD at = 0;
    while (at < m_size && p[at]) {
        DWORD end = at;
        while (end < m_size && p[end])
            ++end;
        texts.push_back(CString(p + at, static_cast<int>(end - at)));
        at = end + 1;
    }
    return true;
}
