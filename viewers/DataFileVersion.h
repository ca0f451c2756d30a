// Version gates of the project data file: a field added in a later version is present only
// when the file's (major, minor, build) is at least the version that introduced it, compared
// major first, then minor, then build.
#pragma once

inline bool IsVersionAtLeast(int major, int minor, int build, int a, int b, int c)
{
    if (major != a)
        return major > a;
    if (minor != b)
        return minor > b;
    return build >= c;
}

// The version the authoring program writes.
enum { DataFileMajor = 2, DataFileMinor = 9, DataFileBuild = 6 };

// The version triple a data file was written with, kept by its reader.
struct DataFileVersion {
    int major = 0;
    int minor = 0;
    int build = 0;

    bool AtLeast(int a, int b, int c) const { return IsVersionAtLeast(major, minor, build, a, b, c); }
};
