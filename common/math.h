// Single-precision vectors and the 4x4 column-major matrix the simulation and
// the renderer share. Every rounding point is fixed here so that the show is
// the same on every machine.
#pragma once

#include <cstdint>

// One family of small vectors: element type T (float or 32-bit int), size N.
template <typename T, int N>
struct vec_n {
  T e[N];

  // Like the shading language's types, a default vector holds nothing yet.
  vec_n() = default;
  constexpr vec_n(T x, T y) requires(N == 2) : e{x, y} {}
  constexpr vec_n(T x, T y, T z) requires(N == 3) : e{x, y, z} {}
  constexpr vec_n(T x, T y, T z, T w) requires(N == 4) : e{x, y, z, w} {}
  constexpr explicit vec_n(const T* p) {
    for (int i = 0; i < N; ++i) e[i] = p[i];
  }

  constexpr T& operator[](int i) { return e[i]; }
  constexpr const T& operator[](int i) const { return e[i]; }
};

using vec2 = vec_n<float, 2>;
using vec3 = vec_n<float, 3>;
using vec4 = vec_n<float, 4>;
using ivec3 = vec_n<std::int32_t, 3>;

template <typename T, int N>
constexpr vec_n<T, N> operator-(const vec_n<T, N>& a, const vec_n<T, N>& b) {
  vec_n<T, N> r;
  for (int i = 0; i < N; ++i) r[i] = a[i] - b[i];
  return r;
}

template <typename T, int N>
constexpr vec_n<T, N> operator/(const vec_n<T, N>& v, T s) {
  vec_n<T, N> r;
  for (int i = 0; i < N; ++i) r[i] = v[i] / s;
  return r;
}

template <typename T, int N>
constexpr bool operator==(const vec_n<T, N>& a, const vec_n<T, N>& b) {
  for (int i = 0; i < N; ++i)
    if (!(a[i] == b[i])) return false;
  return true;
}

// Four columns; m[c][r] is column c, row r, laid out column after column as GL expects.
struct mat4 {
  vec4 c[4];

  mat4() = default;
  constexpr explicit mat4(float s) : c{{s, s, s, s}, {s, s, s, s}, {s, s, s, s}, {s, s, s, s}} {}
  constexpr explicit mat4(const vec4& v) : c{v, v, v, v} {}
  constexpr mat4(const vec4& c0, const vec4& c1, const vec4& c2, const vec4& c3) : c{c0, c1, c2, c3} {}

  constexpr vec4& operator[](int i) { return c[i]; }
  constexpr const vec4& operator[](int i) const { return c[i]; }
};

static_assert(sizeof(vec3) == 3 * sizeof(float));
static_assert(sizeof(ivec3) == 3 * sizeof(std::int32_t));
static_assert(sizeof(mat4) == 16 * sizeof(float));

constexpr bool operator==(const mat4& a, const mat4& b) {
  for (int i = 0; i < 4; ++i)
    if (!(a[i] == b[i])) return false;
  return true;
}

mat4 operator*(const mat4& a, const mat4& b);

mat4 identity();
float radians(float degrees);
mat4 rotate(float degrees, float x, float y, float z);
mat4 translate(float x, float y, float z);
mat4 scale(float x, float y, float z);
mat4 perspective(float fovy_degrees, float aspect, float z_near, float z_far);

float length(const vec3& v);
vec3 normalize(const vec3& v);
