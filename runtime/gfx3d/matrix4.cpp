#include "gfx3d/matrix4.h"

#include <algorithm>
#include <cmath>

namespace tvk {
namespace {

constexpr float kDegreesToRadians = 0.017453292f;

void Normalize(float v[3]) {
    float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (length == 0) return;
    for (int i = 0; i < 3; ++i) v[i] /= length;
}

void Cross(const float a[3], const float b[3], float out[3]) {
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

}  // namespace

Matrix4 IdentityMatrix() { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; }

Matrix4 Multiply(const Matrix4& a, const Matrix4& b) {
    Matrix4 out{};
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) {
            float sum = 0;
            for (int k = 0; k < 4; ++k) sum += a[k * 4 + r] * b[c * 4 + k];
            out[c * 4 + r] = sum;
        }
    return out;
}

Matrix4 TranslationMatrix(float x, float y, float z) { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1}; }

Matrix4 ScaleMatrix(float x, float y, float z) { return {x, 0, 0, 0, 0, y, 0, 0, 0, 0, z, 0, 0, 0, 0, 1}; }

Matrix4 RotationMatrix(float degrees, float x, float y, float z) {
    float radians = degrees * kDegreesToRadians;
    float c = std::cos(radians), s = std::sin(radians), t = 1 - c;
    return {t * x * x + c,     t * x * y + s * z, t * x * z - s * y, 0,
            t * x * y - s * z, t * y * y + c,     t * y * z + s * x, 0,
            t * x * z + s * y, t * y * z - s * x, t * z * z + c,     0,
            0,                 0,                 0,                 1};
}

Matrix4 LookAtMatrix(const float eye[3], const float target[3], const float up[3]) {
    float z[3] = {eye[0] - target[0], eye[1] - target[1], eye[2] - target[2]};
    Normalize(z);
    float x[3], y[3];
    Cross(up, z, x);
    Normalize(x);
    Cross(z, x, y);
    Normalize(y);
    Matrix4 m = IdentityMatrix();
    for (int c = 0; c < 3; ++c) {
        m[c * 4 + 0] = x[c];
        m[c * 4 + 1] = y[c];
        m[c * 4 + 2] = z[c];
    }
    return Multiply(m, TranslationMatrix(-eye[0], -eye[1], -eye[2]));
}

std::array<Plane, 6> ExtractFrustumPlanes(const Matrix4& projection, const Matrix4& modelview) {
    Matrix4 clip = Multiply(projection, modelview);
    auto row = [&clip](int r, int c) { return clip[c * 4 + r]; };
    std::array<Plane, 6> planes{};
    for (int n = 0; n < 6; ++n) {
        int axis = n / 2;
        float sign = n % 2 == 0 ? 1.0f : -1.0f;
        Plane& p = planes[n];
        for (int c = 0; c < 4; ++c) p[c] = row(3, c) + sign * row(axis, c);
        float length = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
        if (length > 0)
            for (float& v : p) v /= length;
    }
    return planes;
}

bool SphereInFrustum(const std::array<Plane, 6>& planes, float x, float y, float z, float radius) {
    for (const Plane& p : planes)
        if (p[0] * x + p[1] * y + p[2] * z + p[3] < -radius) return false;
    return true;
}

float ProjectionTangent(float x) {
    float r = x * x;
    return x * (1 + r * (0.3333314f +
                         r * (0.1333924f + r * (0.05337406f + r * (0.02456509f + r * (0.002900525f + r * 0.009516809f))))));
}

void TransformPoint(const Matrix4& m, const float p[3], float out[3]) {
    for (int r = 0; r < 3; ++r) out[r] = m[r] * p[0] + m[4 + r] * p[1] + m[8 + r] * p[2] + m[12 + r];
}

bool InvertAffine(const Matrix4& m, Matrix4& inverse) {
    // The 3 x 3 part by its cofactors, then the translation moved back through it.
    const double a = m[0], b = m[4], c = m[8], d = m[1], e = m[5], f = m[9], g = m[2], h = m[6], k = m[10];
    const double det = a * (e * k - f * h) - b * (d * k - f * g) + c * (d * h - e * g);
    if (!(std::fabs(det) > 1e-30) || !std::isfinite(det)) return false;
    const double r[9] = {(e * k - f * h) / det, (c * h - b * k) / det, (b * f - c * e) / det,
                         (f * g - d * k) / det, (a * k - c * g) / det, (c * d - a * f) / det,
                         (d * h - e * g) / det, (b * g - a * h) / det, (a * e - b * d) / det};
    inverse = IdentityMatrix();
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) inverse[col * 4 + row] = static_cast<float>(r[row * 3 + col]);
        inverse[12 + row] = static_cast<float>(-(r[row * 3] * m[12] + r[row * 3 + 1] * m[13] + r[row * 3 + 2] * m[14]));
    }
    return true;
}

float LargestScale(const Matrix4& m) {
    float largest = 0;
    for (int col = 0; col < 3; ++col)
        largest = std::max(largest, std::sqrt(m[col * 4] * m[col * 4] + m[col * 4 + 1] * m[col * 4 + 1] +
                                              m[col * 4 + 2] * m[col * 4 + 2]));
    return largest;
}

}  // namespace tvk
