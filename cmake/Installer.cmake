# The payload-appending host program and the function that assembles an installer.
#
# VELMORA_SFX_APPEND: the host program (velmora_sfx_append EXECUTABLE FILE...), and
# VELMORA_SFX_APPEND_TARGET the target that makes it. The native tree builds it as one of
# its own programs; a cross tree builds it for this machine as a project of its own.
include(${CMAKE_SOURCE_DIR}/setup/host/SfxHostSources.cmake)
if(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  set(_host_dir ${CMAKE_BINARY_DIR}/host/sfx)
  set(_host_launcher)
  find_program(VELMORA_CCACHE ccache)
  if(VELMORA_CCACHE)
    set(_host_launcher -DCMAKE_CXX_COMPILER_LAUNCHER=${VELMORA_CCACHE})
  endif()
  ExternalProject_Add(velmora_sfx_host
    SOURCE_DIR ${CMAKE_SOURCE_DIR}/setup/host
    BINARY_DIR ${_host_dir}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=c++ ${_host_launcher}
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${_host_dir}/velmora_sfx_append)
  set(VELMORA_SFX_APPEND ${_host_dir}/velmora_sfx_append)
  set(VELMORA_SFX_APPEND_TARGET velmora_sfx_host)
else()
  add_executable(velmora_sfx_append ${VELMORA_SFX_HOST_SOURCES})
  target_include_directories(velmora_sfx_append PRIVATE ${CMAKE_SOURCE_DIR}/setup)
  set(VELMORA_SFX_APPEND $<TARGET_FILE:velmora_sfx_append>)
  set(VELMORA_SFX_APPEND_TARGET velmora_sfx_append)
endif()

find_program(VELMORA_GCAB gcab REQUIRED)

# velmora_add_installer(<target> PROGRAM <program target> OUTPUT <file>
#                       [CABINET file...] [FILES file...])
# Copies the program's executable to OUTPUT, packs the CABINET files (by their base
# names, MSZIP) into "Data1.cab" and appends Data1.cab and the FILES to it as its payload.
# Files may be generator expressions; two files with one base name are refused.
function(velmora_add_installer target)
  cmake_parse_arguments(I "" "PROGRAM;OUTPUT" "CABINET;FILES" ${ARGN})
  set(work ${CMAKE_CURRENT_BINARY_DIR}/${target}.dir)
  string(REPLACE ";" "|" cab "${I_CABINET}")
  string(REPLACE ";" "|" files "${I_FILES}")
  add_custom_command(OUTPUT ${I_OUTPUT}
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${I_PROGRAM}> -DOUTPUT=${I_OUTPUT} -DWORK=${work}
            "-DCABINET=${cab}" "-DFILES=${files}" -DGCAB=${VELMORA_GCAB} -DAPPEND=${VELMORA_SFX_APPEND}
            -P ${CMAKE_SOURCE_DIR}/cmake/AssembleInstaller.cmake
    DEPENDS ${I_PROGRAM} ${VELMORA_SFX_APPEND_TARGET} ${I_CABINET} ${I_FILES} ${CMAKE_SOURCE_DIR}/cmake/AssembleInstaller.cmake
    COMMENT "Assembling ${I_OUTPUT}"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${I_OUTPUT})
endfunction()

# velmora_add_composer_installer(<target> COMPOSER <file> OUTPUT <file>)
# The installer of the authoring program: its Data1.cab holds COMPOSER (a file named
# Velmora_Composer.exe), the player set beside it (VELMORA_PLAYER_SET_NAMES, stripped, from
# the ship folder), the uninstaller and a tocFile.ext listing them, with Start-menu shortcuts to the
# program and to the uninstaller.
function(velmora_add_composer_installer target)
  cmake_parse_arguments(I "" "COMPOSER;OUTPUT" "" ${ARGN})
  set(toc ${CMAKE_CURRENT_BINARY_DIR}/${target}.toc/tocFile.ext)
  set(lines
    "#@#MENU LIST#@#"
    "Velmora Composer#@#Velmora_Composer.exe#@#\\Corvex Software\\Velmora\\Velmora Composer"
    "Uninstall Velmora#@##@#\\Corvex Software\\Velmora\\Uninstall Velmora"
    "#@#FILE LIST#@#"
    "Velmora_Composer.exe#@##@#Velmora_Composer.exe")
  set(files)
  foreach(name IN LISTS VELMORA_PLAYER_SET_NAMES)
    list(APPEND lines "${name}#@##@#${name}")
    list(APPEND files ${VELMORA_SHIP_DIR}/${name})
  endforeach()
  list(APPEND lines "#@#FOLDER LIST#@#" "")
  string(JOIN "\n" text ${lines})
  file(GENERATE OUTPUT ${toc} CONTENT "${text}" NEWLINE_STYLE CRLF)
  velmora_add_installer(${target} PROGRAM VelmoraSetup_bare OUTPUT ${I_OUTPUT}
    CABINET ${toc} ${I_COMPOSER} ${files} $<TARGET_FILE:VelmoraSetup_bare>)
  # The ship folder's copies are made by targets of the top folder.
  add_dependencies(${target} Velmora_ship VelmoraV_ship framework_ship velmora_sound_ship velmora_runtime_dlls_ship)
endfunction()
