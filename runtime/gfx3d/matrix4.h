// 4x4 float matrices, column-major as GL takes them: element (row r, column c) is m[c * 4 + r].
#pragma once

#include <array>

namespace tvk {

using Matrix4 = std::array<float, 16>;
using Plane = std::array<float, 4>;  // a*x + b*y + c*z + d, normal (a, b, c) of length 1

Matrix4 IdentityMatrix();
Matrix4 Multiply(const Matrix4& a, const Matrix4& b);  // a x b: b is applied to a vertex first
Matrix4 TranslationMatrix(float x, float y, float z);
Matrix4 ScaleMatrix(float x, float y, float z);
// The axis is taken as given: programs pass unit axes, and a longer one also scales.
Matrix4 RotationMatrix(float degrees, float x, float y, float z);
// The point p moved by m (w taken as 1).
void TransformPoint(const Matrix4& m, const float p[3], float out[3]);
// The inverse of an affine matrix (last row 0 0 0 1); false for a singular one.
bool InvertAffine(const Matrix4& m, Matrix4& inverse);
// The largest factor by which m stretches a length: the longest column of its 3 x 3 part.
float LargestScale(const Matrix4& m);
// View matrix looking from eye at target with the given up direction.
Matrix4 LookAtMatrix(const float eye[3], const float target[3], const float up[3]);
// The six clip planes of projection x modelview: left, right, bottom, top, near, far.
std::array<Plane, 6> ExtractFrustumPlanes(const Matrix4& projection, const Matrix4& modelview);
// False when the sphere lies wholly outside one of the planes.
bool SphereInFrustum(const std::array<Plane, 6>& planes, float x, float y, float z, float radius);
// The tangent by the projection's odd polynomial; close to tan() for |x| below pi/4.
float ProjectionTangent(float x);

}  // namespace tvk
