# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DVERSION=x.y -DCHANGELOG=... -DMETAINFO=... -P release_version_test.cmake
# The newest entry of the package's changelog and the newest AppStream release
# are the project's version: a version raised in one place only would ship a
# package whose changelog or software-centre entry names the old one.
file(STRINGS "${CHANGELOG}" newest LIMIT_COUNT 1)
if(NOT newest MATCHES "^zenthra \\(([^)]+)\\) " OR NOT CMAKE_MATCH_1 STREQUAL VERSION)
  message(FATAL_ERROR "${CHANGELOG}: newest entry '${newest}', not version ${VERSION}")
endif()
file(READ "${METAINFO}" metainfo)
if(NOT metainfo MATCHES "<releases>[ \t\r\n]*<release version=\"([^\"]+)\""
   OR NOT CMAKE_MATCH_1 STREQUAL VERSION)
  message(FATAL_ERROR "${METAINFO}: newest release '${CMAKE_MATCH_1}', not version ${VERSION}")
endif()
