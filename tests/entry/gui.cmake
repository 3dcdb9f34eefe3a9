# SPDX-License-Identifier: GPL-3.0-or-later
zenthra_qt_test(entry_main_window_test SOURCES frm_main_test.cpp modal_watcher.h
                LIBS zenthra_entry)
zenthra_qt_test(entry_input_filter_test SOURCES input_filter_test.cpp modal_watcher.h
                LIBS zenthra_entry)
zenthra_qt_test(entry_accessibility_test SOURCES accessibility_test.cpp
                LIBS zenthra_entry zenthra_result)
# The offscreen screen is 800 x 600: at three times the scale neither window fits.
add_test(NAME entry_accessibility_scaled_test
         COMMAND entry_accessibility_test windowsFitTheScreen)
set_tests_properties(entry_accessibility_scaled_test PROPERTIES LABELS gui TIMEOUT 300
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QTEST_FUNCTION_TIMEOUT=60000;QT_SCALE_FACTOR=3")
zenthra_qt_test(entry_day_strip_test SOURCES day_strip_test.cpp LIBS zenthra_entry)
