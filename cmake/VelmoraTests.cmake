# velmora_host_path(<out> <unix path>): the path as the programs of this tree see it
# (under Wine the Unix root is drive Z:), escaped for a C string literal.
function(velmora_host_path out path)
  if(WIN32)
    string(REPLACE "/" "\\\\" p "${path}")
    set(${out} "Z:${p}" PARENT_SCOPE)
  else()
    set(${out} "${path}" PARENT_SCOPE)
  endif()
endfunction()

# velmora_test(<name> SOURCES ... [LIBS ...] [NO_GTEST] [TIMEOUT s])
# One test program and one CTest test. GoogleTest's main is linked unless NO_GTEST.
# VELMORA_TEST_SOURCE_DIR names the test's source folder (for fixtures), and
# VELMORA_TEST_BINARY_DIR its build folder (for scratch files), as host paths.
# In the cross tree the test runs under Wine inside the "wine" fixture, holding the
# "screen" lock (one Windows test on the shared Xvfb screen at a time).
function(velmora_test name)
  cmake_parse_arguments(T "NO_GTEST" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS})
  if(NOT T_NO_GTEST)
    target_link_libraries(${name} PRIVATE GTest::gmock GTest::gtest_main)
  endif()
  velmora_host_path(src "${CMAKE_CURRENT_SOURCE_DIR}")
  velmora_host_path(bin "${CMAKE_CURRENT_BINARY_DIR}")
  target_compile_definitions(${name} PRIVATE VELMORA_TEST_SOURCE_DIR="${src}"
                                             VELMORA_TEST_BINARY_DIR="${bin}")
  if(WIN32 AND NOT VELMORA_WINE_TESTS)
    return()
  endif()
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
  if(WIN32)
    # All Windows tests share one Xvfb screen; tests that read pixels off it must not see
    # another test's windows, so they take turns.
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK screen)
  endif()
endfunction()
