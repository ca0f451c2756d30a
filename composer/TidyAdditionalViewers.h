// The stored form of the additional viewer entries the author left in their dialog: each
// string trimmed of blanks at both ends, every "." removed from the extension, and the
// entries after the last one with an installer dropped (an earlier entry without one stays,
// with its empty path, so that the player reads the entries in their places).
#pragma once
#include "CProjectData.h"

#include <vector>

void TidyAdditionalViewers(std::vector<AdditionalViewerEntry>& entries);
