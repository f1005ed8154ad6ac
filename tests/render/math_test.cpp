#include "common/math.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

namespace {

void expect_columns(const mat4& m, const vec4& c0, const vec4& c1, const vec4& c2, const vec4& c3) {
  const vec4 want[4] = {c0, c1, c2, c3};
  for (int c = 0; c < 4; ++c)
    for (int r = 0; r < 4; ++r) EXPECT_FLOAT_EQ(m[c][r], want[c][r]) << "column " << c << " row " << r;
}

bool same_bits(const mat4& a, const mat4& b) { return std::memcmp(&a, &b, sizeof(mat4)) == 0; }

mat4 sample_matrix() {
  mat4 m;
  for (int c = 0; c < 4; ++c)
    for (int r = 0; r < 4; ++r) m[c][r] = 0.37f * static_cast<float>(4 * c + r) - 2.1f;
  return m;
}

}  // namespace

TEST(Rotate, by_zero_degrees_is_exactly_the_identity) {
  EXPECT_TRUE(same_bits(rotate(0.0f, 0.0f, 0.0f, 1.0f), identity()));
  EXPECT_TRUE(same_bits(rotate(0.0f, 1.0f, 0.0f, 0.0f), identity()));
  EXPECT_TRUE(same_bits(rotate(0.0f, 0.0f, 1.0f, 0.0f), identity()));
}

TEST(Rotate, by_ninety_about_z_keeps_the_cosine_of_the_float_right_angle) {
  const mat4 m = rotate(90.0f, 0.0f, 0.0f, 1.0f);
  // Exact values, not approximations: the cosine is rounded to float once.
  EXPECT_EQ(m[0][0], -4.371139e-8f);
  EXPECT_EQ(m[0][1], 1.0f);
  EXPECT_EQ(m[1][0], -1.0f);
  EXPECT_EQ(m[1][1], -4.371139e-8f);
  // z*z*t + c with t rounded to 1: the formula, not the ideal, gives 1 - 2^-24.
  EXPECT_EQ(m[2][2], 1.0f - 0x1p-24f);
  EXPECT_EQ(m[3][3], 1.0f);
  EXPECT_EQ(m[0][2], 0.0f);
  EXPECT_EQ(m[2][0], 0.0f);
}

TEST(Rotate, positive_angles_turn_counter_clockwise_seen_from_the_axis_tip) {
  // About z, x goes toward y; about x, y goes toward z; about y, z goes toward x.
  const mat4 x_to_y = rotate(90.0f, 0.0f, 0.0f, 1.0f) * mat4(vec4(1.0f, 0.0f, 0.0f, 1.0f));
  EXPECT_NEAR(x_to_y[0][1], 1.0f, 1e-6f);
  const mat4 y_to_z = rotate(90.0f, 1.0f, 0.0f, 0.0f) * mat4(vec4(0.0f, 1.0f, 0.0f, 1.0f));
  EXPECT_NEAR(y_to_z[0][2], 1.0f, 1e-6f);
  const mat4 z_to_x = rotate(90.0f, 0.0f, 1.0f, 0.0f) * mat4(vec4(0.0f, 0.0f, 1.0f, 1.0f));
  EXPECT_NEAR(z_to_x[0][0], 1.0f, 1e-6f);
}

TEST(Radians, uses_the_single_precision_degree_constant) {
  EXPECT_EQ(radians(1.0f), 0.017453292f);
  EXPECT_EQ(radians(180.0f), 180.0f * 0.017453292f);
}

TEST(Perspective, for_an_800_by_600_window_matches_the_known_values) {
  const mat4 p = perspective(50.0f, 800.0f / 600.0f, 0.1f, 1000.0f);
  expect_columns(p, vec4(1.6083802f, 0.0f, 0.0f, 0.0f), vec4(0.0f, 2.1445069f, 0.0f, 0.0f),
                 vec4(0.0f, 0.0f, -1.0002f, -1.0f), vec4(0.0f, 0.0f, -0.20002f, 0.0f));
}

TEST(Perspective, maps_the_near_and_far_planes_to_the_depth_range_ends) {
  const mat4 p = perspective(50.0f, 1.0f, 0.1f, 1000.0f);
  const vec4 near_point = (p * mat4(vec4(0.0f, 0.0f, -0.1f, 1.0f)))[0];
  const vec4 far_point = (p * mat4(vec4(0.0f, 0.0f, -1000.0f, 1.0f)))[0];
  EXPECT_NEAR(near_point[2] / near_point[3], -1.0f, 1e-5f);
  EXPECT_NEAR(far_point[2] / far_point[3], 1.0f, 1e-4f);
}

TEST(Product, translate_times_scale_keeps_the_translation_and_the_scale) {
  const mat4 m = translate(3.0f, -4.0f, 5.5f) * scale(0.5f, 0.5f, 0.5f);
  expect_columns(m, vec4(0.5f, 0.0f, 0.0f, 0.0f), vec4(0.0f, 0.5f, 0.0f, 0.0f), vec4(0.0f, 0.0f, 0.5f, 0.0f),
                 vec4(3.0f, -4.0f, 5.5f, 1.0f));
}

TEST(Product, with_the_identity_on_either_side_is_the_same_matrix) {
  const mat4 a = sample_matrix();
  EXPECT_TRUE(same_bits(a * identity(), a));
  EXPECT_TRUE(same_bits(identity() * a, a));
}

TEST(Product, has_the_right_operand_act_first) {
  // Translate after scaling: the point (1, 0, 0) goes to (2, 0, 0), then (12, 0, 0).
  const mat4 m = translate(10.0f, 0.0f, 0.0f) * scale(2.0f, 2.0f, 2.0f);
  const vec4 p = (m * mat4(vec4(1.0f, 0.0f, 0.0f, 1.0f)))[0];
  EXPECT_EQ(p[0], 12.0f);
}

TEST(Product, sums_in_the_fixed_order_from_zero) {
  // 1e8 + 1 - 1e8 + 1 in float: only the stated order gives exactly 1.
  mat4 a(0.0f);
  a[0][0] = 1e8f;
  a[1][0] = 1.0f;
  a[2][0] = -1e8f;
  a[3][0] = 1.0f;
  const mat4 r = a * mat4(vec4(1.0f, 1.0f, 1.0f, 1.0f));
  EXPECT_EQ(r[0][0], 1.0f);
}

TEST(Product, may_write_into_one_of_its_operands) {
  mat4 a = sample_matrix();
  const mat4 expected = a * a;
  a = a * a;
  EXPECT_TRUE(same_bits(a, expected));
}

TEST(Layout, matrix_columns_lie_one_after_another_in_memory) {
  mat4 m = translate(7.0f, 8.0f, 9.0f);
  const float* f = &m[0][0];
  EXPECT_EQ(f[12], 7.0f);
  EXPECT_EQ(f[13], 8.0f);
  EXPECT_EQ(f[14], 9.0f);
  EXPECT_EQ(f[15], 1.0f);
  EXPECT_EQ(&m[1][2], f + 6);
  EXPECT_EQ(offsetof(mat4, c), 0u);
}

TEST(Layout, vector_elements_are_contiguous_from_element_zero) {
  vec3 v(1.0f, 2.0f, 3.0f);
  EXPECT_EQ(&v[1], &v[0] + 1);
  EXPECT_EQ(&v[2], &v[0] + 2);
  const float raw[4] = {4.0f, 5.0f, 6.0f, 7.0f};
  const vec4 w(raw);
  EXPECT_EQ(w[3], 7.0f);
}

TEST(Vectors, difference_and_division_work_element_by_element) {
  const vec3 d = vec3(5.0f, 7.0f, 9.0f) - vec3(1.0f, 2.0f, 3.0f);
  EXPECT_EQ(d, vec3(4.0f, 5.0f, 6.0f));
  const vec2 e = vec2(1.0f, 0.5f) - vec2(0.25f, 1.0f);
  EXPECT_EQ(e, vec2(0.75f, -0.5f));
  EXPECT_EQ(vec3(2.0f, 4.0f, 6.0f) / 2.0f, vec3(1.0f, 2.0f, 3.0f));
}

TEST(Vectors, length_and_normalize_of_a_three_four_five_triangle) {
  EXPECT_EQ(length(vec3(3.0f, 4.0f, 0.0f)), 5.0f);
  const vec3 n = normalize(vec3(0.0f, 3.0f, 4.0f));
  EXPECT_EQ(n, vec3(0.0f, 0.6f, 0.8f));
}
