# SPDX-License-Identifier: GPL-3.0-or-later
zenthra_qt_test(entry_driver_test SOURCES driver_test.cpp modal_watcher.h LIBS zenthra_driver)
