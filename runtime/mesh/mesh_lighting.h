// Per-vertex data for the two per-pixel lighting modes of object drawing, for a light given in
// the object's own space, and the toon shading ramp.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "mesh/mesh_object.h"

namespace tvk {

// Bump mapping (DOT3): each vertex's lightVector becomes the unit direction from the vertex to
// the light in its tangent space (tangent, bitangent, normal), packed into 0..1 as c * 0.5 + 0.5.
// Needs the tangents of FinishMesh; a vertex at the light, or with unusable data, gets the
// neutral (0.5, 0.5, 0.5) or the straight-up (0.5, 0.5, 1).
void ComputeBumpLightVectors(std::span<MeshVertex> vertices, const float light[3]);

// Toon shading: toon[0] = dot(unit normal, unit direction to the light) clamped to 0.05..0.95
// (0.05 when either has no direction); toon[1] = the middle of the ramp row of the vertex's
// colour index, (index + 0.5) / rampHeight, the index capped at the last row.
constexpr float kToonLowest = 0.05f;
constexpr float kToonHighest = 0.95f;
void ComputeToonCoordinates(std::span<MeshVertex> vertices, const float light[3], int rampHeight);

// The ramp: kToonRampWidth columns, one row per colour index (a power of two rows, enough for
// the colour table and every index the vertices use, at most 256). Row r is colour table entry r
// (white where the table has none) times the brightness of the column's band.
constexpr int kToonRampWidth = 32;
constexpr int kToonRampMaxHeight = 256;
float ToonBrightness(float rampPosition);
void BuildToonRamp(MeshObjectX& mesh);

}  // namespace tvk
