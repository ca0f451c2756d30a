# Fuzz targets: with -DVELMORA_FUZZ=ON the native tree is built by clang with libFuzzer's
# coverage on every source, and each parser gets a fuzz target beside the code it tests.
# Every target lists its seed corpus folders in fuzzers/<name>.corpus of the build tree, for
# tools/fuzz.sh; `cmake --build <tree> --target fuzzers` builds them all.
option(VELMORA_FUZZ "Build the libFuzzer fuzz targets (native tree, clang only)" OFF)
if(VELMORA_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "VELMORA_FUZZ needs clang: configure with CC=clang CXX=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
  add_custom_target(fuzzers)
  file(REMOVE_RECURSE ${CMAKE_BINARY_DIR}/fuzzers)
endif()

# velmora_fuzzer(name SOURCES ... LIBS ... CORPUS folder...): folders relative to the
# calling folder; the target's own regression folder is fuzz/regressions.
function(velmora_fuzzer name)
  if(NOT VELMORA_FUZZ)
    return()
  endif()
  cmake_parse_arguments(F "" "" "SOURCES;LIBS;CORPUS" ${ARGN})
  add_executable(${name} ${F_SOURCES})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  add_dependencies(fuzzers ${name})
  set(folders "")
  foreach(folder ${F_CORPUS})
    get_filename_component(folder ${folder} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    # git keeps no empty folder: a corpus folder that is missing on a fresh clone would
    # stop libFuzzer at once.
    if(NOT IS_DIRECTORY ${folder})
      message(FATAL_ERROR "${name}: corpus folder ${folder} does not exist")
    endif()
    string(APPEND folders "${folder}\n")
  endforeach()
  file(WRITE ${CMAKE_BINARY_DIR}/fuzzers/${name}.corpus "${folders}")
endfunction()
