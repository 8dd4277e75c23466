#include "mesh/mesh_finish.h"

#include <new>

#include "mesh/mesh_lighting.h"

namespace tvk {

bool FinishMesh(MeshObjectX& mesh, int normalMode) {
    try {
        size_t total = 0;
        for (const MeshFrame& frame : mesh.frames) {
            total += AssembledVertexCount(frame.triangles);
            if (total > kMaxMeshVertices) {
                mesh.Clear();
                return false;
            }
        }
        mesh.topology.assign(mesh.frames.size(), MeshTopology{});
        for (size_t f = 0; f < mesh.frames.size(); ++f) {
            MeshFrame& frame = mesh.frames[f];
            MeshTopology& topology = mesh.topology[f];
            AssembleTriangles(frame.triangles);
            WeldPositions(frame.triangles, topology);
            if (normalMode == kFlatNormals) ComputeFlatNormals(frame.triangles);
            if (normalMode == kSmoothNormals) ComputeSmoothNormals(frame.triangles, topology);
            BuildEdgeAdjacency(topology);
            ComputeBoundingSphere(frame);
            ComputeTangents(frame.triangles, topology);
        }
        mesh.triangleCount = MeshTriangleCount(mesh);
        BuildToonRamp(mesh);
        mesh.finished = 1;
        return true;
    } catch (const std::bad_alloc&) {
        mesh.Clear();
        return false;
    }
}

}  // namespace tvk
