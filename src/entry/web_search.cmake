# SPDX-License-Identifier: GPL-3.0-or-later
# The web search behind the place lookup: needs the desktop's open service
# (Qt Gui), no widgets.
add_library(zenthra_web_search STATIC
  ${CMAKE_CURRENT_LIST_DIR}/web_search.cpp
  ${CMAKE_CURRENT_LIST_DIR}/web_search.h)
target_include_directories(zenthra_web_search PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zenthra_web_search PUBLIC Qt6::Gui)
zenthra_warnings(zenthra_web_search)
