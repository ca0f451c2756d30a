#include "CDataFileLocator.h"
#include "CFile.h"

namespace {

const char kDefaultName[] = "velmora.dat";
const char kOpenLine[] = "open=velmora.exe ";

CString WithoutClosingSlash(CString path)
{
    while (path.GetLength() > 1 && (path.Right(1) == "\\" || path.Right(1) == "/"))
        path = path.Left(path.GetLength() - 1);
    return path;
}

} // namespace

CString CDataFileLocator::ChooseName(const CString& commandLine, const CString& executableBaseName,
                                     const std::function<CString()>& readAutorunName)
{
    CString name = commandLine;
    name.Remove('"');
    name.Trim();
    if (name.IsEmpty()) {
        if (executableBaseName.CompareNoCase("Velmora") != 0)
            name = executableBaseName + ".dat";
        else if (readAutorunName)
            name = readAutorunName();
        name.Remove('"');
        name.Trim();
    }
    if (name.IsEmpty())
        name = kDefaultName;
    return name;
}

CString CDataFileLocator::FindInAutorun(const std::string& text)
{
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        CString line(text.substr(start, end - start));
        start = end + 1;
        line.Trim();
        if (line.IsEmpty())
            break;
        line += ' ';
        CString folded = line;
        folded.MakeLower();
        const int at = folded.Find(kOpenLine);
        if (at >= 0) {
            CString name = line.Mid(at + int(sizeof kOpenLine) - 1);
            name.Trim();
            return name;
        }
    }
    return CString();
}

CString CDataFileLocator::ReadAutorunName(const CString& folder)
{
#ifdef _WIN32
    const CString path = folder + "\\autorun.inf";
#else
    const CString path = folder + "/autorun.inf";
#endif
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite))
        return CString();
    std::string text;
    try {
        char buffer[4096];
        // An autorun.inf is a few lines; a huge file is not one, and its start is enough.
        while (text.size() < 1024 * 1024) {
            const UINT n = file.Read(buffer, sizeof buffer);
            if (n == 0)
                break;
            text.append(buffer, n);
        }
    } catch (CFileException* e) {
        e->Delete();
    }
    file.Abort();
    return FindInAutorun(text);
}

bool CDataFileLocator::IsAbsolutePath(const CString& path)
{
    if (path.GetLength() >= 1 && (path[0] == '\\' || path[0] == '/'))
        return true;
    return path.GetLength() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
}

std::vector<CString> CDataFileLocator::CandidatePaths(const CString& playerFolder, const CString& name)
{
    std::vector<CString> paths;
    paths.push_back(IsAbsolutePath(name) ? name : playerFolder + "\\" + name);
    if (name.CompareNoCase(kDefaultName) != 0)
        paths.push_back(playerFolder + "\\" + kDefaultName);
    return paths;
}

CString CDataFileLocator::ChooseTempFolder(bool gotTempPath, const CString& tempPath, const CString& playerFolder)
{
    if (!gotTempPath || tempPath.IsEmpty() ||
        WithoutClosingSlash(tempPath).CompareNoCase(WithoutClosingSlash(playerFolder)) == 0)
        return "C:\\";
    return tempPath;
}
