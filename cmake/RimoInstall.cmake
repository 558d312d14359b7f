# The install layout (cmake --install, prefix /usr or /usr/local) and the
# Debian package (cpack -G DEB):
#   <prefix>/lib/rimotime/rimotime, .../shutdown   the program and its companion,
#                                                 kept out of a system bin folder
#   <prefix>/bin/rimotime                          a link to the program
#   <prefix>/share/applications/rimotime.desktop   the menu entry
#   <prefix>/share/metainfo/<id>.metainfo.xml      the software centres' description
#   <prefix>/share/icons/hicolor/NxN/apps/rimotime.png
#   <prefix>/share/doc/rimotime/help.html          the help page (found from lib/rimotime)
#   <prefix>/share/doc/rimotime/copyright          the licence, in Debian's machine-readable format

set(RIMO_PRIVATE_DIR lib/rimotime)
set(RIMO_DOC_DIR share/doc/rimotime)
set(resources ${PROJECT_SOURCE_DIR}/src/resources)

install(TARGETS rimotime rimo_shutdown RUNTIME DESTINATION ${RIMO_PRIVATE_DIR})

# A relative link, so that the installed tree can be moved (and unpacked anywhere).
set(made ${PROJECT_BINARY_DIR}/install-files)
file(MAKE_DIRECTORY ${made})
file(CREATE_LINK ../${RIMO_PRIVATE_DIR}/rimotime ${made}/rimotime SYMBOLIC)
install(FILES ${made}/rimotime DESTINATION bin)

install(FILES ${resources}/rimotime.desktop DESTINATION share/applications)
configure_file(${resources}/rimotime.metainfo.xml.in ${made}/${RIMO_APP_ID}.metainfo.xml @ONLY)
install(FILES ${made}/${RIMO_APP_ID}.metainfo.xml DESTINATION share/metainfo)
# The sizes the program draws its icon at.
foreach(size 16 22 24 32 48 64 128)
    install(FILES ${resources}/icons/MAINICON-${size}.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME rimotime.png)
endforeach()
install(FILES ${resources}/help.html DESTINATION ${RIMO_DOC_DIR})

# LICENSE as Debian's machine-readable copyright file: its copyright line, and
# the permission text below it as the licence's paragraph (Expat is Debian's
# name of the MIT licence).
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]+)\n\n(.*)" found "${licence}")
if(NOT found)
    message(FATAL_ERROR "LICENSE has no line \"Copyright (c) <year> <holders>\"")
endif()
set(holders ${CMAKE_MATCH_1})
string(STRIP "${CMAKE_MATCH_2}" permission)
string(REPLACE "\n\n" "\n.\n" permission "${permission}")
string(REPLACE "\n" "\n " permission "${permission}")
file(WRITE ${made}/copyright
     "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
     "Upstream-Name: RimoTimeInformation\n"
     "\n"
     "Files: *\n"
     "Copyright: ${holders}\n"
     "License: Expat\n"
     "\n"
     "License: Expat\n"
     " ${permission}\n"
     "Comment: the MIT licence (SPDX: MIT)\n")
install(FILES ${made}/copyright DESTINATION ${RIMO_DOC_DIR})

set(CPACK_PACKAGE_NAME rimotime)
set(CPACK_PACKAGE_VENDOR "RimoTimeInformation")
set(RIMO_PACKAGE_CONTACT "RimoTimeInformation developers <rimotime@localhost>"
    CACHE STRING "The package's maintainer: name <address>")
set(CPACK_PACKAGE_CONTACT "${RIMO_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "tray timer that does things at chosen dates and times")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "RimoTimeInformation lives in the notification area and checks a schedule table\n"
    "every second: a due row beeps, shows a message, synchronises the clock from a\n"
    "daytime server, starts a program or a launcher page, changes the screen saver or\n"
    "the wallpaper, plays a sound, or shuts down, logs off, restarts or suspends. It\n"
    "also has a countdown timer and a launcher. The user interface is Japanese.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The libraries come from the scan of the executables (dpkg-shlibdeps); the
# rest is what they need at run time that no library link shows.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's SVG icon engine, a plugin no link shows: most icons of the themes (the
# launcher's buttons) are SVG. Debian 13 moved it from libqt6svg6 (6.6 and
# before) to qt6-svg-plugins. The program's own icons lie in hicolor. The run
# history is an SQLite database, read through Qt's SQLite driver (a plugin).
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-svg-plugins | libqt6svg6 (<< 6.7~), hicolor-icon-theme, libqt6sql6-sqlite")
# An icon theme for the launcher's application and file icons; desktops
# bring their own, a bare system gets GNOME's.
string(CONCAT CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "fonts-ipafont-gothic | fonts-noto-cjk, sound-theme-freedesktop, xdg-utils, "
    "adwaita-icon-theme | breeze-icon-theme | mate-icon-theme | elementary-xfce-icon-theme")
include(CPack)
