# Installation and the Debian package (scripts/package: cpack -G DEB of a
# Release build with CMAKE_INSTALL_PREFIX=/usr). The installed layout:
#
#   <prefix>/lib/corvane/        Corvane, corvane-cli, English.rcc, Chinese.rcc,
#                                Program.ini -> /etc/corvane/Program.ini
#   /etc/corvane/Program.ini     the settings, a conffile the administrator may edit
#   <prefix>/bin/corvane, corvane-cli
#                                start the programs from their folder, so that they
#                                find the bundles and the settings beside them
#   <prefix>/share/corvane/help/ the manual (found as ../../share/corvane/help)
#   <prefix>/share/applications/corvane.desktop, share/icons/hicolor/*/apps/corvane.png
#   <prefix>/share/man/man1/corvane-cli.1.gz, share/doc/corvane/copyright
#
# The program keeps reading Program.ini beside itself; a user's first saved
# change goes to ~/.config/Corvane/Program.ini (settings/SettingsLocation.h).
set(CORVANE_INSTALL_DIR lib/corvane)
set(CORVANE_SYSCONF_DIR /etc/corvane)
set(pkg ${CMAKE_BINARY_DIR}/package)
file(MAKE_DIRECTORY ${pkg})

install(TARGETS Corvane corvane-cli RUNTIME DESTINATION ${CORVANE_INSTALL_DIR})
install(FILES ${CORVANE_BIN_DIR}/English.rcc ${CORVANE_BIN_DIR}/Chinese.rcc DESTINATION ${CORVANE_INSTALL_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/resources/Program.ini DESTINATION ${CORVANE_SYSCONF_DIR})
file(CREATE_LINK ${CORVANE_SYSCONF_DIR}/Program.ini ${pkg}/Program.ini SYMBOLIC)
install(FILES ${pkg}/Program.ini DESTINATION ${CORVANE_INSTALL_DIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/help/ DESTINATION share/corvane/help)

foreach(PROGRAM Corvane corvane-cli)
  string(TOLOWER ${PROGRAM} launcher)
  set(CORVANE_INSTALL_DIR_FULL ${CMAKE_INSTALL_PREFIX}/${CORVANE_INSTALL_DIR})
  file(READ ${CMAKE_SOURCE_DIR}/packaging/launcher.in text)
  string(REPLACE "@PROGRAM@" ${PROGRAM} text "${text}")
  string(REPLACE "@CORVANE_INSTALL_DIR@" ${CORVANE_INSTALL_DIR_FULL} text "${text}")
  file(WRITE ${pkg}/${launcher} "${text}")
  install(PROGRAMS ${pkg}/${launcher} DESTINATION bin)
endforeach()

install(FILES ${CMAKE_SOURCE_DIR}/packaging/corvane.desktop DESTINATION share/applications)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/packaging/icons/hicolor DESTINATION share/icons)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright DESTINATION share/doc/corvane)

# Manual pages are installed compressed.
find_program(CORVANE_GZIP gzip)
if(CORVANE_GZIP)
  add_custom_command(OUTPUT ${CORVANE_MAN_PAGE}.gz
    COMMAND ${CORVANE_GZIP} -9nkf ${CORVANE_MAN_PAGE}
    DEPENDS ${CORVANE_MAN_PAGE}
    COMMENT "Compressed manual page")
  add_custom_target(corvane_man_gz ALL DEPENDS ${CORVANE_MAN_PAGE}.gz)
  add_dependencies(corvane_man_gz corvane_man)
  install(FILES ${CORVANE_MAN_PAGE}.gz DESTINATION share/man/man1)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Corvane Radio Tools <support@corvane.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programming tool for a hand-held two-way radio")
# CPack puts the summary first and indents every line of the long description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Corvane reads the whole memory of a two-way radio through a programming
cable on a serial port, edits its 200 channels in a grid and its radio-wide
options in dialogs, writes the memory back, keeps copies as *.dat files and
prints a listing, in English or Chinese. corvane-cli does the same from a
terminal and programs several radios at once.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Dependencies from the libraries the programs actually link (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# A browser opener for the manual, the print fonts, Qt's own translations.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, fonts-liberation2, fonts-wqy-zenhei, qt6-translations-l10n")
file(WRITE ${pkg}/conffiles "${CORVANE_SYSCONF_DIR}/Program.ini\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${pkg}/conffiles)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
include(CPack)
