// The mesh records: frames of 92-byte vertices, a colour table, and what finishing adds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "mesh/mesh_vertex.h"

namespace tvk {

// Caps on what one mesh may hold, so that a small hostile file cannot make the loader allocate
// without end (a text file can multiply its corners by its frames). Files past them fail with
// "# malloc error".
constexpr size_t kMaxMeshVertices = size_t(1) << 22;  // over all frames: 4M vertices, ~386 MB
constexpr size_t kMaxMeshFrames = 65536;
constexpr size_t kMaxMeshColours = size_t(1) << 20;
// Files are read whole; a larger one is a read error.
constexpr int64_t kMaxMeshFileBytes = int64_t(256) << 20;

struct MeshFrame {
    // Every three consecutive vertices are one triangle once the mesh is finished; before that
    // the list may also hold break and polygon markers (see FinishMesh).
    std::vector<MeshVertex> triangles;
    // A second list; the loaders leave it empty.
    std::vector<MeshVertex> secondList;
    // A sphere holding every vertex of the triangle list, set by FinishMesh. An infinite radius
    // means the frame has a vertex that is not finite and must never be culled.
    float centre[3] = {};
    float radius = 0;
};

class MeshObject {
public:
    MeshObject() = default;
    virtual ~MeshObject() = default;
    MeshObject(const MeshObject&) = default;
    MeshObject& operator=(const MeshObject&) = default;
    MeshObject(MeshObject&&) = default;
    MeshObject& operator=(MeshObject&&) = default;

    // Empties the colour table and the frames and resets the flags.
    virtual void Clear();

    std::vector<uint32_t> colours;  // the colour table; vertices name entries by colourIndex
    std::vector<MeshFrame> frames;
    // Both set to 1 by a version-1 binary file.
    uint8_t versionOneFlagA = 0;
    uint8_t versionOneFlagB = 0;
    uint8_t loaded = 0;  // 1 after a successful load
};

// Per frame: which vertices are the same point and which triangle edges meet.
struct MeshTopology {
    // One id per vertex of the frame's triangle list; vertices at the same place (within
    // 0.00001 on every axis) share an id. Ids run 0..pointCount-1.
    std::vector<uint32_t> pointIds;
    uint32_t pointCount = 0;
    // One entry per triangle edge: edge k of triangle t (corner k to corner k+1 mod 3) is entry
    // 3t + k and holds the entry of the neighbouring triangle's edge over the same two points,
    // or -1. Pairs are mutual.
    std::vector<int32_t> edgeNeighbours;
};

class MeshObjectX : public MeshObject {
public:
    void Clear() override;

    // Set by FinishMesh.
    uint8_t finished = 0;
    uint32_t triangleCount = 0;       // triangles of the first frame (markers are gone by then)
    std::vector<MeshTopology> topology;  // one per frame
    // The toon shading ramp: RGBA bytes, toonRampWidth x toonRampHeight, row r for colour index r.
    std::vector<uint8_t> toonRamp;
    int toonRampWidth = 0;
    int toonRampHeight = 0;
};

// The number of triangles drawn from the first frame: its vertex count / 3.
uint32_t MeshTriangleCount(const MeshObject& mesh);

// Rebuilds the colour table from the vertices of every frame: each vertex colour is looked up
// (appended when new) and the vertex's colourIndex set to its position; positions past 255 are
// stored as 255, since the index is one byte.
void RebuildColourTable(MeshObject& mesh);

}  // namespace tvk
