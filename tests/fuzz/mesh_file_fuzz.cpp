// libFuzzer target for the mesh readers: the input as a mesh file (binary or text) through a
// mem:// name, finished and lit, with the finished mesh's promises checked; and the input as the
// start of a multi-mesh file whose two meshes follow its first zero byte (a 16-bit length, the
// first mesh, then the second). Built by scripts/fuzz (clang only, not part of the normal build).
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "files/memory_names.h"
#include "files/resolver.h"
#include "mesh/mesh_file.h"
#include "mesh/mesh_finish.h"
#include "mesh/mesh_lighting.h"
#include "mesh/mesh_shadow.h"
#include "mesh/multi_mesh_file.h"

namespace {

using namespace tvk;

// A private copy, so that reading one byte too far is caught by the address sanitizer.
struct Region {
    explicit Region(const uint8_t* data, size_t size) : bytes(data, data + size) {
        if (!bytes.empty() && RegisterMemoryRegion(bytes.data(), bytes.size())) name = MemoryName(bytes.data(), size);
    }
    ~Region() {
        if (!name.empty()) ForgetMemoryRegion(bytes.data());
    }
    std::vector<uint8_t> bytes;
    std::string name;
};

void CheckFinished(const MeshObjectX& mesh) {
    if (mesh.topology.size() != mesh.frames.size()) std::abort();
    if (mesh.toonRamp.size() != size_t(mesh.toonRampWidth) * size_t(mesh.toonRampHeight) * 4) std::abort();
    for (size_t f = 0; f < mesh.frames.size(); ++f) {
        const MeshFrame& frame = mesh.frames[f];
        const MeshTopology& topology = mesh.topology[f];
        const size_t n = frame.triangles.size();
        if (n % 3 || topology.pointIds.size() != n || topology.edgeNeighbours.size() != n) std::abort();
        for (size_t i = 0; i < n; ++i) {
            if (IsMarker(frame.triangles[i]) || topology.pointIds[i] >= topology.pointCount) std::abort();
            const int32_t other = topology.edgeNeighbours[i];
            if (other >= 0 && (size_t(other) >= n || topology.edgeNeighbours[size_t(other)] != int32_t(i))) std::abort();
            const float* p = frame.triangles[i].position;
            if (!std::isfinite(p[0]) || !std::isfinite(p[1]) || !std::isfinite(p[2])) continue;
            double d = 0;
            for (int a = 0; a < 3; ++a) d += (double(p[a]) - frame.centre[a]) * (double(p[a]) - frame.centre[a]);
            if (!(std::sqrt(d) <= double(frame.radius))) std::abort();
        }
    }
}

void ExerciseLighting(MeshObjectX& mesh) {
    if (mesh.frames.empty()) return;
    const float light[3] = {1, 2, 3};
    MeshFrame& frame = mesh.frames[0];
    ComputeBumpLightVectors(frame.triangles, light);
    ComputeToonCoordinates(frame.triangles, light, mesh.toonRampHeight);
    for (const MeshVertex& v : frame.triangles) {
        for (float c : v.lightVector)
            if (!(c >= 0 && c <= 1)) std::abort();
        if (!(v.toon[0] >= kToonLowest && v.toon[0] <= kToonHighest) || !(v.toon[1] > 0 && v.toon[1] < 1)) std::abort();
    }
    ShadowSilhouette silhouette;
    FindShadowSilhouette(frame, mesh.topology[0], light, silhouette);
    std::vector<float> quads, caps;
    BuildShadowVolume(frame, silhouette, light, quads, caps);
    if (quads.size() != silhouette.edges.size() / 2 * 16 || caps.size() != frame.triangles.size() * 4) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static ResourceResolver* resolver = CreateMemoryResolver();  // no archive: names resolve as given
    g_memoryResolver = resolver;

    {
        Region whole(data, size);
        MeshObjectX mesh;
        const bool loaded = !whole.name.empty() && LoadMeshFile(mesh, whole.name.c_str());
        if (!loaded && (mesh.loaded || !mesh.frames.empty() || !mesh.colours.empty())) std::abort();
        if (loaded && FinishMesh(mesh, int(size % 3))) {
            CheckFinished(mesh);
            ExerciseLighting(mesh);
        }
    }

    // Text up to the first zero byte, then a 16-bit length n, n bytes of one mesh, the rest another.
    size_t textEnd = 0;
    while (textEnd < size && data[textEnd] != 0) ++textEnd;
    size_t at = std::min(textEnd + 1, size);
    size_t firstSize = 0;
    if (size - at >= 2) {
        firstSize = std::min<size_t>(size_t(data[at]) | size_t(data[at + 1]) << 8, size - at - 2);
        at += 2;
    }
    Region first(data + at, firstSize);
    Region second(data + at + firstSize, size - at - firstSize);
    std::string text(reinterpret_cast<const char*>(data), textEnd);
    // The folder of a mem:// name is "mem://", so the names below come out whole.
    text += "\n[objects]\ncount=3\n1=" + first.name.substr(first.name.empty() ? 0 : 6) + "\n2=" +
            second.name.substr(second.name.empty() ? 0 : 6) + "\n3=missing\n";
    Region ini(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    MultiMeshFile file;
    ParseMultiMeshText(text, "mem://", file);
    const int textures = int(file.textureFiles.size());
    for (const MultiMeshPart& part : file.parts)
        for (int index : {part.textureA, part.textureB})
            if (index < -1 || index >= textures) std::abort();
    if (LoadMultiMeshFile(ini.name.c_str(), file, int(size % 3))) {
        for (const MultiMeshPart& part : file.parts)
            if (part.mesh->loaded) CheckFinished(*part.mesh);
    }
    return 0;
}
