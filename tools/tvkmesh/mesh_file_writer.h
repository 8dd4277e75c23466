// Encodes a model as an object file the runtime loads: the binary file with float vertices
// (version 2), the binary file with byte-quantised frames (version 1), or the "DDDA" text file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mesh_model.h"

namespace tvk::meshtool {

enum class MeshFileFormat { Binary, QuantisedBinary, Text };

constexpr int32_t kMeshFileMagic = 13021975;
constexpr double kFloatVertexVersion = 2.0;
// Any version from 1.02 up to below 2 selects the quantised frames; a middle value keeps clear
// of both bounds whatever precision a reader compares in.
constexpr double kQuantisedVersion = 1.5;
constexpr const char* kTextVersion = "1.1";  // the text version that carries normals
constexpr int kQuantisedSteps = 255;

// Index of the table normal nearest in direction to n; 0 for a zero or non-finite vector.
int NearestNormalIndex(const Vec3& n);

// Fails (false, with a message in error) when the model is not a set of equally long triangle
// lists with one texture pair and colour per vertex (or none), has a non-finite position or
// texture coordinate, or is too large for the format's 32-bit counts.
bool EncodeMeshFile(const MeshModel& model, MeshFileFormat format, std::vector<uint8_t>& out,
                    std::string& error);

}  // namespace tvk::meshtool
