#include "CZipPathComponent.h"

void CZipPathComponent::SetFullPath(const char* path)
{
    CString full(path);
    // The long-path and network prefixes, as written in the path.
    static const char kPrefix[] = "\\\\?\\unc\\";
    int match = 0;
    while (match < 8 && match < full.GetLength()) {
        char c = full[match];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != kPrefix[match])
            break;
        ++match;
    }
    int prefixLength = (match == 2 || match == 4 || match == 8) ? match : 0;
    m_szPrefix = full.Left(prefixLength);
    CString rest = full.Mid(prefixLength);

    m_szDrive.Empty();
    if (rest.GetLength() >= 2 && rest[1] == ':') {
        m_szDrive = rest.Left(2);
        rest = rest.Mid(2);
    }
    int lastSep = -1;
    for (int i = 0; i < rest.GetLength(); ++i)
        if (IsSeparator(rest[i]))
            lastSep = i;
    m_szDirectory = rest.Left(lastSep + 1);
    m_szDirectory.TrimLeft("\\/");
    m_szDirectory.TrimRight("\\/");
    const CString name = rest.Mid(lastSep + 1);
    const int dot = name.ReverseFind('.');
    if (dot >= 0) {
        m_szFileTitle = name.Left(dot);
        m_szFileExt = name.Mid(dot + 1);
    } else {
        m_szFileTitle = name;
        m_szFileExt.Empty();
    }
}

CString CZipPathComponent::GetFileName() const
{
    CString name = m_szFileTitle;
    if (!m_szFileExt.IsEmpty())
        name += "." + m_szFileExt;
    return name;
}

CString CZipPathComponent::GetFilePath() const
{
    CString path = m_szPrefix + m_szDrive;
    if (!m_szDrive.IsEmpty() && !m_szDirectory.IsEmpty())
        path += '\\';
    return path + m_szDirectory;
}

CString CZipPathComponent::GetFullPath() const
{
    CString path = GetFilePath();
    const CString name = GetFileName();
    if (!path.IsEmpty() && !name.IsEmpty())
        path += '\\';
    return path + name;
}

CString CZipPathComponent::GetNoDrive() const
{
    CString path = m_szDirectory;
    const CString name = GetFileName();
    if (!path.IsEmpty() && !name.IsEmpty())
        path += '\\';
    return path + name;
}
