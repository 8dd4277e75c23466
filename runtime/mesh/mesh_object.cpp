#include "mesh/mesh_object.h"

#include <unordered_map>

namespace tvk {

void MeshObject::Clear() {
    colours.clear();
    colours.shrink_to_fit();
    frames.clear();
    frames.shrink_to_fit();
    versionOneFlagA = versionOneFlagB = 0;
    loaded = 0;
}

void MeshObjectX::Clear() {
    MeshObject::Clear();
    finished = 0;
    triangleCount = 0;
    topology.clear();
    topology.shrink_to_fit();
    toonRamp.clear();
    toonRamp.shrink_to_fit();
    toonRampWidth = toonRampHeight = 0;
}

uint32_t MeshTriangleCount(const MeshObject& mesh) {
    if (mesh.frames.empty()) return 0;
    return static_cast<uint32_t>(mesh.frames[0].triangles.size() / 3);
}

void RebuildColourTable(MeshObject& mesh) {
    mesh.colours.clear();
    std::unordered_map<uint32_t, size_t> positions;
    for (MeshFrame& frame : mesh.frames) {
        for (MeshVertex& vertex : frame.triangles) {
            if (IsBreakMarker(vertex)) continue;  // its index byte is its type
            auto [it, added] = positions.try_emplace(vertex.colour, mesh.colours.size());
            if (added) mesh.colours.push_back(vertex.colour);
            vertex.colourIndex = static_cast<uint8_t>(it->second > 255 ? 255 : it->second);
        }
    }
}

}  // namespace tvk
