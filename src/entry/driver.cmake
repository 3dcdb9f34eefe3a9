# SPDX-License-Identifier: GPL-3.0-or-later
# The request driver and the place lookup: what the main window's two buttons do.
add_library(zenthra_driver STATIC
  request_driver.cpp request_driver.h
  place_lookup.cpp place_lookup.h)
target_link_libraries(zenthra_driver
  PUBLIC zenthra_entry zenthra_result zenthra_web_search zenthra_signs zenthra_ui)
zenthra_warnings(zenthra_driver)
