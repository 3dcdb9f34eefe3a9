# SPDX-License-Identifier: GPL-3.0-or-later
# The sign profiles with their texts and pictures, and the result window.
add_library(zenthra_result STATIC
  sign_profiles.cpp sign_profiles.h
  sign_image_list.cpp sign_image_list.h
  result_labels.cpp result_labels.h
  frm_display.cpp frm_display.h
  fill_display.cpp fill_display.h
  result_page.cpp result_page.h)
target_include_directories(zenthra_result PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zenthra_result
  PUBLIC zenthra_signs zenthra_wheel Qt6::Widgets Qt6::PrintSupport
  PRIVATE zenthra_ui zenthra_links)
zenthra_warnings(zenthra_result)

# The long texts and the twelve pictures travel inside the program. The target
# form of qt_add_resources keeps them from being dropped when the static
# library is linked.
set(_zenthra_sign_pictures)
foreach(_sign aries taurus gemini cancer leo virgo libra scorpio sagittarius
              capricorn aquarius pisces)
  list(APPEND _zenthra_sign_pictures images/${_sign}.jpg)
endforeach()
qt_add_resources(zenthra_result "zenthra_signs_content"
  PREFIX /zenthra/result
  FILES profiles.json ${_zenthra_sign_pictures})
