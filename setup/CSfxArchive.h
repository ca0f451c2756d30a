// The files appended to the installer's own executable: a table read from the trailer at
// the end of the file, and the copying of the files out into a folder.
#pragma once
#include "CFile.h"
#include "CString.h"

struct CSfxEntry {
    CString name;    // relative to the destination folder
    CString extra;   // always empty
    UINT size = 0;
    UINT offset = 0; // from the start of the executable
};

class CSfxArchive {
public:
    enum Result : unsigned short {
        openFailed = 1000,      // the executable could not be opened
        noMarker = 1001,        // no payload: the program is the uninstaller
        success = 1002,
        damaged = 1003,         // a marker, but a trailer that cannot be a payload
        emptyPayload = 1004,
        destinationFailed = 1005,
        reopenFailed = 1006
    };
    enum { maxEntries = 256, maxNameLength = 1000, chunkSize = 1000 };
    static const char marker[11]; // "!KOVA_SFX!", written without its terminator

    typedef void (*Callback)(const CSfxEntry& entry, void* context);

    CSfxArchive() = default;
    virtual ~CSfxArchive() = default;

    unsigned short ReadTable(const char* executablePath);
    // destinationFolder ends with the path separator.
    unsigned short ExtractOne(CFile& source, int index, const char* destinationFolder);
    unsigned short ExtractAll(const char* destinationFolder, Callback callback, void* context);

    int GetCount() const { return m_count; }
    const CSfxEntry& GetEntry(int index) const { return m_entries[index]; }

    // The running program's own executable.
    virtual CString GetExecutablePath() const;

private:
    unsigned short ParseTrailer(CFile& file);
    void Clear();

    CSfxEntry m_entries[maxEntries];
    int m_count = 0;
};
