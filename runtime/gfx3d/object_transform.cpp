#include "gfx3d/object_transform.h"

namespace tvk {
namespace {

const Matrix4 kIdentity = IdentityMatrix();

void StoreVector(float (&v)[3], float x, float y, float z) {
    v[0] = x;
    v[1] = y;
    v[2] = z;
}

}  // namespace

void ObjectTransformStack::ClearLevel(int depth, const Matrix4& start) {
    ObjectTransformLevel& level = levels_[depth];
    level = ObjectTransformLevel{};
    level.matrix = start;
}

void ObjectTransformStack::Reset() {
    depth_ = 0;
    ClearLevel(0, kIdentity);
}

const Matrix4& ObjectTransformStack::ParentMatrix() const {
    return depth_ == 0 ? kIdentity : levels_[depth_ - 1].matrix;
}

void ObjectTransformStack::Restart() {
    ObjectTransformLevel& level = levels_[depth_];
    level.upToDate = false;
    level.rotationCount = 0;
    level.extras = kIdentity;
    level.hasExtras = false;
    level.matrix = ParentMatrix();
}

void ObjectTransformStack::SetPosition(float x, float y, float z) {
    Restart();
    StoreVector(levels_[depth_].position, x, y, z);
}

void ObjectTransformStack::SetScale(float x, float y, float z) {
    Restart();
    StoreVector(levels_[depth_].scale, x, y, z);
}

void ObjectTransformStack::Rotate(float degrees, float x, float y, float z) {
    ObjectTransformLevel& level = levels_[depth_];
    level.upToDate = false;
    if (level.rotationCount >= kRotationsPerLevel) return;
    level.rotations[level.rotationCount++] = {degrees, x, y, z};
}

void ObjectTransformStack::MultiplyMatrix(const Matrix4& m) {
    ObjectTransformLevel& level = levels_[depth_];
    level.upToDate = false;
    level.extras = Multiply(level.extras, m);
    level.hasExtras = true;
}

const Matrix4& ObjectTransformStack::Compose() {
    ObjectTransformLevel& level = levels_[depth_];
    if (level.upToDate) return level.matrix;
    Matrix4 m = ParentMatrix();
    if (level.hasExtras) m = Multiply(m, level.extras);
    const float* p = level.position;
    if (p[0] != 0 || p[1] != 0 || p[2] != 0) m = Multiply(m, TranslationMatrix(p[0], p[1], p[2]));
    for (int i = level.rotationCount - 1; i >= 0; --i) {
        const ObjectRotation& r = level.rotations[i];
        m = Multiply(m, RotationMatrix(r.degrees, r.x, r.y, r.z));
    }
    const float* s = level.scale;
    if (s[0] != 1 || s[1] != 1 || s[2] != 1) m = Multiply(m, ScaleMatrix(s[0], s[1], s[2]));
    level.matrix = m;
    level.upToDate = true;
    return level.matrix;
}

void ObjectTransformStack::Push() {
    if (depth_ >= kTransformLevels - 1) return;
    Matrix4 parent = Compose();
    ++depth_;
    ClearLevel(depth_, parent);
}

void ObjectTransformStack::Pop() {
    if (depth_ > 0) {
        --depth_;
        return;
    }
    ClearLevel(0, kIdentity);
}

}  // namespace tvk
