# SPDX-License-Identifier: GPL-3.0-or-later
zenthra_qt_test(sign_profiles_test SOURCES sign_profiles_test.cpp expected_signs.h
  LIBS zenthra_result)
zenthra_qt_test(frm_display_test SOURCES frm_display_test.cpp expected_signs.h
  LIBS zenthra_result zenthra_ui zenthra_links)
zenthra_qt_test(result_page_test SOURCES result_page_test.cpp LIBS zenthra_result)
