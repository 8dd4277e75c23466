// Objects built by the program vertex by vertex, and the object table's queries.
#include <cmath>

#include "base/error_codes.h"
#include "gfx2d/renderer.h"
#include "gfx3d/scene.h"
#include "mesh/mesh_finish.h"
#include "mesh/mesh_vertex.h"
#include "tarnvik/core.h"
#include "tarnvik/gfx3d.h"

namespace tvk {
namespace {

bool ContextLive() { return g_renderer && g_renderer->window; }

MeshFrame* FrameUnderConstruction() {
    if (!g_scene) return nullptr;
    ObjectTable& table = g_scene->Objects();
    SceneObject* object = table.underConstruction >= 0 ? table.Find(table.underConstruction) : nullptr;
    if (!object || object->meshes.empty() || object->meshes[0].mesh->frames.empty()) return nullptr;
    return &object->meshes[0].mesh->frames[0];
}

// A vertex list that reached the mesh cap takes no more: the object stays buildable and finishes
// with what it has.
void Append(const MeshVertex& vertex) {
    MeshFrame* frame = FrameUnderConstruction();
    if (!frame) return;
    if (frame->triangles.size() >= kMaxMeshVertices) {
        SetErrorCode(kErrorOutOfMemory);
        return;
    }
    frame->triangles.push_back(vertex);
}

}  // namespace
}  // namespace tvk

void StartObject(RtNumber index) {
    using namespace tvk;
    if (!g_scene) return;
    ObjectTable& table = g_scene->Objects();
    SceneObject* object = table.Make(index);
    table.underConstruction = -1;
    if (!object) {
        SetErrorCode(kErrorOutOfRange);
        return;
    }
    table.Empty(*object, ContextLive());
    object->meshes.emplace_back();
    object->meshes[0].mesh->frames.emplace_back();
    table.underConstruction = static_cast<int32_t>(index);
}

void AddObjectVertex(RtNumber x, RtNumber y, RtNumber z, RtNumber tx, RtNumber ty, RtInt colour) {
    tvk::Append(tvk::MakeMeshVertex(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z),
                                    static_cast<float>(tx), static_cast<float>(ty), static_cast<uint32_t>(colour)));
}

void AddObjectBreak() { tvk::Append(tvk::MakeBreakMarker()); }

void EndObject() {
    using namespace tvk;
    if (!g_scene) return;
    ObjectTable& table = g_scene->Objects();
    SceneObject* object = table.underConstruction >= 0 ? table.Find(table.underConstruction) : nullptr;
    table.underConstruction = -1;
    if (!object || object->meshes.empty()) return;
    MeshObjectX& mesh = *object->meshes[0].mesh;
    bool enough = false;
    for (const MeshFrame& frame : mesh.frames) enough = enough || frame.triangles.size() > 2;
    if (enough) {
        RebuildColourTable(mesh);
        enough = FinishMesh(mesh, table.normalMode);
    }
    if (!enough) {
        table.Empty(*object, ContextLive());  // too few vertices for one triangle: discarded
        return;
    }
    object->inUse = true;
}

void SetNormalMode(RtNumber mode) {
    if (!tvk::g_scene || !std::isfinite(mode)) return;
    const int m = static_cast<int>(std::fmod(std::trunc(mode), 3.0));
    tvk::g_scene->Objects().normalMode = m < 0 ? m + 3 : m;
}

RtInt FindFreeObject() { return tvk::g_scene ? tvk::g_scene->Objects().FindFree() : -1; }

RtInt GetObjectTriangleCount(RtNumber index) {
    if (!tvk::g_scene) return 0;
    const tvk::SceneObject* object = tvk::g_scene->Objects().Find(index);
    return object && object->inUse ? static_cast<RtInt>(tvk::ObjectTriangleCount(*object)) : 0;
}
