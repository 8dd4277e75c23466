#include "mesh/mesh_vertex.h"

#include "base/colour.h"

namespace tvk {

void VertexColourFloats(uint32_t colour, float rgba[4]) {
    if (colour >= kFirstMarkerColour) {
        rgba[0] = rgba[1] = rgba[2] = rgba[3] = 1.0f;
        return;
    }
    ColourToFloats(colour, rgba);
    rgba[3] = 1.0f;
}

void SetVertexColour(MeshVertex& vertex, uint32_t colour) {
    vertex.colour = colour;
    VertexColourFloats(colour, vertex.rgba);
}

MeshVertex MakeMeshVertex(float x, float y, float z, float tx, float ty, uint32_t colour) {
    MeshVertex vertex;
    vertex.position[0] = x;
    vertex.position[1] = y;
    vertex.position[2] = z;
    vertex.u = tx;
    vertex.v = -ty;
    SetVertexColour(vertex, colour);
    return vertex;
}

MeshVertex MakeBreakMarker(uint8_t type) {
    MeshVertex marker;
    marker.colourIndex = type;
    marker.rgba[0] = marker.rgba[1] = marker.rgba[2] = marker.rgba[3] = 1.0f;
    return marker;
}

bool IsBreakMarker(const MeshVertex& vertex) {
    return vertex.colourIndex >= kInternalMarkerTypeB && vertex.colour == 0 && vertex.rgba[0] == 1.0f &&
           vertex.rgba[1] == 1.0f && vertex.rgba[2] == 1.0f;
}

bool IsPolygonMarker(const MeshVertex& vertex) { return vertex.colour == kPolygonMarkerColour; }

}  // namespace tvk
