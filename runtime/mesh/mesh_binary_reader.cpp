// The binary mesh file: a 24-byte header, the colour table, the texture pairs, then the frames in
// the version-2 (float positions) or version-1 (quantised positions) encoding.
//
// What the file says is checked before it is used: every count against the bytes that are left
// (a count the file cannot hold is a read error, decided before anything is allocated), negative
// counts are read errors, and the mesh caps give a malloc error. Per vertex:
//   - a normal index above 161 gives the normal (0, 0, 0), as text files without normals do;
//   - a colour index past the colour table gives white (0xFFFFFF), the index byte kept;
//   - vertex i of a frame takes texture pair i, or (0, 0) when there is none;
//   - a frame's last one or two vertices that make no whole triangle are read and dropped.
#include <cmath>
#include <cstring>
#include <new>

#include "mesh/mesh_file_readers.h"
#include "mesh/mesh_normals.h"

namespace tvk {
namespace {

constexpr double kOldestVersion = 1.02;
constexpr double kNewestVersion = 2.0;
constexpr size_t kHeaderBytes = 24;
constexpr size_t kColourBytes = 4;
constexpr size_t kTexturePairBytes = 8;
constexpr size_t kFrameCountBytes = 4;
constexpr size_t kVersionOneFrameHeadBytes = 4 + 24;
constexpr size_t kVersionTwoVertexBytes = 14;
constexpr size_t kVersionOneVertexBytes = 5;

class Cursor {
public:
    Cursor(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    size_t Left() const { return size_ - at_; }
    bool Has(size_t count) const { return count <= Left(); }
    // Callers check Has first; these never read past the end.
    uint32_t U32() {
        uint32_t value = uint32_t(data_[at_]) | uint32_t(data_[at_ + 1]) << 8 | uint32_t(data_[at_ + 2]) << 16 |
                         uint32_t(data_[at_ + 3]) << 24;
        at_ += 4;
        return value;
    }
    int32_t I32() { return static_cast<int32_t>(U32()); }
    float F32() {
        uint32_t bits = U32();
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    double F64() {
        uint64_t low = U32();
        uint64_t bits = low | uint64_t(U32()) << 32;
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    uint8_t U8() { return data_[at_++]; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

struct TexturePair {
    float u, v;
};

// count items of itemBytes each fit in what is left.
bool Fits(const Cursor& in, int64_t count, size_t itemBytes) {
    return count >= 0 && uint64_t(count) <= in.Left() / itemBytes;
}

void SetNormal(MeshVertex& vertex, uint8_t index) {
    if (index >= kMeshNormalCount) return;  // stays (0, 0, 0)
    std::memcpy(vertex.normal, kMeshNormals[index], sizeof vertex.normal);
}

void SetTableColour(MeshVertex& vertex, uint8_t index, const std::vector<uint32_t>& colours) {
    vertex.colourIndex = index;
    SetVertexColour(vertex, index < colours.size() ? colours[index] : kWhiteColour);
}

MeshReadResult ReadFrames(Cursor& in, int32_t frameCount, bool versionTwo, const std::vector<TexturePair>& pairs,
                          MeshObject& mesh) {
    const size_t smallestFrame = versionTwo ? kFrameCountBytes : kVersionOneFrameHeadBytes;
    if (!Fits(in, frameCount, smallestFrame)) return MeshReadResult::ReadError;
    if (size_t(frameCount) > kMaxMeshFrames) return MeshReadResult::MallocError;
    mesh.frames.reserve(size_t(frameCount));
    size_t total = 0;
    for (int32_t f = 0; f < frameCount; ++f) {
        if (!in.Has(smallestFrame)) return MeshReadResult::ReadError;
        const int32_t count = in.I32();
        float offset[3] = {}, scale[3] = {};
        if (!versionTwo) {
            for (float& o : offset) o = in.F32();
            for (float& s : scale) s = in.F32();
        }
        if (!Fits(in, count, versionTwo ? kVersionTwoVertexBytes : kVersionOneVertexBytes))
            return MeshReadResult::ReadError;
        const size_t kept = size_t(count) - size_t(count) % 3;
        if (kept > kMaxMeshVertices - total) return MeshReadResult::MallocError;
        total += kept;
        MeshFrame& frame = mesh.frames.emplace_back();
        frame.triangles.resize(kept);
        for (size_t i = 0; i < size_t(count); ++i) {
            MeshVertex scratch;
            MeshVertex& vertex = i < kept ? frame.triangles[i] : scratch;
            uint8_t normal, colour;
            if (versionTwo) {
                for (float& p : vertex.position) p = in.F32();
                normal = in.U8();
                colour = in.U8();
            } else {
                for (int axis = 0; axis < 3; ++axis)
                    vertex.position[axis] = (float(in.U8()) - offset[axis]) * scale[axis];
                normal = in.U8();
                colour = in.U8();
                std::memcpy(vertex.tangent, kMeshNormals[0], sizeof vertex.tangent);
                std::memcpy(vertex.toon, kMeshNormals[0], sizeof vertex.toon);
            }
            SetNormal(vertex, normal);
            SetTableColour(vertex, colour, mesh.colours);
            if (i < pairs.size()) {
                vertex.u = pairs[i].u;
                vertex.v = versionTwo ? pairs[i].v : -pairs[i].v;
            }
        }
    }
    return MeshReadResult::Ok;
}

}  // namespace

MeshReadResult ReadBinaryMesh(const uint8_t* data, size_t size, MeshObject& mesh) {
    Cursor in(data, size);
    if (!in.Has(kHeaderBytes)) {
        // Too short for a header: a version that is there but wrong still says so.
        if (in.Has(12)) {
            in.I32();
            const double version = in.F64();
            if (!(version >= kOldestVersion && version <= kNewestVersion)) return MeshReadResult::WrongVersion;
        }
        return MeshReadResult::ReadError;
    }
    if (in.I32() != kBinaryMeshMagic) return MeshReadResult::ReadError;
    const double version = in.F64();
    if (!(version >= kOldestVersion && version <= kNewestVersion)) return MeshReadResult::WrongVersion;
    const int32_t frameCount = in.I32();
    const int32_t colourCount = in.I32();
    const int32_t pairCount = in.I32();
    const bool versionTwo = version >= 2.0;
    try {
        if (!Fits(in, colourCount, kColourBytes)) return MeshReadResult::ReadError;
        if (size_t(colourCount) > kMaxMeshColours) return MeshReadResult::MallocError;
        mesh.colours.resize(size_t(colourCount));
        for (uint32_t& colour : mesh.colours) colour = in.U32();

        if (!Fits(in, pairCount, kTexturePairBytes)) return MeshReadResult::ReadError;
        std::vector<TexturePair> pairs(static_cast<size_t>(pairCount));
        for (TexturePair& pair : pairs) {
            pair.u = in.F32();
            pair.v = in.F32();
        }
        if (!versionTwo) mesh.versionOneFlagA = mesh.versionOneFlagB = 1;
        return ReadFrames(in, frameCount, versionTwo, pairs, mesh);
    } catch (const std::bad_alloc&) {
        return MeshReadResult::MallocError;
    }
}

}  // namespace tvk
