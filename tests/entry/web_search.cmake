# SPDX-License-Identifier: GPL-3.0-or-later
zenthra_qt_test(entry_web_search_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/web_search_test.cpp ${PROJECT_SOURCE_DIR}/tests/browser_stand_in.h
  LIBS zenthra_web_search)
