// The model the converter hands to the encoders: every frame is a triangle list, and vertex i is
// the same triangle corner in every frame, so texture pairs and colours are stored once per vertex.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace tvk::meshtool {

using Vec3 = std::array<float, 3>;

struct ModelFrame {
    std::vector<Vec3> positions;  // three per triangle
    std::vector<Vec3> normals;    // one per position; need not be unit length
};

struct MeshModel {
    std::vector<ModelFrame> frames;
    std::vector<std::array<float, 2>> texCoords;  // (u, v) per vertex, v = 0 at the top of the picture
    std::vector<uint32_t> colours;                // per vertex, red + green * 256 + blue * 65536
};

}  // namespace tvk::meshtool
