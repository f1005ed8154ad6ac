# The hack's manual page and its Debian package (cpack -G DEB in the build
# directory), which holds everything the build installs: the program, its
# XScreenSaver config, the desktop entry, this page, the copyright file and the
# changelog.
include(GNUInstallDirs)

# Debian keeps manual pages compressed, without a time stamp in the archive.
configure_file(${CMAKE_CURRENT_LIST_DIR}/cubesaver.6.in ${CMAKE_CURRENT_BINARY_DIR}/cubesaver.6 @ONLY)
set(man_page ${CMAKE_CURRENT_BINARY_DIR}/cubesaver.6.gz)
add_custom_command(OUTPUT ${man_page}
  COMMAND gzip -9nc ${CMAKE_CURRENT_BINARY_DIR}/cubesaver.6 > ${man_page}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/cubesaver.6.in
  VERBATIM)
add_custom_target(man_page ALL DEPENDS ${man_page})
install(FILES ${man_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# The copyright file in Debian's machine-readable form, and the changelog,
# compressed as the man page is. Its newest entry must be this version.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/changelog changelog_head LIMIT_COUNT 1)
if(NOT changelog_head MATCHES "^cubesaver \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "platform/x11/xscreensaver/changelog: the newest entry is not version ${PROJECT_VERSION}")
endif()
set(changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${changelog}
  COMMAND gzip -9nc ${CMAKE_CURRENT_LIST_DIR}/changelog > ${changelog}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/changelog
  VERBATIM)
add_custom_target(doc_changelog ALL DEPENDS ${changelog})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${changelog} DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME cubesaver)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "3D Tamsel's Screensaver, a puzzle cube that solves itself")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "A 7x7x7 twisty puzzle cube scrambles itself with 25 random quarter turns,
then solves itself by undoing them, for ever, while the whole cube floats
and tumbles across the screen. An OpenGL hack for XScreenSaver.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tamsel Studio <hello@tamsel.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
# The libraries come from the binary itself; the About window's Arial is
# Liberation Sans, which no library names.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS xscreensaver)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
# Folders made for the package get Debian's modes whatever the umask. Every
# time in the archives is SOURCE_DATE_EPOCH when it is set (tools/build-release
# sets it), and members are sorted and owned by root.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
