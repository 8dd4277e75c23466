#include "mesh_file_writer.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>

#include "colour_table.h"
#include "mesh/mesh_normals.h"

namespace tvk::meshtool {

namespace {

constexpr size_t kFloatVertexBytes = 14;
constexpr size_t kQuantisedVertexBytes = 5;
constexpr size_t kMaxCount = static_cast<size_t>(std::numeric_limits<int32_t>::max());

class ByteWriter {
public:
    explicit ByteWriter(std::vector<uint8_t>& out) : out_(out) {}
    void U8(uint8_t v) { out_.push_back(v); }
    void U32(uint32_t v) {
        for (int shift = 0; shift < 32; shift += 8) out_.push_back(static_cast<uint8_t>(v >> shift));
    }
    void I32(size_t v) { U32(static_cast<uint32_t>(v)); }
    void F32(float v) { U32(std::bit_cast<uint32_t>(v)); }
    void F64(double v) {
        const uint64_t bits = std::bit_cast<uint64_t>(v);
        U32(static_cast<uint32_t>(bits));
        U32(static_cast<uint32_t>(bits >> 32));
    }

private:
    std::vector<uint8_t>& out_;
};

bool Finite(const Vec3& v) { return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]); }

bool CheckModel(const MeshModel& model, MeshFileFormat format, std::string& error) {
    if (model.frames.empty() || model.frames[0].positions.empty()) {
        error = "the model has no triangles";
        return false;
    }
    const size_t n = model.frames[0].positions.size();
    if (n % 3 != 0) {
        error = "a frame's vertex count is not a multiple of 3";
        return false;
    }
    const size_t vertexBytes = format == MeshFileFormat::QuantisedBinary ? kQuantisedVertexBytes : kFloatVertexBytes;
    if (n > kMaxCount / vertexBytes || model.frames.size() > kMaxCount / n) {
        error = "the model is too large for an object file";
        return false;
    }
    for (const ModelFrame& frame : model.frames) {
        if (frame.positions.size() != n || frame.normals.size() != n) {
            error = "the frames do not all have the same vertices";
            return false;
        }
        if (!std::all_of(frame.positions.begin(), frame.positions.end(), Finite)) {
            error = "the model has a position that is not a finite number";
            return false;
        }
    }
    if ((!model.texCoords.empty() && model.texCoords.size() != n) ||
        (!model.colours.empty() && model.colours.size() != n)) {
        error = "texture coordinates and colours must be given for every vertex or none";
        return false;
    }
    for (const auto& uv : model.texCoords) {
        if (!std::isfinite(uv[0]) || !std::isfinite(uv[1])) {
            error = "the model has a texture coordinate that is not a finite number";
            return false;
        }
    }
    return true;
}

// Positions and texture pairs are written for every vertex, so readers never index past a list.
std::array<float, 2> TexCoord(const MeshModel& model, size_t i) {
    return model.texCoords.empty() ? std::array<float, 2>{0, 0} : model.texCoords[i];
}

ColourTable Colours(const MeshModel& model) {
    const size_t n = model.frames[0].positions.size();
    return BuildColourTable(model.colours.empty() ? std::vector<uint32_t>(n, 0xFFFFFF) : model.colours);
}

// Per axis of one quantised frame: position = (q - offset) * scale for the byte q.
struct Quantisation {
    float offset[3];
    float scale[3];
};

Quantisation QuantiseFrame(const std::vector<Vec3>& positions) {
    Quantisation q{};
    for (int axis = 0; axis < 3; ++axis) {
        float lo = positions[0][axis];
        float hi = lo;
        for (const Vec3& p : positions) {
            lo = std::min(lo, p[axis]);
            hi = std::max(hi, p[axis]);
        }
        const float scale = static_cast<float>((static_cast<double>(hi) - lo) / kQuantisedSteps);
        const float offset = static_cast<float>(-static_cast<double>(lo) / scale);
        if (scale > 0 && std::isfinite(scale) && std::isfinite(offset)) {
            q.scale[axis] = scale;
            q.offset[axis] = offset;
        } else {  // a flat axis: every byte 0 gives lo back exactly
            q.scale[axis] = 1;
            q.offset[axis] = -lo;
        }
    }
    return q;
}

// The byte whose decoded position, computed as a reader does in floats, lies nearest the value.
uint8_t QuantiseCoordinate(float value, float offset, float scale) {
    const double guess = std::round(static_cast<double>(value) / scale + offset);
    const int centre = static_cast<int>(std::clamp(guess, 0.0, static_cast<double>(kQuantisedSteps)));
    int best = centre;
    float bestError = std::numeric_limits<float>::infinity();
    for (int q = std::max(0, centre - 1); q <= std::min(kQuantisedSteps, centre + 1); ++q) {
        const float error = std::fabs((static_cast<float>(q) - offset) * scale - value);
        if (error < bestError) {
            bestError = error;
            best = q;
        }
    }
    return static_cast<uint8_t>(best);
}

void WriteBinary(const MeshModel& model, bool quantised, std::vector<uint8_t>& out) {
    const size_t n = model.frames[0].positions.size();
    const ColourTable colours = Colours(model);
    out.reserve(24 + colours.colours.size() * 4 + n * 8 +
                model.frames.size() * (28 + n * (quantised ? kQuantisedVertexBytes : kFloatVertexBytes)));
    ByteWriter w(out);
    w.U32(static_cast<uint32_t>(kMeshFileMagic));
    w.F64(quantised ? kQuantisedVersion : kFloatVertexVersion);
    w.I32(model.frames.size());
    w.I32(colours.colours.size());
    w.I32(n);
    for (uint32_t colour : colours.colours) w.U32(colour);
    for (size_t i = 0; i < n; ++i) {
        const auto uv = TexCoord(model, i);
        w.F32(uv[0]);
        // The runtime's t runs up the picture, so a loaded object takes -v, as for a vertex a program
        // adds; readers of quantised files negate v themselves.
        w.F32(quantised ? uv[1] : -uv[1]);
    }
    for (const ModelFrame& frame : model.frames) {
        w.I32(n);
        if (!quantised) {
            for (size_t i = 0; i < n; ++i) {
                for (float c : frame.positions[i]) w.F32(c);
                w.U8(static_cast<uint8_t>(NearestNormalIndex(frame.normals[i])));
                w.U8(colours.indices[i]);
            }
            continue;
        }
        const Quantisation q = QuantiseFrame(frame.positions);
        for (float c : q.offset) w.F32(c);
        for (float c : q.scale) w.F32(c);
        for (size_t i = 0; i < n; ++i) {
            for (int axis = 0; axis < 3; ++axis)
                w.U8(QuantiseCoordinate(frame.positions[i][axis], q.offset[axis], q.scale[axis]));
            w.U8(static_cast<uint8_t>(NearestNormalIndex(frame.normals[i])));
            w.U8(colours.indices[i]);
        }
    }
}

class TextWriter {
public:
    explicit TextWriter(std::vector<uint8_t>& out) : out_(out) {}
    void Text(const char* text) {
        while (*text) out_.push_back(static_cast<uint8_t>(*text++));
    }
    void Number(float v) {
        char buffer[32];
        const auto result = std::to_chars(buffer, buffer + sizeof(buffer), v);  // shortest exact form
        Put(buffer, result.ptr);
    }
    void Number(size_t v) {
        char buffer[24];
        const auto result = std::to_chars(buffer, buffer + sizeof(buffer), v);
        Put(buffer, result.ptr);
    }
    void Space() { out_.push_back(' '); }
    void EndLine() { Text("\r\n"); }

private:
    void Put(const char* begin, const char* end) { out_.insert(out_.end(), begin, end); }
    std::vector<uint8_t>& out_;
};

Vec3 UnitOrZero(const Vec3& n) {
    const double length = std::sqrt(double(n[0]) * n[0] + double(n[1]) * n[1] + double(n[2]) * n[2]);
    if (!(length > 0) || !std::isfinite(length)) return {0, 0, 0};
    return {float(n[0] / length), float(n[1] / length), float(n[2] / length)};
}

// Every triangle names its corners' frame vertices and texture pairs by the same index.
void WriteText(const MeshModel& model, std::vector<uint8_t>& out) {
    const size_t n = model.frames[0].positions.size();
    const ColourTable colours = Colours(model);
    TextWriter w(out);
    w.Text("DDDA\r\n");
    w.Text(kTextVersion);
    w.EndLine();
    w.Text("# texture coordinates\r\n");
    w.Number(n);
    w.EndLine();
    for (size_t i = 0; i < n; ++i) {
        const auto uv = TexCoord(model, i);
        w.Number(uv[0]);
        w.Space();
        w.Number(uv[1]);  // readers negate v, which gives the -v the runtime wants
        w.EndLine();
    }
    w.Text("# triangles: red green blue, 3 corners of (vertex, texture coordinate)\r\n");
    w.Number(n / 3);
    w.EndLine();
    for (size_t t = 0; t < n; t += 3) {
        const uint32_t colour = colours.colours[colours.indices[t]];
        for (int shift : {0, 8, 16}) {
            w.Number(static_cast<size_t>((colour >> shift) & 0xFF));
            w.Space();
        }
        w.Text("3");
        for (size_t i = t; i < t + 3; ++i) {
            w.Space();
            w.Number(i);
            w.Space();
            w.Number(i);
        }
        w.EndLine();
    }
    w.Text("# frames: vertex count, then x y z and normal x y z per vertex\r\n");
    w.Number(model.frames.size());
    w.EndLine();
    for (const ModelFrame& frame : model.frames) {
        w.Number(n);
        w.EndLine();
        for (size_t i = 0; i < n; ++i) {
            const Vec3 normal = UnitOrZero(frame.normals[i]);
            for (float c : frame.positions[i]) {
                w.Number(c);
                w.Space();
            }
            w.Number(normal[0]);
            w.Space();
            w.Number(normal[1]);
            w.Space();
            w.Number(normal[2]);
            w.EndLine();
        }
    }
}

}  // namespace

int NearestNormalIndex(const Vec3& n) {
    if (!Finite(n)) return 0;
    int best = 0;
    float bestDot = 0;
    for (int i = 0; i < kMeshNormalCount; ++i) {
        const float dot = n[0] * kMeshNormals[i][0] + n[1] * kMeshNormals[i][1] + n[2] * kMeshNormals[i][2];
        if (dot > bestDot) {
            bestDot = dot;
            best = i;
        }
    }
    return best;
}

bool EncodeMeshFile(const MeshModel& model, MeshFileFormat format, std::vector<uint8_t>& out, std::string& error) {
    out.clear();
    if (!CheckModel(model, format, error)) return false;
    switch (format) {
        case MeshFileFormat::Binary: WriteBinary(model, false, out); break;
        case MeshFileFormat::QuantisedBinary: WriteBinary(model, true, out); break;
        case MeshFileFormat::Text: WriteText(model, out); break;
    }
    return true;
}

}  // namespace tvk::meshtool
