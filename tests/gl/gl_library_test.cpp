// The Linux GL library lookups. They need no context: glvnd's libGL resolves
// names to its dispatch entries, which follow whatever context is current.
#include "platform/platform.h"

#include <gtest/gtest.h>

// After gtest: Xlib defines macros (None, Bool) that collide with gtest names.
#include <GL/glx.h>

namespace {

void* glx_proc(const char* name) {
  return reinterpret_cast<void*>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}

constexpr const char* unknown_name = "glFrobnicateWidgetsXYZ";

TEST(ContextProc, a_name_the_library_does_not_export_is_null_although_glx_offers_a_stub_for_it) {
  ASSERT_NE(glx_proc(unknown_name), nullptr) << "glXGetProcAddressARB no longer stubs unknown names";
  EXPECT_EQ(gl_context_proc(unknown_name), nullptr);
}

TEST(ContextProc, a_known_name_gives_the_function_glx_gives_for_the_current_context) {
  for (const char* name : {"glCullFace", "glGenBuffers", "glUniformMatrix4fv", "glGetTextureHandleARB"}) {
    void* proc = gl_context_proc(name);
    EXPECT_NE(proc, nullptr) << name;
    EXPECT_EQ(proc, glx_proc(name)) << name;
  }
}

TEST(ContextProc, works_without_the_library_being_held) {
  gl_library_close();
  EXPECT_NE(gl_context_proc("glDrawElements"), nullptr);
}

TEST(LibrarySymbol, finds_the_libraries_own_exports_only_while_it_is_held) {
  EXPECT_EQ(gl_library_symbol("glCullFace"), nullptr);
  ASSERT_TRUE(gl_library_open());
  EXPECT_NE(gl_library_symbol("glCullFace"), nullptr);
  EXPECT_NE(gl_library_symbol("glViewport"), nullptr);
  EXPECT_EQ(gl_library_symbol(unknown_name), nullptr);
  gl_library_close();
  EXPECT_EQ(gl_library_symbol("glCullFace"), nullptr);
}

}  // namespace
