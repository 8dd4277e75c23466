// The scene's 3D objects: each a mesh (or several, with their own textures) and what drawing
// keeps for it on the GL side.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "gl/vertex_buffer.h"
#include "mesh/mesh_object.h"

namespace tvk {

// Object numbers a program may use are 0..kMaxObjects-1; the table grows to the highest one
// used, so a huge number cannot exhaust memory. Other numbers are ignored (building and loading
// record error 7, as for every table number).
constexpr int32_t kMaxObjects = 65536;

// What drawing keeps for one mesh.
struct MeshDrawCache {
    bool prepared = false;
    bool coloured = false;  // a vertex colour other than white: drawn with the colour array
    // Frame 0's vertices with the drawn frame's positions and normals blended in, and what they
    // were made for, so that drawing the same again does no vertex work.
    MeshFrame buffer;
    int32_t bufferFirst = -1, bufferSecond = -1;
    float bufferWeight = 0, bufferOffset[2] = {0, 0};
    // Frame f drawn alone, in a buffer object, made the first time it is drawn that way.
    std::vector<gl::VertexBuffer> staticFrames;
    uint32_t toonTexture = 0;
};

struct ObjectMesh {
    std::unique_ptr<MeshObjectX> mesh = std::make_unique<MeshObjectX>();
    int32_t textureA = -1, textureB = -1;  // indices into the object's textures; -1 = none
    MeshDrawCache draw;
};

struct SceneObject {
    bool inUse = false;
    bool multiMesh = false;
    std::vector<ObjectMesh> meshes;
    std::vector<uint32_t> textures;  // GL texture names the object owns (multi-mesh files)
};

class ObjectTable {
public:
    ObjectTable() = default;
    ~ObjectTable();
    ObjectTable(const ObjectTable&) = delete;
    ObjectTable& operator=(const ObjectTable&) = delete;

    // The record for a program's number; null outside the table. Find does not grow the table.
    SceneObject* Find(double index);
    SceneObject* Make(double index);
    // The first record not in use (records past the table's end count), or -1 when all are.
    int32_t FindFree() const;
    // Empties a record: meshes gone, its textures and buffers deleted (let go without a context).
    void Empty(SceneObject& object, bool contextLive);
    // The GL context is going: every texture and buffer is deleted now (or, without a context,
    // let go), so nothing is deleted in a context that no longer exists.
    void ReleaseGraphics(bool contextLive);

    // Building: the record under construction (-1 when none) and the normal mode EndObject uses.
    int32_t underConstruction = -1;
    int normalMode = 0;

private:
    std::vector<SceneObject> objects_;
};

// The number of triangles in the meshes' first frames.
uint32_t ObjectTriangleCount(const SceneObject& object);

}  // namespace tvk
