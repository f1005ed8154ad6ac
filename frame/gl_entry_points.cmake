# The GL entry-point table, and the Linux GL library lookups it resolves names with.
# Included from frame/CMakeLists.txt.
if(NOT TARGET platform_gl)
  # libGL.so.1 is linked, not only opened, so that every function found in it stays
  # valid after the loader lets go of its handle.
  add_library(platform_gl STATIC ${CMAKE_SOURCE_DIR}/platform/x11/gl_library.cpp)
  target_link_libraries(platform_gl PUBLIC GL ${CMAKE_DL_LIBS})
endif()

add_library(gl_entry_points STATIC ${CMAKE_CURRENT_LIST_DIR}/gl_entry_points.cpp)
target_link_libraries(gl_entry_points PUBLIC platform_gl)
