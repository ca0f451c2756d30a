# Windows programs of a cross tree run under Wine: every test goes through tools/wine-run.sh
# with this tree's own prefix, and the "wine" fixture keeps one Xvfb and one persistent
# wineserver alive for the whole test run.
# VELMORA_WINE_TESTS=OFF builds the test programs without registering them (a tree whose
# programs this machine cannot run: 32-bit ones on a kernel without 32-bit support).
option(VELMORA_WINE_TESTS "register the Windows test programs with CTest" ON)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(VELMORA_WINE /usr/lib/wine/wine64 CACHE FILEPATH "Wine's loader")
else()
  set(VELMORA_WINE /usr/lib/wine/wine CACHE FILEPATH "Wine's loader")
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/tools/wine-run.sh ${CMAKE_BINARY_DIR} ${VELMORA_WINE})

# Started by the fixture: keeps Wine's desktop alive between two test programs.
add_executable(wine_desktop_keeper WIN32 ${CMAKE_SOURCE_DIR}/tools/wine-desktop-keeper.c)
target_link_options(wine_desktop_keeper PRIVATE -static)

if(VELMORA_WINE_TESTS)
  add_test(NAME wine_start COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-fixture.sh start ${CMAKE_BINARY_DIR} ${VELMORA_WINE})
  set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
  add_test(NAME wine_stop COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-fixture.sh stop ${CMAKE_BINARY_DIR} ${VELMORA_WINE})
  set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 60)
endif()
