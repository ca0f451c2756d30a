// Files and checks of the Wine tests: folders removed whole, and programs of the host system
// (Wine's reg.exe, lnkinfo, unzip) run for their reports.
#pragma once

#include <string>

// The whole content of a file, empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);

// Removes a folder with everything in it.
void RemoveTree(const std::string& path);

// What a program writes to its standard output and error, for Wine's own programs and for
// host programs run through "Z:\bin\sh -c".
std::string CaptureOutput(const std::string& command);

// The host file system's name of a Windows path (any drive), empty when Wine cannot give it.
std::string HostPathOf(const std::string& windowsPath);

// lnkinfo's report on a link file; its output goes through the file report, since a host
// program started from Wine may not be waited for.
std::string LnkInfoReport(const std::string& link, const std::string& report);

// Info-ZIP's "unzip -p" of one entry of an archive (with a password when one is given),
// through the file report as above.
std::string UnzippedEntry(const std::string& archive, const std::string& entry, const std::string& password,
                          const std::string& report);
