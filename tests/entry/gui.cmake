# SPDX-License-Identifier: GPL-3.0-or-later
zenthra_qt_test(entry_main_window_test SOURCES frm_main_test.cpp modal_watcher.h
                LIBS zenthra_entry)
zenthra_qt_test(entry_input_filter_test SOURCES input_filter_test.cpp modal_watcher.h
                LIBS zenthra_entry)
zenthra_qt_test(entry_day_strip_test SOURCES day_strip_test.cpp LIBS zenthra_entry)
