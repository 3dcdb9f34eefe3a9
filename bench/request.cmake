# SPDX-License-Identifier: GPL-3.0-or-later
include_guard(GLOBAL)
if(NOT TARGET zenthra_driver OR NOT TARGET benchmark::benchmark)
  return()
endif()
# Its own main(): the application object must exist before any benchmark runs.
add_executable(request_bench ${CMAKE_CURRENT_LIST_DIR}/request_bench.cpp)
target_link_libraries(request_bench PRIVATE zenthra_driver Qt6::Widgets benchmark::benchmark)
zenthra_warnings(request_bench)
