// Whether a file name ends in an extension, compared without regard to case
// (".WMF" matches "picture.wmf", not "C:\\pictures.wmf\\logo.png").
#pragma once

bool PLHasFileExtension(const char* name, const char* extension);
