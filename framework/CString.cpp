#include "CString.h"

#ifdef _WIN32
#include "AfxModule.h"
#endif

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

int FoldCompare(const char* a, const char* b)
{
    for (;; ++a, ++b) {
        int ca = std::tolower(static_cast<unsigned char>(*a));
        int cb = std::tolower(static_cast<unsigned char>(*b));
        if (ca != cb || !ca)
            return ca - cb;
    }
}

bool InSet(const char* set, char ch) { return ch && set && std::strchr(set, ch); }
bool IsSpace(char ch) { return std::isspace(static_cast<unsigned char>(ch)) != 0; }

}

int CString::Compare(const char* s) const { return std::strcmp(m_s.c_str(), s ? s : ""); }
int CString::CompareNoCase(const char* s) const { return FoldCompare(m_s.c_str(), s ? s : ""); }

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const
{
    if (first < 0)
        first = 0;
    if (count < 0)
        count = 0;
    if (first >= GetLength())
        return CString();
    return CString(m_s.substr(first, count));
}

CString CString::Left(int count) const { return Mid(0, count); }

CString CString::Right(int count) const
{
    if (count <= 0)
        return CString();
    if (count >= GetLength())
        return *this;
    return CString(m_s.substr(m_s.size() - count));
}

CString CString::SpanIncluding(const char* set) const
{
    size_t n = 0;
    while (n < m_s.size() && InSet(set, m_s[n]))
        ++n;
    return CString(m_s.substr(0, n));
}

CString CString::SpanExcluding(const char* set) const
{
    size_t n = 0;
    while (n < m_s.size() && !InSet(set, m_s[n]))
        ++n;
    return CString(m_s.substr(0, n));
}

int CString::Find(char ch, int start) const
{
    if (start < 0 || start >= GetLength())
        return -1;
    size_t pos = m_s.find(ch, start);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(const char* sub, int start) const
{
    if (!sub || start < 0 || start > GetLength())
        return -1;
    size_t pos = m_s.find(sub, start);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(char ch) const
{
    size_t pos = m_s.rfind(ch);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::FindOneOf(const char* set) const
{
    for (size_t i = 0; i < m_s.size(); ++i)
        if (InSet(set, m_s[i]))
            return static_cast<int>(i);
    return -1;
}

CString& CString::MakeUpper()
{
    for (char& c : m_s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return *this;
}

CString& CString::MakeLower()
{
    for (char& c : m_s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return *this;
}

CString& CString::MakeReverse()
{
    std::reverse(m_s.begin(), m_s.end());
    return *this;
}

CString& CString::TrimLeft()
{
    size_t n = 0;
    while (n < m_s.size() && IsSpace(m_s[n]))
        ++n;
    m_s.erase(0, n);
    return *this;
}

CString& CString::TrimRight()
{
    while (!m_s.empty() && IsSpace(m_s.back()))
        m_s.pop_back();
    return *this;
}

CString& CString::TrimLeft(char ch)
{
    const char set[2] = { ch, 0 };
    return TrimLeft(set);
}

CString& CString::TrimRight(char ch)
{
    const char set[2] = { ch, 0 };
    return TrimRight(set);
}

CString& CString::TrimLeft(const char* set)
{
    size_t n = 0;
    while (n < m_s.size() && InSet(set, m_s[n]))
        ++n;
    m_s.erase(0, n);
    return *this;
}

CString& CString::TrimRight(const char* set)
{
    while (!m_s.empty() && InSet(set, m_s.back()))
        m_s.pop_back();
    return *this;
}

int CString::Replace(char from, char to)
{
    int count = 0;
    for (char& c : m_s)
        if (c == from) {
            c = to;
            ++count;
        }
    return count;
}

int CString::Replace(const char* from, const char* to)
{
    if (!from || !*from)
        return 0;
    const size_t fromLen = std::strlen(from);
    const std::string replacement = to ? to : "";
    int count = 0;
    size_t pos = 0;
    while ((pos = m_s.find(from, pos)) != std::string::npos) {
        m_s.replace(pos, fromLen, replacement);
        pos += replacement.size();
        ++count;
    }
    return count;
}

int CString::Remove(char ch)
{
    const size_t before = m_s.size();
    m_s.erase(std::remove(m_s.begin(), m_s.end(), ch), m_s.end());
    return static_cast<int>(before - m_s.size());
}

int CString::Insert(int index, char ch)
{
    const char s[2] = { ch, 0 };
    return Insert(index, s);
}

int CString::Insert(int index, const char* s)
{
    index = std::clamp(index, 0, GetLength());
    m_s.insert(static_cast<size_t>(index), s ? s : "");
    return GetLength();
}

int CString::Delete(int index, int count)
{
    if (index >= 0 && index < GetLength() && count > 0)
        m_s.erase(static_cast<size_t>(index), static_cast<size_t>(count));
    return GetLength();
}

void CString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(const char* format, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (n <= 0) {
        m_s.clear();
        return;
    }
    std::vector<char> buffer(static_cast<size_t>(n) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    m_s.assign(buffer.data(), static_cast<size_t>(n));
}

char* CString::GetBuffer(int minLength)
{
    if (minLength > GetLength())
        m_s.resize(static_cast<size_t>(minLength));
    return &m_s[0];
}

char* CString::GetBufferSetLength(int length)
{
    m_s.resize(static_cast<size_t>(length > 0 ? length : 0));
    return &m_s[0];
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0)
        newLength = static_cast<int>(std::strlen(m_s.c_str()));
    m_s.resize(static_cast<size_t>(std::min(newLength, GetLength())));
}

#ifdef _WIN32
BOOL CString::LoadString(UINT id)
{
    return LoadString(AfxFindStringResourceHandle(id), id);
}

BOOL CString::LoadString(HINSTANCE module, UINT id)
{
    // Read from the string block itself, so that entries of any length come whole
    // (help texts with mark-up run to several thousand characters).
    HRSRC res = ::FindResourceA(module, MAKEINTRESOURCEA(id / 16 + 1), RT_STRING);
    HGLOBAL data = res ? ::LoadResource(module, res) : nullptr;
    const WCHAR* p = data ? static_cast<const WCHAR*>(::LockResource(data)) : nullptr;
    if (!p)
        return FALSE;
    for (UINT i = 0; i < id % 16; ++i)
        p += 1 + *p;
    const int length = *p;
    if (length == 0)
        return FALSE;
    const int n = ::WideCharToMultiByte(CP_ACP, 0, p + 1, length, nullptr, 0, nullptr, nullptr);
    std::vector<char> text(static_cast<size_t>(n > 0 ? n : 0));
    if (n > 0)
        ::WideCharToMultiByte(CP_ACP, 0, p + 1, length, text.data(), n, nullptr, nullptr);
    m_s.assign(text.begin(), text.end());
    return TRUE;
}
#endif
