#include "ZipTestSupport.h"
