# SPDX-License-Identifier: GPL-3.0-or-later
# The program's version is not written anywhere but in the version history
# compiled into it: entry NN of the newest version makes 4.0.NN, dated by the
# entry's yymmdd. The package, the AppStream release and the Debian changelog
# take it from here, read the way the program reads it.
set(LF_HISTORY_SOURCE ${CMAKE_CURRENT_LIST_DIR}/../src/panel/version_history.cpp)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${LF_HISTORY_SOURCE})

# Every line of the history, in order: entries and version separators.
file(STRINGS ${LF_HISTORY_SOURCE} lf_history_lines
     REGEX "QStringLiteral\\(\"([0-9][0-9]\\^|-+ VERSION )")
set(LF_HISTORY "")
foreach(line IN LISTS lf_history_lines)
  string(REGEX REPLACE "^[^\"]*\"(.*)\"\\),?[ ]*$" "\\1" line "${line}")
  string(REPLACE ";" "," line "${line}")
  list(APPEND LF_HISTORY "${line}")
endforeach()

list(GET LF_HISTORY 0 lf_newest)
if(NOT lf_newest MATCHES "^([0-9][0-9])\\^([0-9][0-9])([0-9][0-9])([0-9][0-9])\\.")
  message(FATAL_ERROR "The newest line of ${LF_HISTORY_SOURCE} is not an entry: ${lf_newest}")
endif()
set(LF_VERSION 4.0.${CMAKE_MATCH_1})
set(LF_RELEASE_DATE 20${CMAKE_MATCH_2}-${CMAKE_MATCH_3}-${CMAKE_MATCH_4})
