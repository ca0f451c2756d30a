// One shortcut of a Zip target. The authoring program reads and changes these nodes through
// pointers the zip viewer hands out, so both modules share this exact layout; the nodes stay
// owned by the viewer's list.
#pragma once
#include "ViewersExport.h"

#include <cstdint>

struct ShortcutInfo {
    enum { FieldSize = 260 };
    ShortcutInfo* previous;
    ShortcutInfo* next;
    uint32_t ID;
    char FileName[FieldSize];  // path of the file inside the archive
    char Icon[FieldSize];      // icon file inside the archive, "Default Icon" or empty
    uint32_t Location;         // index into the shortcut folder table
    char Name[FieldSize];      // link name without ".lnk"; empty: derived from FileName
    int32_t LaunchFile;        // start the file after a completed installation
};

// Stores text into one of the fields, cut to what the field holds with its terminator.
VIEWERS_API void StoreShortcutField(char (&field)[ShortcutInfo::FieldSize], const char* text);
