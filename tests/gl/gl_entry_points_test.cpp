// The entry table's layout and the loader's logic, against a fake resolver: no
// display, no GL library calls.
#include "common/gl_entry_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

namespace {

int index_of(const char* name) {
  for (int i = 0; i < gl_entry_count; ++i) {
    if (std::strcmp(gl_entry_names[i], name) == 0) {
      return i;
    }
  }
  return -1;
}

// ---- Table layout ------------------------------------------------------------

struct ExpectedSection {
  const char* title;
  int first_position;  // counted from 1, as the table is usually quoted
  int count;
  const char* first_name;
  const char* last_name;
};

constexpr ExpectedSection expected_sections[] = {
    {"OpenGL 1.0", 1, 48, "glCullFace", "glViewport"},
    {"OpenGL 1.1", 49, 14, "glDrawArrays", "glIsTexture"},
    {"OpenGL 1.2", 63, 4, "glDrawRangeElements", "glCopyTexSubImage3D"},
    {"OpenGL 1.3", 67, 9, "glActiveTexture", "glGetCompressedTexImage"},
    {"OpenGL 1.4", 76, 9, "glBlendFuncSeparate", "glBlendEquation"},
    {"OpenGL 1.5", 85, 19, "glGenQueries", "glGetBufferPointerv"},
    {"OpenGL 2.0", 104, 93, "glBlendEquationSeparate", "glVertexAttribPointer"},
    {"OpenGL 2.1", 197, 6, "glUniformMatrix2x3fv", "glUniformMatrix4x3fv"},
    {"OpenGL 3.0", 203, 84, "glColorMaski", "glIsVertexArray"},
    {"OpenGL 3.1", 287, 12, "glDrawArraysInstanced", "glUniformBlockBinding"},
    {"OpenGL 3.2", 299, 19, "glDrawElementsBaseVertex", "glSampleMaski"},
    {"OpenGL 3.3", 318, 28, "glBindFragDataLocationIndexed", "glVertexAttribP4uiv"},
    {"OpenGL 4.0", 346, 46, "glMinSampleShading", "glGetQueryIndexediv"},
    {"OpenGL 4.1", 392, 88, "glReleaseShaderCompiler", "glGetDoublei_v"},
    {"OpenGL 4.2", 480, 12, "glDrawArraysInstancedBaseInstance", "glDrawTransformFeedbackStreamInstanced"},
    {"OpenGL 4.3", 492, 43, "glClearBufferData", "glGetObjectPtrLabel"},
    {"OpenGL 4.4", 535, 9, "glBufferStorage", "glBindVertexBuffers"},
    {"OpenGL 4.5", 544, 110, "glClipControl", "glTextureBarrier"},
    {"Extensions", 654, 47, "glGetTextureHandleARB", "glTexPageCommitmentARB"},
};

TEST(EntryTable, holds_700_names_each_once) {
  std::set<std::string> names;
  for (const char* name : gl_entry_names) {
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(std::strncmp(name, "gl", 2), 0) << name;
    names.insert(name);
  }
  EXPECT_EQ(gl_entry_count, 700);
  EXPECT_EQ(names.size(), 700u);
}

TEST(EntryTable, sections_have_the_stated_positions_counts_and_end_names) {
  ASSERT_EQ(std::size(expected_sections), static_cast<std::size_t>(gl_entry_section_count));
  for (int s = 0; s < gl_entry_section_count; ++s) {
    const ExpectedSection& want = expected_sections[s];
    const GlEntrySection& have = gl_entry_sections[s];
    SCOPED_TRACE(want.title);
    EXPECT_STREQ(have.title, want.title);
    EXPECT_EQ(have.first, want.first_position - 1);
    EXPECT_EQ(have.count, want.count);
    EXPECT_STREQ(gl_entry_names[have.first], want.first_name);
    EXPECT_STREQ(gl_entry_names[have.first + have.count - 1], want.last_name);
  }
}

TEST(EntryTable, extension_groups_come_in_the_listed_order) {
  struct Group {
    const char* first_name;
    int size;
    const char* last_name;
  };
  constexpr Group groups[] = {
      {"glGetTextureHandleARB", 16, "glGetVertexAttribLui64vARB"},          // ARB_bindless_texture
      {"glCreateSyncFromCLeventARB", 1, "glCreateSyncFromCLeventARB"},      // ARB_cl_event
      {"glDispatchComputeGroupSizeARB", 1, "glDispatchComputeGroupSizeARB"},  // ARB_compute_variable_group_size
      {"glDebugMessageControlARB", 4, "glGetDebugMessageLogARB"},           // ARB_debug_output
      {"glBlendEquationiARB", 4, "glBlendFuncSeparateiARB"},                // ARB_draw_buffers_blend
      {"glMultiDrawArraysIndirectCountARB", 2, "glMultiDrawElementsIndirectCountARB"},
      {"glGetGraphicsResetStatusARB", 8, "glGetnUniformdvARB"},             // ARB_robustness
      {"glMinSampleShadingARB", 1, "glMinSampleShadingARB"},                // ARB_sample_shading
      {"glNamedStringARB", 6, "glGetNamedStringivARB"},                     // ARB_shading_language_include
      {"glBufferPageCommitmentARB", 3, "glNamedBufferPageCommitmentARB"},   // ARB_sparse_buffer
      {"glTexPageCommitmentARB", 1, "glTexPageCommitmentARB"},              // ARB_sparse_texture
  };
  int position = 653;
  for (const Group& group : groups) {
    EXPECT_STREQ(gl_entry_names[position], group.first_name);
    EXPECT_STREQ(gl_entry_names[position + group.size - 1], group.last_name);
    position += group.size;
  }
  EXPECT_EQ(position, gl_entry_count);
  EXPECT_STREQ(gl_entry_names[index_of("glBufferPageCommitmentARB") + 1], "glNamedBufferPageCommitmentEXT");
}

TEST(EntryTable, reading_an_entry_outside_the_table_gives_null) {
  EXPECT_EQ(gl_entry_at(-1), nullptr);
  EXPECT_EQ(gl_entry_at(gl_entry_count), nullptr);
}

// ---- Loader against a fake resolver ----------------------------------------

// Distinct addresses stand for the functions each lookup would find.
char context_functions[gl_entry_count];
char library_functions[gl_entry_count];

struct FakeGl {
  bool library_held;
  int opens;
  int closes;
  int lookups;
  int lookups_while_held;
  bool names_in_table_order;
  std::set<std::string> context_lacks;
  std::set<std::string> library_lacks;
  bool answers_version_query;
  GLint major;
  GLint minor;
};
FakeGl fake;

bool fake_open() {
  ++fake.opens;
  fake.library_held = true;
  return true;
}

void fake_close() {
  ++fake.closes;
  fake.library_held = false;
}

void APIENTRY fake_get_integerv(GLenum name, GLint* value) {
  if (!fake.answers_version_query) {
    return;  // as an old context does: an invalid-enumerant error, nothing written
  }
  if (name == GL_MAJOR_VERSION) *value = fake.major;
  if (name == GL_MINOR_VERSION) *value = fake.minor;
}

void* fake_context_proc(const char* name) {
  int i = index_of(name);
  if (fake.lookups >= gl_entry_count || i != fake.lookups) {
    fake.names_in_table_order = false;
  }
  ++fake.lookups;
  if (fake.library_held) ++fake.lookups_while_held;
  if (i < 0 || fake.context_lacks.count(name) != 0) {
    return nullptr;
  }
  if (std::strcmp(name, "glGetIntegerv") == 0) {
    return reinterpret_cast<void*>(fake_get_integerv);
  }
  return &context_functions[i];
}

void* fake_library_symbol(const char* name) {
  int i = index_of(name);
  if (!fake.library_held || i < 0 || fake.library_lacks.count(name) != 0) {
    return nullptr;
  }
  return &library_functions[i];
}

class Loader : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = gl_resolver;
    gl_resolver = {fake_open, fake_close, fake_library_symbol, fake_context_proc};
    fake = FakeGl{};
    fake.names_in_table_order = true;
    fake.answers_version_query = true;
    fake.major = 4;
    fake.minor = 5;
    gl_entry_points = {};
    context_major = 0;
    context_minor = 0;
  }
  void TearDown() override { gl_resolver = saved_; }

  static GlProc proc(const void* address) { return reinterpret_cast<GlProc>(const_cast<void*>(address)); }

 private:
  GlResolver saved_;
};

TEST_F(Loader, looks_up_every_name_once_in_table_order_while_holding_the_library) {
  load_gl_entry_points();
  EXPECT_EQ(fake.lookups, gl_entry_count);
  EXPECT_TRUE(fake.names_in_table_order);
  EXPECT_EQ(fake.lookups_while_held, gl_entry_count);
  EXPECT_EQ(fake.opens, 1);
  EXPECT_EQ(fake.closes, 1);
  EXPECT_FALSE(fake.library_held);
}

TEST_F(Loader, each_entry_holds_the_context_function_found_for_its_own_name) {
  load_gl_entry_points();
  for (int i = 0; i < gl_entry_count; ++i) {
    if (i == index_of("glGetIntegerv")) continue;
    ASSERT_EQ(gl_entry_at(i), proc(&context_functions[i])) << gl_entry_names[i];
  }
  EXPECT_EQ(gl_entry_points.glGetIntegerv, fake_get_integerv);
}

TEST_F(Loader, a_name_the_context_lacks_comes_from_the_library_export) {
  fake.context_lacks = {"glCullFace", "glViewport"};
  load_gl_entry_points();
  EXPECT_EQ(reinterpret_cast<GlProc>(gl_entry_points.glCullFace), proc(&library_functions[0]));
  EXPECT_EQ(reinterpret_cast<GlProc>(gl_entry_points.glViewport), proc(&library_functions[47]));
  EXPECT_EQ(reinterpret_cast<GlProc>(gl_entry_points.glFrontFace), proc(&context_functions[1]));
}

TEST_F(Loader, a_name_neither_lookup_finds_stays_null) {
  fake.context_lacks = {"glTexPageCommitmentARB"};
  fake.library_lacks = {"glTexPageCommitmentARB"};
  load_gl_entry_points();
  EXPECT_EQ(gl_entry_points.glTexPageCommitmentARB, nullptr);
  EXPECT_EQ(gl_entry_at(gl_entry_count - 2), proc(&context_functions[gl_entry_count - 2]));
}

TEST_F(Loader, a_version_3_or_later_context_gives_0_and_its_version) {
  fake.major = 3;
  fake.minor = 3;
  EXPECT_EQ(load_gl_entry_points(), 0);
  EXPECT_EQ(context_major, 3);
  EXPECT_EQ(context_minor, 3);
}

TEST_F(Loader, a_context_reporting_version_2_gives_minus_1) {
  fake.major = 2;
  fake.minor = 1;
  EXPECT_EQ(load_gl_entry_points(), -1);
  EXPECT_EQ(context_major, 2);
}

TEST_F(Loader, a_context_rejecting_the_version_query_gives_minus_1_and_keeps_the_fields) {
  fake.answers_version_query = false;
  EXPECT_EQ(load_gl_entry_points(), -1);
  EXPECT_EQ(context_major, 0);
  EXPECT_EQ(context_minor, 0);
}

TEST_F(Loader, a_missing_glGetIntegerv_gives_minus_1_and_fills_the_rest) {
  fake.context_lacks = {"glGetIntegerv"};
  fake.library_lacks = {"glGetIntegerv"};
  EXPECT_EQ(load_gl_entry_points(), -1);
  EXPECT_EQ(gl_entry_points.glGetIntegerv, nullptr);
  EXPECT_EQ(context_major, 0);
  EXPECT_NE(gl_entry_points.glDrawElements, nullptr);
}

}  // namespace
