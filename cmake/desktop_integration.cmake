# SPDX-License-Identifier: GPL-3.0-or-later
# What a desktop and a distribution need beside the program: the menu entry,
# icons, AppStream metadata, the manual page (also as HTML for Help), the
# licence, the Debian copyright and changelog, and the program's source.
include(GNUInstallDirs)
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(MANDOC mandoc REQUIRED)
find_program(GZIP gzip REQUIRED)

set(lf_data ${CMAKE_CURRENT_SOURCE_DIR}/data)
set(lf_gen ${CMAKE_CURRENT_BINARY_DIR}/share)
set(lf_outputs "")

# PNG icons drawn from the one SVG.
foreach(size 16 24 32 48 64 128 256 512)
  set(png ${lf_gen}/icons/${size}/lumenfolio.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${lf_gen}/icons/${size}
    COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${lf_data}/lumenfolio.svg
    DEPENDS ${lf_data}/lumenfolio.svg VERBATIM)
  list(APPEND lf_outputs ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${lf_data}/lumenfolio.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Exec names the program through PATH, so the entry holds for any prefix.
install(FILES ${lf_data}/${LF_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# AppStream: every release of the newest version, from the version history.
# Software centres show the screenshot from a web address; the project has no
# site yet, so the default is a placeholder that a packager replaces with the
# address where the screenshot is published.
set(LUMENFOLIO_SCREENSHOT_URL "https://lumenfolio.example.org/screenshots/picture-window.png"
    CACHE STRING "Web address of a screenshot for the AppStream metadata")
set(LF_METAINFO_SCREENSHOTS "  <screenshots>\n    <screenshot type=\"default\">\n      <caption>A picture window and the main panel</caption>\n      <image>${LUMENFOLIO_SCREENSHOT_URL}</image>\n    </screenshot>\n  </screenshots>\n")
set(LF_METAINFO_RELEASES "")
foreach(line IN LISTS LF_HISTORY)
  if(NOT line MATCHES "^([0-9][0-9])\\^([0-9][0-9])([0-9][0-9])([0-9][0-9])\\.[0-9]+\\) [A-Z]: (.*)$")
    break()
  endif()
  string(REPLACE "&" "&amp;" text "${CMAKE_MATCH_5}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  string(APPEND LF_METAINFO_RELEASES
    "    <release version=\"4.0.${CMAKE_MATCH_1}\" date=\"20${CMAKE_MATCH_2}-${CMAKE_MATCH_3}-${CMAKE_MATCH_4}\">\n"
    "      <description><p>${text}</p></description>\n    </release>\n")
endforeach()
configure_file(${lf_data}/${LF_APP_ID}.metainfo.xml.in ${lf_gen}/${LF_APP_ID}.metainfo.xml @ONLY)
install(FILES ${lf_gen}/${LF_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The manual page, compressed as Debian wants it, and as HTML for Help.
add_custom_command(OUTPUT ${lf_gen}/lumenfolio.1.gz
  COMMAND ${GZIP} -9nc ${lf_data}/lumenfolio.1 > ${lf_gen}/lumenfolio.1.gz
  DEPENDS ${lf_data}/lumenfolio.1 VERBATIM)
add_custom_command(OUTPUT ${lf_gen}/lumenfolio/manual.html
  COMMAND ${CMAKE_COMMAND} -E make_directory ${lf_gen}/lumenfolio
  COMMAND ${MANDOC} -T html ${lf_data}/lumenfolio.1 > ${lf_gen}/lumenfolio/manual.html
  DEPENDS ${lf_data}/lumenfolio.1 VERBATIM)
list(APPEND lf_outputs ${lf_gen}/lumenfolio.1.gz ${lf_gen}/lumenfolio/manual.html)
install(FILES ${lf_gen}/lumenfolio.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${lf_gen}/lumenfolio/manual.html DESTINATION ${CMAKE_INSTALL_DATADIR}/lumenfolio)

# Debian's documentation folder: the machine-readable copyright and the
# changelog (a native package: changelog.gz).
set(LF_MAINTAINER "Lumenfolio developers <lumenfolio@example.org>" CACHE STRING
    "Name and e-mail address of whoever builds the package")
include(${CMAKE_CURRENT_LIST_DIR}/debian_changelog.cmake)
lf_write_debian_changelog(${lf_gen}/changelog lumenfolio "${LF_MAINTAINER}")
add_custom_command(OUTPUT ${lf_gen}/changelog.gz
  COMMAND ${GZIP} -9nc ${lf_gen}/changelog > ${lf_gen}/changelog.gz
  DEPENDS ${lf_gen}/changelog VERBATIM)
list(APPEND lf_outputs ${lf_gen}/changelog.gz)
install(FILES ${lf_data}/copyright ${lf_gen}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lumenfolio)

add_custom_target(lumenfolio_data ALL DEPENDS ${lf_outputs})

# The complete source of this version, installed with the program (GNU tar,
# reproducible): there is no public repository to point to yet.
install(CODE "
  set(dir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/lumenfolio\")
  file(MAKE_DIRECTORY \"\${dir}\")
  execute_process(
    COMMAND tar --sort=name --mtime=@0 --owner=0 --group=0 --numeric-owner
            --exclude=./.git --exclude=./.cache --exclude=./build* --exclude=./compile_commands.json
            --transform=s,^\\\\.,lumenfolio-${LF_VERSION}, -cJf \"\${dir}/lumenfolio-source.tar.xz\" .
    WORKING_DIRECTORY \"${CMAKE_CURRENT_SOURCE_DIR}\"
    COMMAND_ERROR_IS_FATAL ANY)
  message(STATUS \"Installing: \${dir}/lumenfolio-source.tar.xz\")
")
