// Where a Zip target's files and links go: the proposed destination per extract location,
// the table of shortcut folders, link names and paths, and the checks that keep every one of
// them inside the folder it belongs to. Plain text work; the system's folders come in.
#pragma once
#include "CString.h"
#include "ShortcutInfo.h"
#include "ViewersExport.h"

#include <array>

// The system's folders as the shell gives them; an empty one takes its fixed fallback.
struct ZipSystemFolders {
    CString programFiles;  // "ProgramFilesDir"
    CString desktop;       // the user's desktop directory
    CString documents;     // the user's documents folder
    CString startMenu;     // the user's Start Menu
    CString programs;      // the user's Start Menu programs folder
};

enum { ZipShortcutLocations = 7 };
typedef std::array<CString, ZipShortcutLocations> ZipShortcutFolders;

// base and name joined by one backslash, whatever separators either end brings.
VIEWERS_API CString JoinZipPath(const CString& base, const CString& name);
// A folder name that stays below the folder it is appended to: no drive, no leading
// separator, no ".." component. Empty is safe.
VIEWERS_API bool IsSafeExtractFolder(const CString& folder);
// The folder name as used: itself when safe, else empty.
VIEWERS_API CString UsableExtractFolder(const CString& folder);
// The destination proposed for location 0 Program Files, 1 Desktop, 2 Documents, 3 C:\;
// empty for any other location.
VIEWERS_API CString ProposedZipDestination(int location, const CString& extractFolder,
                                           const ZipSystemFolders& folders);
// Shortcut folders by location: 0 none, 1 desktop, 2 Start Menu, 3 its programs, 4
// Accessories, 5 and 6 the program group named by the folder name under 3 and 4.
VIEWERS_API ZipShortcutFolders BuildZipShortcutFolders(const ZipSystemFolders& folders,
                                                       const CString& extractFolder);
// The link's name: Name, or the last component of FileName without its extension; made one
// file name (separators and ':' become '_').
VIEWERS_API CString ZipLinkName(const ShortcutInfo& node);
// The link file for a node; empty when it gets none (location 0, above 6, or no name).
VIEWERS_API CString ZipLinkPath(const ZipShortcutFolders& table, const ShortcutInfo& node);
// An absolute destination: a drive with its separator, or a network share.
VIEWERS_API bool IsAbsoluteZipDestination(const CString& destination);
// The icon for a node's link: destination + Icon, or empty for the target's own icon.
VIEWERS_API CString ZipLinkIcon(const CString& destination, const ShortcutInfo& node);
