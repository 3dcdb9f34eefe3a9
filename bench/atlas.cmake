# SPDX-License-Identifier: GPL-3.0-or-later
include_guard(GLOBAL)
if(NOT TARGET zenthra_place OR NOT TARGET benchmark::benchmark)
  return()
endif()
add_executable(atlas_bench ${CMAKE_CURRENT_LIST_DIR}/atlas_bench.cpp)
target_link_libraries(atlas_bench PRIVATE zenthra_place benchmark::benchmark benchmark::benchmark_main)
zenthra_warnings(atlas_bench)
