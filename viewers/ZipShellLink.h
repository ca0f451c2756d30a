// A shell link (".lnk") made through the shell's link object and saved through its file
// interface; the folders on the way are created first.
#pragma once
#include "CString.h"

// Saves a link at linkPath to target, with the description and, when not empty, the icon
// (index 0). True when the link file was written.
bool SaveZipShellLink(const CString& linkPath, const CString& target, const CString& description,
                      const CString& icon);
