#include "gfx3d/object_table.h"

#include "gl/gl_state.h"

namespace tvk {
namespace {

bool InTable(double index) { return index >= 0 && index < kMaxObjects; }

void ReleaseMeshGraphics(MeshDrawCache& draw, bool contextLive) {
    for (gl::VertexBuffer& b : draw.staticFrames) contextLive ? b.Release() : b.Abandon();
    draw.staticFrames.clear();
    if (contextLive) gl::DeleteTexture(draw.toonTexture);
    draw.toonTexture = 0;
    draw.prepared = false;
}

void ReleaseObjectGraphics(SceneObject& object, bool contextLive) {
    for (ObjectMesh& m : object.meshes) ReleaseMeshGraphics(m.draw, contextLive);
    if (contextLive)
        for (uint32_t& name : object.textures) gl::DeleteTexture(name);
    object.textures.clear();
}

}  // namespace

ObjectTable::~ObjectTable() { ReleaseGraphics(false); }

SceneObject* ObjectTable::Find(double index) {
    if (!InTable(index)) return nullptr;
    const size_t n = static_cast<size_t>(index);
    return n < objects_.size() ? &objects_[n] : nullptr;
}

SceneObject* ObjectTable::Make(double index) {
    if (!InTable(index)) return nullptr;
    const size_t n = static_cast<size_t>(index);
    if (n >= objects_.size()) objects_.resize(n + 1);
    return &objects_[n];
}

int32_t ObjectTable::FindFree() const {
    for (size_t n = 0; n < objects_.size(); ++n)
        if (!objects_[n].inUse) return static_cast<int32_t>(n);
    return objects_.size() < static_cast<size_t>(kMaxObjects) ? static_cast<int32_t>(objects_.size()) : -1;
}

void ObjectTable::Empty(SceneObject& object, bool contextLive) {
    ReleaseObjectGraphics(object, contextLive);
    object = SceneObject{};
}

void ObjectTable::ReleaseGraphics(bool contextLive) {
    for (SceneObject& object : objects_) ReleaseObjectGraphics(object, contextLive);
}

uint32_t ObjectTriangleCount(const SceneObject& object) {
    uint32_t count = 0;
    for (const ObjectMesh& m : object.meshes) count += MeshTriangleCount(*m.mesh);
    return count;
}

}  // namespace tvk
