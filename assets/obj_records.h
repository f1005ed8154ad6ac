// The small value records of the OBJ and MTL parsers.
#pragma once

#include <string>

namespace objl {

struct Vector2 {
  float x = 0.0f;
  float y = 0.0f;
};

struct Vector3 {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
};

inline Vector3 operator-(const Vector3& a, const Vector3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vector3 operator+(const Vector3& a, const Vector3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
// Exact comparison of all three components: no tolerance, NaN is unequal to everything.
inline bool operator==(const Vector3& a, const Vector3& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }
inline bool operator!=(const Vector3& a, const Vector3& b) { return !(a == b); }
inline Vector3 cross(const Vector3& a, const Vector3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

struct Vertex {
  Vector3 pos;
  Vector3 normal;
  Vector2 texcoord;
};

// Field names follow the MTL keywords that set them.
struct Material {
  std::string name;
  Vector3 Ka;
  Vector3 Kd;
  Vector3 Ks;
  float Ns = 0.0f;
  float Ni = 0.0f;
  float d = 0.0f;
  int illum = 0;
  std::string map_Ka;
  std::string map_Kd;
  std::string map_Ks;
  std::string map_Ns;
  std::string map_d;
  std::string map_bump;
};

}  // namespace objl
