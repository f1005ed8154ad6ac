#include "common/math.h"

#include <cmath>

namespace {

// The float nearest pi/180; every degree-to-radian conversion goes through it.
constexpr float degree = 0.017453292f;

}  // namespace

mat4 operator*(const mat4& a, const mat4& b) {
  mat4 r;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      // Fixed summation order, starting from zero, so every machine rounds alike.
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum = a[k][j] * b[i][k] + sum;
      r[i][j] = sum;
    }
  }
  return r;
}

mat4 identity() {
  mat4 m(0.0f);
  for (int i = 0; i < 4; ++i) m[i][i] = 1.0f;
  return m;
}

float radians(float degrees) { return degrees * degree; }

mat4 rotate(float degrees, float x, float y, float z) {
  const float r = degrees * degree;
  const float c = static_cast<float>(std::cos(static_cast<double>(r)));
  const float s = static_cast<float>(std::sin(static_cast<double>(r)));
  const float t = 1.0f - c;
  return mat4(vec4(x * x * t + c, x * y * t + z * s, x * z * t - y * s, 0.0f),
              vec4(x * y * t - z * s, y * y * t + c, y * z * t + x * s, 0.0f),
              vec4(x * z * t + y * s, y * z * t - x * s, z * z * t + c, 0.0f),
              vec4(0.0f, 0.0f, 0.0f, 1.0f));
}

mat4 translate(float x, float y, float z) {
  mat4 m = identity();
  m[3] = vec4(x, y, z, 1.0f);
  return m;
}

mat4 scale(float x, float y, float z) {
  return mat4(vec4(x, 0.0f, 0.0f, 0.0f), vec4(0.0f, y, 0.0f, 0.0f), vec4(0.0f, 0.0f, z, 0.0f),
              vec4(0.0f, 0.0f, 0.0f, 1.0f));
}

mat4 perspective(float fovy_degrees, float aspect, float z_near, float z_far) {
  const float q = static_cast<float>(std::tan(static_cast<double>(radians(0.5f * fovy_degrees))));
  const float a = 1.0f / q;
  const float b = (z_near + z_far) / (z_near - z_far);
  const float d = 2.0f * z_near * z_far / (z_near - z_far);
  return mat4(vec4(a / aspect, 0.0f, 0.0f, 0.0f), vec4(0.0f, a, 0.0f, 0.0f), vec4(0.0f, 0.0f, b, -1.0f),
              vec4(0.0f, 0.0f, d, 0.0f));
}

float length(const vec3& v) {
  float sum = 0.0f;
  for (int i = 0; i < 3; ++i) sum += v[i] * v[i];
  return static_cast<float>(std::sqrt(static_cast<double>(sum)));
}

vec3 normalize(const vec3& v) { return v / length(v); }
