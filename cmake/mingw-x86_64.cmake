# The same sources for 64-bit Windows: the test tree on machines whose kernel cannot run
# 32-bit programs (and so cannot run 32-bit Wine). Nothing of it is shipped.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(VELMORA_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
