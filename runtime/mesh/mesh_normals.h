// Mesh file vertices carry their normal as an index into one fixed table of unit vectors.
#pragma once

namespace tvk {

constexpr int kMeshNormalCount = 162;
extern const float kMeshNormals[kMeshNormalCount][3];

}  // namespace tvk
