# SPDX-License-Identifier: GPL-3.0-or-later
include_guard(GLOBAL)
if(NOT TARGET zenthra_app OR NOT TARGET benchmark::benchmark)
  return()
endif()
add_executable(request_bench ${CMAKE_CURRENT_LIST_DIR}/request_bench.cpp
               ${CMAKE_CURRENT_LIST_DIR}/qt_bench_main.cpp)
target_link_libraries(request_bench PRIVATE zenthra_app Qt6::Widgets benchmark::benchmark)
zenthra_warnings(request_bench)

add_executable(births_window_bench ${CMAKE_CURRENT_LIST_DIR}/births_window_bench.cpp)
target_link_libraries(births_window_bench PRIVATE zenthra_entry Qt6::Widgets benchmark::benchmark)
zenthra_warnings(births_window_bench)

add_executable(startup_bench ${CMAKE_CURRENT_LIST_DIR}/startup_bench.cpp)
target_link_libraries(startup_bench PRIVATE zenthra_app Qt6::Widgets Qt6::Test benchmark::benchmark)
zenthra_warnings(startup_bench)
