// The entry table loaded on a real Mesa context (run under Xvfb). The
// OnAnOpenGL21Context cases run in a separate process whose context Mesa caps at
// OpenGL 2.1 (MESA_GL_VERSION_OVERRIDE=2.1).
#include "common/gl_entry_points.h"
#include "tests/gl/gl_test_context.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

namespace {

struct Version {
  int major;
  int minor;
};

// "4.5 (Compatibility Profile) Mesa 22.3.6" -> 4, 5
Version parse_version_string(const char* text) {
  Version version = {-1, -1};
  if (text == nullptr || std::sscanf(text, "%d.%d", &version.major, &version.minor) != 2) {
    return {-1, -1};
  }
  return version;
}

// Called through the macros, so each name is checked as the renderer writes it.
#define EXPECT_ENTRY_FOUND(function) EXPECT_NE(reinterpret_cast<void*>(function), nullptr) << #function

void expect_the_called_functions_found() {
  EXPECT_ENTRY_FOUND(glCullFace);
  EXPECT_ENTRY_FOUND(glFrontFace);
  EXPECT_ENTRY_FOUND(glPolygonMode);
  EXPECT_ENTRY_FOUND(glTexParameterf);
  EXPECT_ENTRY_FOUND(glTexParameteri);
  EXPECT_ENTRY_FOUND(glTexImage2D);
  EXPECT_ENTRY_FOUND(glClear);
  EXPECT_ENTRY_FOUND(glClearColor);
  EXPECT_ENTRY_FOUND(glDisable);
  EXPECT_ENTRY_FOUND(glEnable);
  EXPECT_ENTRY_FOUND(glDepthFunc);
  EXPECT_ENTRY_FOUND(glGetFloatv);
  EXPECT_ENTRY_FOUND(glGetIntegerv);
  EXPECT_ENTRY_FOUND(glViewport);
  EXPECT_ENTRY_FOUND(glDrawElements);
  EXPECT_ENTRY_FOUND(glBindTexture);
  EXPECT_ENTRY_FOUND(glDeleteTextures);
  EXPECT_ENTRY_FOUND(glGenTextures);
  EXPECT_ENTRY_FOUND(glActiveTexture);
  EXPECT_ENTRY_FOUND(glBindBuffer);
  EXPECT_ENTRY_FOUND(glDeleteBuffers);
  EXPECT_ENTRY_FOUND(glGenBuffers);
  EXPECT_ENTRY_FOUND(glBufferData);
  EXPECT_ENTRY_FOUND(glAttachShader);
  EXPECT_ENTRY_FOUND(glBindAttribLocation);
  EXPECT_ENTRY_FOUND(glCompileShader);
  EXPECT_ENTRY_FOUND(glCreateProgram);
  EXPECT_ENTRY_FOUND(glCreateShader);
  EXPECT_ENTRY_FOUND(glDeleteProgram);
  EXPECT_ENTRY_FOUND(glDeleteShader);
  EXPECT_ENTRY_FOUND(glEnableVertexAttribArray);
  EXPECT_ENTRY_FOUND(glGetAttribLocation);
  EXPECT_ENTRY_FOUND(glGetShaderiv);
  EXPECT_ENTRY_FOUND(glGetShaderInfoLog);
  EXPECT_ENTRY_FOUND(glGetUniformLocation);
  EXPECT_ENTRY_FOUND(glLinkProgram);
  EXPECT_ENTRY_FOUND(glShaderSource);
  EXPECT_ENTRY_FOUND(glUseProgram);
  EXPECT_ENTRY_FOUND(glUniform3fv);
  EXPECT_ENTRY_FOUND(glUniformMatrix4fv);
  EXPECT_ENTRY_FOUND(glVertexAttribPointer);
}

// One context and one load per process, as in the program.
class MesaContext : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    window = open_test_context();
    if (window != nullptr) {
      load_result = load_gl_entry_points();
    }
  }
  static void TearDownTestSuite() { close_test_context(window); }
  void SetUp() override { ASSERT_NE(window, nullptr) << "no GL context (is a display set?)"; }

  static Version context_version() {
    return parse_version_string(reinterpret_cast<const char*>(glGetString(GL_VERSION)));
  }

  static inline GLFWwindow* window = nullptr;
  static inline int load_result = -2;
};

using OnAMesaContext = MesaContext;
using OnAnOpenGL21Context = MesaContext;

TEST_F(OnAMesaContext, the_functions_the_system_calls_are_all_found) { expect_the_called_functions_found(); }

TEST_F(OnAMesaContext, every_entry_of_the_table_is_found) {
  // libGL exports all 700 names, so a miss means a misspelt or made-up name.
  for (int i = 0; i < gl_entry_count; ++i) {
    EXPECT_NE(gl_entry_at(i), nullptr) << gl_entry_names[i];
  }
}

TEST_F(OnAMesaContext, a_name_that_no_library_provides_is_null) {
  EXPECT_EQ(get_gl_proc("glFrobnicateWidgetsXYZ"), nullptr);
  EXPECT_EQ(get_gl_proc("glCullFaceARB"), nullptr);
}

TEST_F(OnAMesaContext, the_loader_reports_the_contexts_own_version) {
  Version version = context_version();
  ASSERT_GE(version.major, 3) << "the test expects Mesa to give a 3.0 or later context";
  EXPECT_EQ(load_result, 0);
  EXPECT_EQ(context_major, version.major);
  EXPECT_EQ(context_minor, version.minor);
}

TEST_F(OnAMesaContext, entries_drive_the_current_context) {
  glClearColor(0.0f, 38.0f / 255.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  unsigned char pixel[4] = {1, 1, 1, 1};
  glReadPixels(32, 32, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  EXPECT_EQ(pixel[0], 0);
  EXPECT_EQ(pixel[1], 38);
  EXPECT_EQ(pixel[2], 0);
}

TEST_F(OnAnOpenGL21Context, the_functions_the_system_calls_are_all_found_and_the_loader_gives_minus_1) {
  Version version = context_version();
  ASSERT_EQ(version.major, 2) << "run with MESA_GL_VERSION_OVERRIDE=2.1";
  ASSERT_EQ(version.minor, 1);
  EXPECT_EQ(load_result, -1);
  // The context rejects the version queries, so the fields keep their start values.
  EXPECT_EQ(context_major, 0);
  EXPECT_EQ(context_minor, 0);
  expect_the_called_functions_found();
}

}  // namespace
