# The GL entry-point table; the platform's GL library lookups (platform_gl)
# resolve its names. Included from frame/CMakeLists.txt.
add_library(gl_entry_points STATIC ${CMAKE_CURRENT_LIST_DIR}/gl_entry_points.cpp)
target_link_libraries(gl_entry_points PUBLIC platform_gl)
