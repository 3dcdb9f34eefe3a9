# SPDX-License-Identifier: GPL-3.0-or-later
include_guard(GLOBAL)
if(NOT TARGET zenthra_atlas)
  return()
endif()
zenthra_gtest(entry_atlas_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/atlas_test.cpp ${CMAKE_CURRENT_LIST_DIR}/place_time_test.cpp
  LIBS zenthra_atlas)

if(TARGET zenthra_place_completer)
  zenthra_qt_test(entry_place_completer_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/place_completer_test.cpp
    LIBS zenthra_place_completer)
endif()
