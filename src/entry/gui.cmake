# SPDX-License-Identifier: GPL-3.0-or-later
# The main window with its key filters.
add_library(zenthra_entry STATIC
  frm_main.cpp frm_main.h
  frm_main_births.cpp
  frm_open_birth.cpp frm_open_birth.h
  input_filter.cpp input_filter.h
  key_rules.cpp key_rules.h
  day_strip.cpp day_strip.h
  day_strip_inputs.cpp day_strip_inputs.h)
target_include_directories(zenthra_entry PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zenthra_entry
  PUBLIC zenthra_entry_core zenthra_engine zenthra_ui zenthra_links zenthra_result
         zenthra_place_completer zenthra_births Qt6::Widgets)
zenthra_warnings(zenthra_entry)
