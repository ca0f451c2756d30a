// The installation list "tocFile.ext": the Start-menu shortcuts, the files and the folders
// of an installation, as three fixed tables, with the file's reader and writer.
#pragma once
#include "CString.h"

struct CListRecord {
    char field1[1024];
    char field2[1024];
    char field3[1024];
    unsigned char flag;
};

struct CFolderRecord {
    char path[1024];
    unsigned char flag;
};

class CInstallList {
public:
    enum { maxMenus = 25, maxFiles = 250, maxFolders = 25, maxField = 1023 };
    static const char fileName[];      // "tocFile.ext"
    static const char separator[];     // "#@#"

    CInstallList();

    // Reads folder's list. Menu and file records are replaced, folder records are added to
    // those already recorded; then the uninstaller's and the list's own file records are
    // appended. A list that cannot be opened, has a field over 1023 characters, a menu or
    // file line without two separators, or more records than the tables hold (room is kept
    // for the appended records and for one shortcut file per menu record) is refused with
    // the opening message in *message. The tables are then left empty of menus and files.
    bool Read(const char* folder, CString* message = nullptr);
    // Creates or truncates folder's list and writes the three tables; lines end in CR LF.
    bool Write(const char* folder) const;

    // Appends a record; false when the table is full or a field is too long.
    bool AddMenu(const char* f1, const char* f2, const char* f3, unsigned char flag = 0);
    bool AddFile(const char* f1, const char* f2, const char* f3, unsigned char flag = 0);
    bool AddFolder(const char* path, unsigned char flag = 0);

    static CString ListPath(const char* folder);

    CListRecord menus[maxMenus];
    int menuCount;
    CListRecord files[maxFiles];
    int fileCount;
    CFolderRecord folders[maxFolders];
    int folderCount;
};
