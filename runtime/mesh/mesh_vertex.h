// The 92-byte vertex every mesh frame is made of; drawing hands arrays of them to GL with a stride
// of sizeof(MeshVertex), so the layout below is fixed byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tvk {

struct MeshVertex {
    float position[3] = {};     // byte 0
    float normal[3] = {};       // byte 12
    float u = 0, v = 0;         // byte 24: texture coordinates
    // Byte 32: the bump light vector, the tangent-space direction to the light packed into 0..1
    // and drawn as the primary colour (ComputeBumpLightVectors).
    float lightVector[3] = {};
    // Byte 44: the unit tangent along +u that FinishMesh derives for the bump light vectors.
    float tangent[3] = {};
    // Byte 56: toon[0], toon[1] are the toon second texture coordinates (ComputeToonCoordinates);
    // toon[2] holds the tangent frame's handedness (+1 or -1) for the bitangent.
    float toon[3] = {};
    uint32_t colour = 0;        // byte 68: red + green*256 + blue*65536, or a marker value
    // Byte 72: index into the mesh's colour table; a marker record's type byte instead.
    uint8_t colourIndex = 0;
    uint8_t reserved[3] = {};
    float rgba[4] = {};         // byte 76: the colour as 0..1 floats
};

static_assert(sizeof(MeshVertex) == 92, "drawing relies on a 92-byte vertex stride");
static_assert(offsetof(MeshVertex, normal) == 12);
static_assert(offsetof(MeshVertex, u) == 24);
static_assert(offsetof(MeshVertex, lightVector) == 32);
static_assert(offsetof(MeshVertex, tangent) == 44);
static_assert(offsetof(MeshVertex, toon) == 56);
static_assert(offsetof(MeshVertex, colour) == 68);
static_assert(offsetof(MeshVertex, colourIndex) == 72);
static_assert(offsetof(MeshVertex, rgba) == 76);

// Colour values 0xFFFFFFFC..0xFFFFFFFF draw white; -3 also starts a polygon in a vertex list.
constexpr uint32_t kFirstMarkerColour = 0xFFFFFFFCu;
constexpr uint32_t kPolygonMarkerColour = 0xFFFFFFFDu;  // -3
constexpr uint32_t kWhiteColour = 0xFFFFFFu;

// Type bytes of break markers: a program's break, and two kinds the runtime writes itself.
constexpr uint8_t kBreakMarkerType = 254;
constexpr uint8_t kInternalMarkerTypeA = 255;
constexpr uint8_t kInternalMarkerTypeB = 253;

// red, green, blue = the colour's bytes / 255 and alpha 1; all four 1 for a marker value.
void VertexColourFloats(uint32_t colour, float rgba[4]);
void SetVertexColour(MeshVertex& vertex, uint32_t colour);

// The vertex a program adds: position, texture coordinates with v negated, and its colour
// (-1..-4 are marker values and draw white).
MeshVertex MakeMeshVertex(float x, float y, float z, float tx, float ty, uint32_t colour);
// A break marker: white colour floats, colour value 0, the type byte, everything else zero.
MeshVertex MakeBreakMarker(uint8_t type = kBreakMarkerType);

// A break marker is told from a vertex by the pair "colour value 0 with white floats", which no
// colour conversion produces, and a type byte of 253..255.
bool IsBreakMarker(const MeshVertex& vertex);
bool IsPolygonMarker(const MeshVertex& vertex);
inline bool IsMarker(const MeshVertex& vertex) { return IsBreakMarker(vertex) || IsPolygonMarker(vertex); }

}  // namespace tvk
