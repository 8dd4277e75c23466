// Objects loaded from files: one mesh from a binary or text mesh file, or several meshes with
// their own textures from a multi-mesh file.
#include <span>
#include <string>

#include "base/error_codes.h"
#include "base/error_log.h"
#include "files/resolver.h"
#include "gfx2d/image_decode.h"
#include "gfx2d/renderer.h"
#include "gfx2d/sprite_upload.h"
#include "gfx3d/scene.h"
#include "mesh/mesh_file.h"
#include "mesh/mesh_finish.h"
#include "mesh/multi_mesh_file.h"
#include "tarnvik/core.h"
#include "tarnvik/gfx3d.h"

namespace tvk {
namespace {

bool ContextLive() { return g_renderer && g_renderer->window; }

// Meshes from files keep the normals they carry; a file without any (a text file before version
// 1.1) gets smooth ones, so that lights show its shape.
void GiveNormalsWhereNoneCame(MeshObjectX& mesh) {
    for (const MeshFrame& frame : mesh.frames)
        for (const MeshVertex& v : frame.triangles)
            if (v.normal[0] != 0 || v.normal[1] != 0 || v.normal[2] != 0) return;
    for (size_t f = 0; f < mesh.frames.size() && f < mesh.topology.size(); ++f)
        ComputeSmoothNormals(std::span<MeshVertex>(mesh.frames[f].triangles), mesh.topology[f]);
}

bool LoadSingleMesh(SceneObject& object, const char* resolvedName) {
    ObjectMesh part;
    if (!LoadMeshFile(*part.mesh, resolvedName) || !FinishMesh(*part.mesh, kKeepNormals)) return false;
    GiveNormalsWhereNoneCame(*part.mesh);
    object.meshes.push_back(std::move(part));
    return true;
}

// Each picture resolved right before it is decoded: the resolver holds one answer at a time.
// A picture that cannot be read leaves its texture 0, and the meshes using it draw untextured.
uint32_t LoadMultiMeshTexture(const std::string& name) {
    if (!ContextLive()) return 0;
    const char* resolved = ResolveFileName(g_memoryResolver, name.c_str());
    RgbaImage image;
    if (!resolved || !DecodeImageFile(resolved, g_renderer->transparentColour, image, ImageFormats::All, name.c_str()))
        return 0;
    uint32_t texture = 0;
    UploadSubImage(image, 0, 0, image.width, image.height, texture, nullptr, false);
    return texture;
}

bool LoadMultiMesh(SceneObject& object, const char* programName) {
    MultiMeshFile file;
    if (!LoadMultiMeshFile(programName, file, kKeepNormals)) return false;
    object.multiMesh = true;
    for (const std::string& name : file.textureFiles) object.textures.push_back(LoadMultiMeshTexture(name));
    for (MultiMeshPart& part : file.parts) {
        if (!part.mesh || !part.mesh->loaded) continue;
        GiveNormalsWhereNoneCame(*part.mesh);
        ObjectMesh mesh;
        mesh.mesh = std::move(part.mesh);
        mesh.textureA = part.textureA;
        mesh.textureB = part.textureB;
        object.meshes.push_back(std::move(mesh));
    }
    return !object.meshes.empty();
}

}  // namespace
}  // namespace tvk

void LoadObject(const RtString& file, RtNumber index) {
    using namespace tvk;
    if (!g_scene) return;
    ObjectTable& table = g_scene->Objects();
    SceneObject* object = table.Make(index);
    if (!object) {
        SetErrorCode(kErrorOutOfRange);
        return;
    }
    if (table.underConstruction == static_cast<int32_t>(index)) table.underConstruction = -1;
    table.Empty(*object, ContextLive());
    const char* resolved = ResolveFileName(g_memoryResolver, file.c_str());
    bool loaded = false;
    if (resolved) {
        loaded = IsMultiMeshFile(resolved) ? LoadMultiMesh(*object, file.c_str())
                                           : LoadSingleMesh(*object, resolved);
    }
    if (!loaded) {
        table.Empty(*object, ContextLive());
        SetErrorCode(kErrorNoSuchFile);
        // A file that is there but does not load is worth a word: the log has the loader's reason.
        if (resolved) ReportToUser(std::string(file.c_str()) + ": not a 3D object this runtime reads (see ErrorLog.txt)");
        return;
    }
    object->inUse = true;
}
