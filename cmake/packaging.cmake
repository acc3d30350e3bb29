# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: `cpack -G DEB` in a Release build (see README.md).
set(CPACK_PACKAGE_NAME lumenfolio)
set(CPACK_PACKAGE_VERSION ${LF_VERSION})
set(CPACK_PACKAGE_VENDOR "Lumenfolio developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "picture viewer with slide shows and thumbnail sheets")
set(CPACK_PACKAGE_DESCRIPTION "Lumenfolio shows JPEG, GIF and BMP pictures one at a time in a window
that sizes itself to the screen, with zoom, original and web resolution,
stepping through the pictures of a folder, cropping and saving as JPEG.

It runs full-screen slide shows over up to 10,000 pictures of a folder tree,
in sequential or random order, stepped by hand or by a timer, and keeps their
progress in slide show files so that a show can be resumed. It also builds
thumbnail sheets of a folder or of a search result, searches a folder tree
by parts of file names, renames the files of a folder in batch and can
become the desktop's program for JPEG, GIF and BMP files.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY lumenfolio)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${LF_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# xdg-open opens folders, the manual and files in other programs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
if(NOT DEFINED CPACK_PACKAGING_INSTALL_PREFIX)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
endif()
include(CPack)
