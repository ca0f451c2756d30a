#include "CInstallList.h"
#include "CFile.h"
#include <cstring>
#include <string>

const char CInstallList::fileName[] = "tocFile.ext";
const char CInstallList::separator[] = "#@#";

namespace {

const char kMenuHeading[] = "#@#MENU LIST#@#";
const char kFileHeading[] = "#@#FILE LIST#@#";
const char kFolderHeading[] = "#@#FOLDER LIST#@#";

bool SetField(char (&field)[1024], const char* text, size_t length)
{
    if (length > CInstallList::maxField)
        return false;
    std::memcpy(field, text, length);
    field[length] = 0;
    return true;
}

bool SetRecord(CListRecord& r, const char* f1, const char* f2, const char* f3, unsigned char flag)
{
    r.flag = flag;
    return SetField(r.field1, f1, std::strlen(f1)) && SetField(r.field2, f2, std::strlen(f2))
        && SetField(r.field3, f3, std::strlen(f3));
}

// Splits "a#@#b#@#c" at the first two separators. False without two separators or with a
// field too long for a record.
bool SplitLine(const std::string& line, CListRecord& r)
{
    const size_t first = line.find(CInstallList::separator);
    if (first == std::string::npos)
        return false;
    const size_t second = line.find(CInstallList::separator, first + 3);
    if (second == std::string::npos)
        return false;
    r.flag = 0;
    return SetField(r.field1, line.data(), first)
        && SetField(r.field2, line.data() + first + 3, second - first - 3)
        && SetField(r.field3, line.data() + second + 3, line.size() - second - 3);
}

// Reads the file a line at a time, whole whatever its length, blanks trimmed at both ends.
class CLineReader {
public:
    explicit CLineReader(CFile& file) : m_file(file) {}
    // False at the end of the file (the line is then empty).
    bool Next(std::string& line)
    {
        line.clear();
        bool any = false;
        for (;;) {
            if (m_pos == m_len) {
                m_len = m_file.Read(m_buf, sizeof m_buf);
                m_pos = 0;
                if (m_len == 0)
                    break;
            }
            any = true;
            char ch = m_buf[m_pos++];
            if (ch == '\n')
                break;
            line += ch;
        }
        const char* blanks = " \t\r\n\v\f";
        size_t b = line.find_first_not_of(blanks);
        size_t e = line.find_last_not_of(blanks);
        line = b == std::string::npos ? std::string() : line.substr(b, e - b + 1);
        return any;
    }

private:
    CFile& m_file;
    char m_buf[1499];
    UINT m_pos = 0, m_len = 0;
};

} // namespace

CInstallList::CInstallList() : menus(), menuCount(0), files(), fileCount(0), folders(), folderCount(0) {}

CString CInstallList::ListPath(const char* folder)
{
#ifdef _WIN32
    return CString(folder) + "\\" + fileName;
#else
    return CString(folder) + "/" + fileName;
#endif
}

bool CInstallList::AddMenu(const char* f1, const char* f2, const char* f3, unsigned char flag)
{
    if (menuCount >= maxMenus || !SetRecord(menus[menuCount], f1, f2, f3, flag))
        return false;
    ++menuCount;
    return true;
}

bool CInstallList::AddFile(const char* f1, const char* f2, const char* f3, unsigned char flag)
{
    if (fileCount >= maxFiles || !SetRecord(files[fileCount], f1, f2, f3, flag))
        return false;
    ++fileCount;
    return true;
}

bool CInstallList::AddFolder(const char* path, unsigned char flag)
{
    if (folderCount >= maxFolders || !SetField(folders[folderCount].path, path, std::strlen(path)))
        return false;
    folders[folderCount].flag = flag;
    ++folderCount;
    return true;
}

bool CInstallList::Read(const char* folder, CString* message)
{
    const CString path = ListPath(folder);
    if (message)
        *message = CString("An Error occured opening ") + path;
    menuCount = 0;
    fileCount = 0;
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary))
        return false;
    const int foldersBefore = folderCount;
    bool ok = true;
    try {
        CLineReader reader(file);
        std::string line;
        reader.Next(line); // the menu heading
        bool more = reader.Next(line);
        while (ok && more && line.find(kFileHeading) == std::string::npos) {
            ok = menuCount < maxMenus && SplitLine(line, menus[menuCount]);
            ++menuCount;
            more = reader.Next(line);
        }
        // Room for the uninstaller, the list itself and one shortcut file per menu record.
        const int fileRoom = maxFiles - 2 - menuCount;
        more = ok && reader.Next(line);
        while (ok && more && !line.empty() && line.find(kFolderHeading) == std::string::npos) {
            ok = fileCount < fileRoom && SplitLine(line, files[fileCount]);
            ++fileCount;
            more = reader.Next(line);
        }
        more = ok && reader.Next(line);
        while (ok && more && !line.empty()) {
            ok = AddFolder(line.c_str(), 0);
            more = reader.Next(line);
        }
    } catch (CFileException* e) {
        e->Delete();
        ok = false;
    }
    file.Abort();
    if (!ok) {
        menuCount = 0;
        fileCount = 0;
        folderCount = foldersBefore;
        return false;
    }
    AddFile("Uninstall.exe", "Uninstall.exe", "Uninstall.exe");
    AddFile(fileName, fileName, fileName);
    return true;
}

bool CInstallList::Write(const char* folder) const
{
    std::string text;
    auto line = [&text](const char* s) {
        text += s;
        text += "\r\n";
    };
    auto record = [&](const CListRecord& r) {
        text += r.field1;
        text += separator;
        text += r.field2;
        text += separator;
        text += r.field3;
        text += "\r\n";
    };
    line(kMenuHeading);
    for (int i = 0; i < menuCount; ++i)
        record(menus[i]);
    line(kFileHeading);
    for (int i = 0; i < fileCount; ++i)
        record(files[i]);
    line(kFolderHeading);
    for (int i = 0; i < folderCount; ++i)
        line(folders[i].path);
    CFile file;
    if (!file.Open(ListPath(folder), CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | CFile::typeBinary))
        return false;
    try {
        file.Write(text.data(), static_cast<UINT>(text.size()));
        file.Close();
    } catch (CFileException* e) {
        e->Delete();
        file.Abort();
        return false;
    }
    return true;
}
