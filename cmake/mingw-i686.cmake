# Cross toolchain for the deliverables: 32-bit Windows with MinGW-w64 (Debian g++-mingw-w64-i686).
set(CMAKE_SYSTEM_PROCESSOR x86)
set(VELMORA_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
