// The one rule for names stored in a payload, a cabinet or an installation list that are
// taken relative to a folder: such a name must stay inside that folder.
#pragma once
#include <string_view>

// True when name is a relative path whose every component is a plain file or folder name:
// no drive, no leading "\" or "/", no ":", no empty, "." or ".." component, no component
// ending in a dot or a space (Windows drops those, so "..." or ". ." would mean ".."), and
// none of the characters Windows forbids in names, control characters included. "\" and
// "/" both separate components.
bool IsNameInsideFolder(std::string_view name);

// True when path can be handed to a command line or a file function as it stands: not
// empty, no control characters, none of < > " | ? *, and ":" only after a drive letter.
bool IsPlainPath(std::string_view path);
