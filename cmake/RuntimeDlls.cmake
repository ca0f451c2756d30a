# The MinGW run-time DLLs every module links shared (so C++ exceptions cross module
# boundaries). This is the one list of them: the build copies them next to the programs,
# and Create copies the same list into the base folder next to the player.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(VELMORA_RUNTIME_DLL_NAMES libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll)
else()
  set(VELMORA_RUNTIME_DLL_NAMES libgcc_s_dw2-1.dll libstdc++-6.dll libwinpthread-1.dll)
endif()

set(VELMORA_RUNTIME_DLLS "")
foreach(dll ${VELMORA_RUNTIME_DLL_NAMES})
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
    message(FATAL_ERROR "run-time DLL ${dll} not found next to ${CMAKE_CXX_COMPILER}")
  endif()
  list(APPEND VELMORA_RUNTIME_DLLS ${path})
  file(COPY ${path} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
endforeach()
velmora_ship_files(velmora_runtime_dlls_ship ${VELMORA_RUNTIME_DLLS})

# Shared run-times for every module, C and C++.
add_link_options(-shared-libgcc)

# The sound library's file name comes from the one header that names it.
file(STRINGS ${CMAKE_SOURCE_DIR}/framework/sound/SoundLibraryName.h _name_line REGEX "define VELMORA_SOUND_LIBRARY_BASE ")
string(REGEX REPLACE ".*\"(.*)\".*" "\\1" VELMORA_SOUND_LIBRARY_BASE "${_name_line}")

# Everything that travels next to the player and its viewer library: the framework DLL (in
# place of the platform's class library), the sound library and the run-time DLLs above.
# The same list reaches the program that copies them (Create) as the generated header
# VelmoraRuntimeDlls.h (target velmora_runtime_dlls).
set(VELMORA_PLAYER_DLL_NAMES VelmoraFW.dll ${VELMORA_SOUND_LIBRARY_BASE}.dll ${VELMORA_RUNTIME_DLL_NAMES})
set(_entries "")
foreach(dll ${VELMORA_PLAYER_DLL_NAMES})
  string(APPEND _entries "    \"${dll}\",\n")
endforeach()
list(LENGTH VELMORA_PLAYER_DLL_NAMES _count)
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/generated/VelmoraRuntimeDlls.h CONTENT
"// Generated from cmake/RuntimeDlls.cmake: the DLLs that travel next to the player.
#pragma once

static const char* const kVelmoraRuntimeDlls[] = {
${_entries}};
static const int kVelmoraRuntimeDllCount = ${_count};
")
add_library(velmora_runtime_dlls INTERFACE)
target_include_directories(velmora_runtime_dlls INTERFACE ${CMAKE_BINARY_DIR}/generated)

# The player set: what Create copies from the program folder into a base folder (the
# player, the viewer library, the sound library and the DLLs above), and so what the
# authoring program needs beside it wherever it is installed. Every one of them lies in
# the tree's bin folder once built. The sound library's name comes from the one header
# that names it.
file(STRINGS ${CMAKE_SOURCE_DIR}/framework/sound/SoundLibraryName.h _name_line
     REGEX "define VELMORA_SOUND_LIBRARY_BASE ")
string(REGEX REPLACE ".*\"(.*)\".*" "\\1" VELMORA_SOUND_LIBRARY_BASE "${_name_line}")
set(VELMORA_PLAYER_SET_NAMES Velmora.exe VelmoraV.dll ${VELMORA_SOUND_LIBRARY_BASE}.dll ${VELMORA_PLAYER_DLL_NAMES})
list(REMOVE_DUPLICATES VELMORA_PLAYER_SET_NAMES)
