// Small 3-vector helpers for the mesh algorithms, in double so that sums over many faces keep
// their precision.
#pragma once

#include <cmath>

namespace tvk::meshmath {

struct Vec3 {
    double x = 0, y = 0, z = 0;
};

inline Vec3 Load(const float p[3]) { return {p[0], p[1], p[2]}; }
inline void Store(const Vec3& v, float p[3]) {
    p[0] = float(v.x);
    p[1] = float(v.y);
    p[2] = float(v.z);
}
inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
inline double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
inline double Length(Vec3 a) { return std::sqrt(Dot(a, a)); }
// False (and out unchanged) when the vector has no usable direction.
inline bool Normalise(Vec3 a, Vec3& out) {
    const double length = Length(a);
    if (!(length > 0) || !std::isfinite(length)) return false;
    out = a * (1.0 / length);
    return true;
}

}  // namespace tvk::meshmath
