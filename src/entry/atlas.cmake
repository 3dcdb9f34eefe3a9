# SPDX-License-Identifier: GPL-3.0-or-later
# The offline atlas (GeoNames places, built into the program from
# data/places) and the time of a place on a date; Qt Core only.
include_guard(GLOBAL)
if(NOT TARGET Qt6::Core)
  return()
endif()
find_package(ZLIB REQUIRED)

add_library(zenthra_atlas STATIC
  ${CMAKE_CURRENT_LIST_DIR}/atlas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/atlas.h
  ${CMAKE_CURRENT_LIST_DIR}/place_time.cpp
  ${CMAKE_CURRENT_LIST_DIR}/place_time.h)
target_include_directories(zenthra_atlas PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zenthra_atlas PUBLIC zenthra_entry_core Qt6::Core PRIVATE ZLIB::ZLIB)
# Already gzip-compressed; the atlas inflates it itself.
qt_add_resources(zenthra_atlas "places" PREFIX "/zenthra" BASE ${PROJECT_SOURCE_DIR}/data/places
  OPTIONS --no-compress FILES ${PROJECT_SOURCE_DIR}/data/places/places.tsv.gz)
zenthra_warnings(zenthra_atlas)


# The suggestion list under the city box.
if(TARGET Qt6::Widgets)
  add_library(zenthra_place_completer STATIC
    ${CMAKE_CURRENT_LIST_DIR}/place_completer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/place_completer.h)
  target_include_directories(zenthra_place_completer PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(zenthra_place_completer PUBLIC zenthra_atlas zenthra_ui Qt6::Widgets)
  zenthra_warnings(zenthra_place_completer)
endif()
