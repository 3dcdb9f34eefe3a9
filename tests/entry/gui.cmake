# SPDX-License-Identifier: GPL-3.0-or-later
zenthra_qt_test(entry_main_window_test SOURCES frm_main_test.cpp modal_watcher.h
                LIBS zenthra_entry)
