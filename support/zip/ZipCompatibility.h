// Attributes of the systems a zip entry can come from, converted through their MS-DOS form.
#pragma once
#include "WinTypes.h"

namespace ZipCompatibility {

enum ZipPlatforms { zcDosFat = 0, zcAmiga = 1, zcVaxVms = 2, zcUnix = 3, zcVmCms = 4, zcAtari = 5,
                    zcOs2Hpfs = 6, zcMacintosh = 7, zcZsystem = 8, zcCpm = 9, zcNtfs = 10 };

bool IsPlatformSupported(int code);
// Attributes of system 'from' in the form of system 'to'; throws 115 for an unsupported system.
DWORD ConvertToSystem(DWORD attributes, int from, int to);

}
