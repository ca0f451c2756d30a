// Creates a folder with every missing folder above it, recording each folder created or
// found in the installation list's folder table, in creation order.
#pragma once
#include "CInstallList.h"

class CFolderChain {
public:
    enum CreateResult { created, exists, parentMissing, failed };

    explicit CFolderChain(CInstallList& list) : m_list(list) {}
    virtual ~CFolderChain() = default;

    // True when path exists at the end. Gives up on a folder that cannot be made for any
    // other reason than a missing parent; records no folder twice and none beyond the
    // table's 25.
    bool Make(const char* path);

protected:
    virtual CreateResult CreateFolder(const char* path);

private:
    void Record(const char* path);
    CInstallList& m_list;
};
