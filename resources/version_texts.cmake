# The texts of the version information, each from the one place that holds it:
# the version from the project, the maker's name and the rights line of the
# About window's notice from shell/maker.h (C string bodies, copied as they are:
# the resource compiler reads the same escapes, as UTF-8).
set(maker_header ${CMAKE_SOURCE_DIR}/shell/maker.h)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${maker_header})
file(READ ${maker_header} maker_text)
if(NOT maker_text MATCHES "maker_name\\[\\] = \"([^\"]*)\";")
  message(FATAL_ERROR "${maker_header}: no maker_name")
endif()
set(RC_MAKER "${CMAKE_MATCH_1}")
if(NOT maker_text MATCHES "maker_notice\\[\\] =[ \t\r\n]*\"([^\"]*)\\\\r\\\\n\"")
  message(FATAL_ERROR "${maker_header}: no first line in maker_notice")
endif()
set(RC_COPYRIGHT "${CMAKE_MATCH_1}")
set(RC_TITLE "3D Tamsel's Screensaver")
set(RC_VERSION "${PROJECT_VERSION}")
set(RC_VERSION_COMMAS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
