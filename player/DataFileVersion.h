// The version triple a project data file was written with; fields added later are read
// only when the file's version is at least the one that brought them.
#pragma once

struct DataFileVersion {
    int major = 0;
    int minor = 0;
    int build = 0;

    bool AtLeast(int ma, int mi, int bu) const
    {
        if (major != ma)
            return major > ma;
        if (minor != mi)
            return minor > mi;
        return build >= bu;
    }
};
