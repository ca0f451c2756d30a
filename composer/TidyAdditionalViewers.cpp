#include "TidyAdditionalViewers.h"

size_t TidyAdditionalViewers(std::vector<AdditionalViewerEntry>& entries)
{
    size_t count = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        AdditionalViewerEntry& entry = entries[i];
        for (CString* text : {&entry.Extension, &entry.InstallerPath, &entry.Confirmation, &entry.MinimumVersion})
            text->Trim();
        entry.Extension.Remove('.');
        if (!entry.InstallerPath.IsEmpty())
            count = i + 1;
    }
    return count;
}
