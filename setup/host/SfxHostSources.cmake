# The sources of the payload-appending host program, for both ways of building it.
set(VELMORA_SFX_HOST_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/SfxAppend.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../CSfxWriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../SafeName.cpp)
