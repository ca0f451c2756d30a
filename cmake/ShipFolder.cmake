# The folder of what ships (build/<tree>/ship): stripped copies of the deliverables and of
# the MinGW run-time DLLs beside them. The build's own binaries in bin/ keep their symbols
# for debugging; the installer and base folders are made from these copies.
set(VELMORA_SHIP_DIR ${CMAKE_BINARY_DIR}/ship)
file(MAKE_DIRECTORY ${VELMORA_SHIP_DIR})
if(NOT CMAKE_STRIP)
  message(FATAL_ERROR "no strip program found for ${CMAKE_CXX_COMPILER}")
endif()

# velmora_ship(<target> [<out var>]): the target's executable or DLL, stripped, in the ship
# folder; its file name in <out var>.
function(velmora_ship target)
  get_target_property(type ${target} TYPE)
  get_target_property(base ${target} OUTPUT_NAME)
  if(NOT base)
    set(base ${target})
  endif()
  if(type STREQUAL "EXECUTABLE")
    set(name ${base}${CMAKE_EXECUTABLE_SUFFIX})
  else()
    get_target_property(prefix ${target} PREFIX)
    if(prefix MATCHES "NOTFOUND")
      set(prefix ${CMAKE_SHARED_LIBRARY_PREFIX})
    endif()
    set(name ${prefix}${base}${CMAKE_SHARED_LIBRARY_SUFFIX})
  endif()
  set(out ${VELMORA_SHIP_DIR}/${name})
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_STRIP} --strip-all -o ${out} $<TARGET_FILE:${target}>
    DEPENDS ${target} $<TARGET_FILE:${target}>
    VERBATIM)
  add_custom_target(${target}_ship ALL DEPENDS ${out})
  if(ARGC GREATER 1)
    set(${ARGV1} ${name} PARENT_SCOPE)
  endif()
endfunction()

# velmora_ship_files(<name> <file>...): files made outside this project (the run-time DLLs),
# stripped, in the ship folder.
function(velmora_ship_files name)
  set(outs)
  foreach(f ${ARGN})
    get_filename_component(n ${f} NAME)
    add_custom_command(OUTPUT ${VELMORA_SHIP_DIR}/${n}
      COMMAND ${CMAKE_STRIP} --strip-all -o ${VELMORA_SHIP_DIR}/${n} ${f}
      DEPENDS ${f}
      VERBATIM)
    list(APPEND outs ${VELMORA_SHIP_DIR}/${n})
  endforeach()
  add_custom_target(${name} ALL DEPENDS ${outs})
endfunction()
