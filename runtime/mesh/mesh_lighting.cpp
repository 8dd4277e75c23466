#include "mesh/mesh_lighting.h"

#include <algorithm>
#include <cmath>

#include "mesh/mesh_vector.h"

namespace tvk {

using namespace meshmath;

namespace {

float Pack(double c) {
    if (std::isnan(c)) return 0.5f;
    return float(std::clamp(c, -1.0, 1.0) * 0.5 + 0.5);
}

}  // namespace

void ComputeBumpLightVectors(std::span<MeshVertex> vertices, const float light[3]) {
    const Vec3 lightAt = Load(light);
    for (MeshVertex& vertex : vertices) {
        Vec3 normal, tangent, toLight;
        if (!Normalise(Load(vertex.normal), normal) || !Normalise(Load(vertex.tangent), tangent)) {
            vertex.lightVector[0] = vertex.lightVector[1] = vertex.lightVector[2] = 0.5f;
            continue;
        }
        if (!Normalise(lightAt - Load(vertex.position), toLight)) toLight = normal;
        const Vec3 bitangent = Cross(normal, tangent) * (vertex.toon[2] < 0 ? -1.0 : 1.0);
        vertex.lightVector[0] = Pack(Dot(toLight, tangent));
        vertex.lightVector[1] = Pack(Dot(toLight, bitangent));
        vertex.lightVector[2] = Pack(Dot(toLight, normal));
    }
}

void ComputeToonCoordinates(std::span<MeshVertex> vertices, const float light[3], int rampHeight) {
    const Vec3 lightAt = Load(light);
    const int rows = std::max(rampHeight, 1);
    for (MeshVertex& vertex : vertices) {
        Vec3 normal, toLight;
        double d = kToonLowest;
        if (Normalise(Load(vertex.normal), normal) && Normalise(lightAt - Load(vertex.position), toLight))
            d = std::clamp(Dot(normal, toLight), double(kToonLowest), double(kToonHighest));
        vertex.toon[0] = float(d);
        const int row = std::min(int(vertex.colourIndex), rows - 1);
        vertex.toon[1] = (float(row) + 0.5f) / float(rows);
    }
}

float ToonBrightness(float rampPosition) {
    // Three flat bands give the drawn look of cel shading.
    if (rampPosition < 0.35f) return 0.4f;
    if (rampPosition < 0.7f) return 0.7f;
    return 1.0f;
}

void BuildToonRamp(MeshObjectX& mesh) {
    size_t needed = std::max<size_t>(mesh.colours.size(), 1);
    for (const MeshFrame& frame : mesh.frames)
        for (const MeshVertex& vertex : frame.triangles) needed = std::max<size_t>(needed, size_t(vertex.colourIndex) + 1);
    int height = 1;
    while (size_t(height) < needed && height < kToonRampMaxHeight) height *= 2;
    mesh.toonRampWidth = kToonRampWidth;
    mesh.toonRampHeight = height;
    mesh.toonRamp.assign(size_t(kToonRampWidth) * size_t(height) * 4, 255);
    for (int row = 0; row < height; ++row) {
        float rgba[4];
        VertexColourFloats(size_t(row) < mesh.colours.size() ? mesh.colours[size_t(row)] : kWhiteColour, rgba);
        for (int column = 0; column < kToonRampWidth; ++column) {
            const float brightness = ToonBrightness((float(column) + 0.5f) / float(kToonRampWidth));
            uint8_t* pixel = &mesh.toonRamp[(size_t(row) * kToonRampWidth + size_t(column)) * 4];
            for (int c = 0; c < 3; ++c) pixel[c] = uint8_t(std::lround(rgba[c] * brightness * 255.0f));
        }
    }
}

}  // namespace tvk
