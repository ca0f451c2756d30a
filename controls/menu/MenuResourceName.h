// A resource name as the platform passes it: a plain identifier (0xFFFF or below) or a
// string, kept as a copy.
#pragma once
#include "CString.h"
#include "MenuWinDefs.h"

class MenuResourceName {
public:
    MenuResourceName() = default;
    explicit MenuResourceName(const char* name) { Set(name); }

    void Set(const char* name)
    {
        UINT_PTR v = reinterpret_cast<UINT_PTR>(name);
        m_isId = v <= 0xFFFF;
        m_id = m_isId ? static_cast<UINT>(v) : 0;
        m_text = m_isId ? CString() : CString(name);
    }
    void SetId(UINT id) { m_isId = true; m_id = id; m_text.Empty(); }

    bool IsEmpty() const { return m_isId && m_id == 0; }
    bool IsId() const { return m_isId; }
    UINT Id() const { return m_id; }
    // The name as the platform takes it.
    const char* Get() const
    {
        return m_isId ? reinterpret_cast<const char*>(static_cast<UINT_PTR>(m_id)) : m_text.c_str();
    }
    // Identifiers compare by value, names by text.
    bool Matches(const char* name) const
    {
        MenuResourceName other(name);
        if (m_isId != other.m_isId)
            return false;
        return m_isId ? m_id == other.m_id : m_text == other.m_text;
    }

private:
    bool m_isId = true;
    UINT m_id = 0;
    CString m_text;
};
