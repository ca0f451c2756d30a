# Shared part of the MinGW-w64 toolchain files; VELMORA_TRIPLET is set by the includer.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${VELMORA_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELMORA_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VELMORA_TRIPLET}-windres)
set(VELMORA_MINGW_DEPS /opt/velmora-mingw-deps/${VELMORA_TRIPLET} CACHE PATH "prefix of the cross-built picture libraries")
set(CMAKE_FIND_ROOT_PATH /usr/${VELMORA_TRIPLET} ${VELMORA_MINGW_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# What ships is optimised: a cross tree builds Release unless configured otherwise
# (-DCMAKE_BUILD_TYPE=Debug for development, as tools/test.sh does with VELMORA_BUILD_TYPE=Debug).
set(CMAKE_BUILD_TYPE Release CACHE STRING "Debug, Release, RelWithDebInfo or MinSizeRel")
