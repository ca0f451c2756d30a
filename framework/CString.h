// ANSI string of the framework: a byte string with the operations dialogs and data files use.
// Converts implicitly to const char* (valid until the string is next changed).
#pragma once
#include "WinTypes.h"
#include <cstdarg>
#include <string>

class FW_API CString {
public:
    CString() = default;
    CString(const char* s) : m_s(s ? s : "") {}
    CString(const char* s, int length) : m_s(s ? std::string(s, length > 0 ? length : 0) : std::string()) {}
    CString(char ch, int repeat = 1) : m_s(repeat > 0 ? repeat : 0, ch) {}
    CString(const std::string& s) : m_s(s) {}

    int GetLength() const { return static_cast<int>(m_s.size()); }
    bool IsEmpty() const { return m_s.empty(); }
    void Empty() { m_s.clear(); }
    char GetAt(int index) const { return m_s.at(index); }
    void SetAt(int index, char ch) { m_s.at(index) = ch; }
    char operator[](int index) const { return m_s.at(index); }
    operator const char*() const { return m_s.c_str(); }
    const char* c_str() const { return m_s.c_str(); }
    const std::string& str() const { return m_s; }

    CString& operator=(const char* s) { m_s = s ? s : ""; return *this; }
    CString& operator=(char ch) { m_s.assign(1, ch); return *this; }
    CString& operator+=(const CString& s) { m_s += s.m_s; return *this; }
    CString& operator+=(const char* s) { if (s) m_s += s; return *this; }
    CString& operator+=(char ch) { m_s += ch; return *this; }

    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_s + b.m_s); }
    friend CString operator+(const CString& a, const char* b) { return CString(a.m_s + (b ? b : "")); }
    friend CString operator+(const char* a, const CString& b) { return CString((a ? a : "") + b.m_s); }
    friend CString operator+(const CString& a, char b) { return CString(a.m_s + b); }
    friend CString operator+(char a, const CString& b) { return CString(std::string(1, a) + b.m_s); }

    friend bool operator==(const CString& a, const CString& b) { return a.m_s == b.m_s; }
    friend bool operator==(const CString& a, const char* b) { return a.m_s == (b ? b : ""); }
    friend bool operator==(const char* a, const CString& b) { return b == a; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
    friend bool operator!=(const char* a, const CString& b) { return !(b == a); }
    friend bool operator<(const CString& a, const CString& b) { return a.m_s < b.m_s; }

    // <0, 0, >0 like strcmp; the NoCase forms fold ASCII letters.
    int Compare(const char* s) const;
    int CompareNoCase(const char* s) const;

    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;
    CString SpanIncluding(const char* set) const;
    CString SpanExcluding(const char* set) const;

    // Positions are byte indexes; -1 when not found.
    int Find(char ch, int start = 0) const;
    int Find(const char* sub, int start = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* set) const;

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    CString& TrimLeft();
    CString& TrimRight();
    CString& TrimLeft(char ch);
    CString& TrimRight(char ch);
    CString& TrimLeft(const char* set);
    CString& TrimRight(const char* set);
    CString& Trim() { TrimRight(); return TrimLeft(); }

    // Replaces every occurrence; returns how many were replaced.
    int Replace(char from, char to);
    int Replace(const char* from, const char* to);
    int Remove(char ch);
    int Insert(int index, char ch);
    int Insert(int index, const char* s);
    int Delete(int index, int count = 1);

    void Format(const char* format, ...)
#ifdef __GNUC__
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    void FormatV(const char* format, va_list args);

    // Direct access to the bytes: GetBuffer grows the string to at least minLength bytes and
    // returns a writable, NUL-terminated buffer; ReleaseBuffer(-1) cuts it at the first NUL.
    char* GetBuffer(int minLength = 0);
    char* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

#ifdef _WIN32
    // Loads a string-table entry: from the first module holding it (the program, then the
    // libraries, see AfxFindResourceHandle), or from the given module.
    BOOL LoadString(UINT id);
    BOOL LoadString(HINSTANCE module, UINT id);
#endif

private:
    std::string m_s;
};
