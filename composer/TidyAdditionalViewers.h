// The stored form of the additional viewer entries the author left in their dialog: each
// string trimmed of blanks at both ends, every "." removed from the extension. The entries
// in use run up to the last one with an installer (an earlier entry without one counts,
// with its empty path, so that the player reads the entries in their places); the entries
// after it are kept as typed for the next opening of the dialog, but not counted.
#pragma once
#include "CProjectData.h"

#include <cstddef>
#include <vector>

// Tidies the entries in place; returns the number of them in use.
size_t TidyAdditionalViewers(std::vector<AdditionalViewerEntry>& entries);
