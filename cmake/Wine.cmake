# Windows programs of the cross tree run under Wine: every test goes through tools/wine-run.sh
# with this tree's own prefix, and the "wine" fixture keeps one Xvfb and one persistent
# wineserver alive for the whole test run.
set(VELMORA_WINE /usr/lib/wine/wine CACHE FILEPATH "Wine's loader")
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/tools/wine-run.sh ${CMAKE_BINARY_DIR})

add_test(NAME wine_start COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-fixture.sh start ${CMAKE_BINARY_DIR})
set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
add_test(NAME wine_stop COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-fixture.sh stop ${CMAKE_BINARY_DIR})
set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 60)
