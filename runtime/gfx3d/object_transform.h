// The stack of object transforms that object drawing multiplies onto the camera.
#pragma once

#include <array>

#include "gfx3d/matrix4.h"

namespace tvk {

constexpr int kTransformLevels = 16;
constexpr int kRotationsPerLevel = 16;

struct ObjectRotation {
    float degrees = 0, x = 0, y = 0, z = 0;
};

// One level: Parent x Extras x T(position) x R(last) x ... x R(first) x S(scale).
struct ObjectTransformLevel {
    Matrix4 matrix = IdentityMatrix();  // composed; the parent's matrix while nothing is added
    float position[3] = {0, 0, 0};
    float scale[3] = {1, 1, 1};
    std::array<ObjectRotation, kRotationsPerLevel> rotations{};
    int rotationCount = 0;
    // The extra matrices in the order they came, kept as their product so that a program
    // adding them every frame cannot grow the level.
    Matrix4 extras = IdentityMatrix();
    bool hasExtras = false;
    bool upToDate = true;
};

class ObjectTransformStack {
public:
    ObjectTransformStack() { Reset(); }
    void Reset();  // depth 0, level 0 at identity
    int Depth() const { return depth_; }
    const ObjectTransformLevel& Current() const { return levels_[depth_]; }

    void SetPosition(float x, float y, float z);
    void SetScale(float x, float y, float z);
    void Rotate(float degrees, float x, float y, float z);  // beyond 16 per level: ignored
    void MultiplyMatrix(const Matrix4& m);
    void Push();  // ignored at the deepest level
    void Pop();   // at depth 0: level 0 back to identity
    // The composed matrix of the current level, computed only when the level changed.
    const Matrix4& Compose();

private:
    const Matrix4& ParentMatrix() const;
    void Restart();
    void ClearLevel(int depth, const Matrix4& start);

    std::array<ObjectTransformLevel, kTransformLevels> levels_{};
    int depth_ = 0;
};

}  // namespace tvk
