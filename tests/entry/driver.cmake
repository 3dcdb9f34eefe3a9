# SPDX-License-Identifier: GPL-3.0-or-later
zenthra_qt_test(entry_driver_test SOURCES driver_test.cpp modal_watcher.h ../browser_stand_in.h LIBS zenthra_driver)
zenthra_qt_test(entry_place_pick_test SOURCES place_pick_test.cpp modal_watcher.h
                LIBS zenthra_entry)
zenthra_qt_test(entry_main_day_strip_test SOURCES main_day_strip_test.cpp modal_watcher.h
                LIBS zenthra_driver)
zenthra_qt_test(entry_saved_births_test SOURCES saved_births_test.cpp modal_watcher.h
                LIBS zenthra_driver)
