// The "DDDA" text mesh: after the first line, a stream of numbers (comments from "#" to the end
// of the line) giving the version, the texture pairs, the polygons with their corners, and the
// frames of vertex records. Each frame becomes a list of a polygon marker followed by the
// polygon's corners, for every polygon; FinishMesh turns those into triangles.
//
// Counts are checked against the bytes left before anything is allocated (every number takes at
// least one character and one separator), and against the mesh caps. Indices that miss:
//   - a corner whose vertex index is outside the frame's vertex list is dropped;
//   - a texture index outside the pair list gives (0, 0);
//   - colour components are clamped to 0..255 (NaN counts as 0).
#include <cmath>
#include <new>
#include <string>
#include <vector>

#include "mesh/mesh_file_readers.h"
#include "values/number_text.h"

namespace tvk {
namespace {

constexpr double kNewestTextVersion = 1.1;
constexpr float kNormalsVersion = 1.1f;

class NumberStream {
public:
    NumberStream(const uint8_t* data, size_t size, size_t start) : data_(data), size_(size), at_(start) {}

    bool Next(double& value) {
        SkipSpaceAndComments();
        if (at_ >= size_) return false;
        token_.clear();
        while (at_ < size_ && !IsSeparator(data_[at_]) && data_[at_] != '#') token_.push_back(char(data_[at_++]));
        value = TextToNumber(token_.c_str());
        return true;
    }
    // A count: truncated toward zero; false when missing, negative, not a number or too large
    // for what is left, each item taking numbersPerItem numbers.
    bool Count(size_t numbersPerItem, size_t& count) {
        double value;
        if (!Next(value) || !(value >= 0) || value >= 2147483648.0) return false;
        count = size_t(value);
        return count <= (Left() + 1) / 2 / numbersPerItem;
    }
    // An index: truncated toward zero; anything unusable becomes -1.
    bool Index(int64_t& index) {
        double value;
        if (!Next(value)) return false;
        index = (value > -1.0 && value < 2147483648.0) ? int64_t(value) : -1;
        return true;
    }

private:
    static bool IsSeparator(uint8_t c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
    void SkipSpaceAndComments() {
        while (at_ < size_) {
            if (IsSeparator(data_[at_])) {
                ++at_;
            } else if (data_[at_] == '#') {
                while (at_ < size_ && data_[at_] != '\n') ++at_;
            } else {
                break;
            }
        }
    }
    size_t Left() const { return size_ - at_; }

    const uint8_t* data_;
    size_t size_;
    size_t at_;
    std::string token_;
};

struct Corner {
    int64_t vertex, texture;
};

struct Polygon {
    uint32_t colour;
    size_t first, count;  // into the corner list
};

struct FrameVertex {
    float position[3];
    float normal[3];
};

uint32_t ColourComponent(double value) {
    if (!(value > 0)) return 0;
    return value >= 255 ? 255 : uint32_t(value);
}

// The first line, without a CR before its LF, must be "DDDA". Returns where the numbers start.
bool FirstLineIsText(const uint8_t* data, size_t size, size_t& next) {
    size_t end = 0;
    while (end < size && data[end] != '\n') ++end;
    next = end < size ? end + 1 : end;
    size_t length = end;
    if (length > 0 && data[length - 1] == '\r') --length;
    return length == 4 && data[0] == 'D' && data[1] == 'D' && data[2] == 'D' && data[3] == 'A';
}

}  // namespace

MeshReadResult ReadTextMesh(const uint8_t* data, size_t size, MeshObject& mesh) {
    size_t start;
    if (!FirstLineIsText(data, size, start)) return MeshReadResult::ReadError;
    NumberStream in(data, size, start);
    try {
        double version;
        if (!in.Next(version) || !(version <= kNewestTextVersion)) return MeshReadResult::ReadError;
        const bool withNormals = float(version) == kNormalsVersion;

        size_t pairCount;
        if (!in.Count(2, pairCount)) return MeshReadResult::ReadError;
        std::vector<float> pairs(pairCount * 2);
        for (float& value : pairs) {
            double number;
            if (!in.Next(number)) return MeshReadResult::ReadError;
            value = float(number);
        }

        size_t polygonCount;
        if (!in.Count(4, polygonCount)) return MeshReadResult::ReadError;
        std::vector<Polygon> polygons(polygonCount);
        std::vector<Corner> corners;
        for (Polygon& polygon : polygons) {
            double r, g, b;
            size_t count;
            if (!in.Next(r) || !in.Next(g) || !in.Next(b) || !in.Count(2, count)) return MeshReadResult::ReadError;
            polygon.colour = ColourComponent(r) | ColourComponent(g) << 8 | ColourComponent(b) << 16;
            polygon.first = corners.size();
            polygon.count = count;
            // Each corner is two more numbers, so the list grows no faster than the file is read.
            for (size_t k = 0; k < count; ++k) {
                Corner corner;
                if (!in.Index(corner.vertex) || !in.Index(corner.texture)) return MeshReadResult::ReadError;
                corners.push_back(corner);
            }
        }

        const size_t perFrame = polygons.size() + corners.size();
        const size_t numbersPerVertex = withNormals ? 6 : 3;
        size_t frameCount;
        if (!in.Count(1, frameCount)) return MeshReadResult::ReadError;
        if (frameCount > kMaxMeshFrames) return MeshReadResult::MallocError;
        if (perFrame && frameCount > kMaxMeshVertices / perFrame) return MeshReadResult::MallocError;
        mesh.frames.reserve(frameCount);
        std::vector<FrameVertex> records;
        for (size_t f = 0; f < frameCount; ++f) {
            size_t vertexCount;
            if (!in.Count(numbersPerVertex, vertexCount)) return MeshReadResult::ReadError;
            records.assign(vertexCount, FrameVertex{});
            for (FrameVertex& record : records) {
                double value;
                for (float& p : record.position) {
                    if (!in.Next(value)) return MeshReadResult::ReadError;
                    p = float(value);
                }
                if (!withNormals) continue;
                for (float& n : record.normal) {
                    if (!in.Next(value)) return MeshReadResult::ReadError;
                    n = float(value);
                }
            }
            MeshFrame& frame = mesh.frames.emplace_back();
            frame.triangles.reserve(perFrame);
            for (const Polygon& polygon : polygons) {
                MeshVertex marker;
                SetVertexColour(marker, kPolygonMarkerColour);
                frame.triangles.push_back(marker);
                for (size_t k = 0; k < polygon.count; ++k) {
                    const Corner& corner = corners[polygon.first + k];
                    if (corner.vertex < 0 || size_t(corner.vertex) >= records.size()) continue;
                    const FrameVertex& record = records[size_t(corner.vertex)];
                    MeshVertex vertex;
                    for (int axis = 0; axis < 3; ++axis) {
                        vertex.position[axis] = record.position[axis];
                        vertex.normal[axis] = record.normal[axis];
                    }
                    if (corner.texture >= 0 && size_t(corner.texture) < pairCount) {
                        vertex.u = pairs[size_t(corner.texture) * 2];
                        vertex.v = -pairs[size_t(corner.texture) * 2 + 1];
                    }
                    SetVertexColour(vertex, polygon.colour);
                    frame.triangles.push_back(vertex);
                }
            }
        }
        RebuildColourTable(mesh);
        return MeshReadResult::Ok;
    } catch (const std::bad_alloc&) {
        return MeshReadResult::MallocError;
    }
}

}  // namespace tvk
