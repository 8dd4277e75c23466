#include "object_file_decoder.h"

#include <bit>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "mesh/mesh_normals.h"

namespace tvk::test {

namespace {

constexpr uint32_t kMagic = 13021975;

class Reader {
public:
    explicit Reader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}
    bool Has(size_t n) const { return bytes_.size() - pos_ >= n; }
    bool AtEnd() const { return pos_ == bytes_.size(); }
    uint8_t U8() { return bytes_[pos_++]; }
    uint32_t U32() {
        uint32_t v = 0;
        for (int shift = 0; shift < 32; shift += 8) v |= uint32_t(U8()) << shift;
        return v;
    }
    float F32() { return std::bit_cast<float>(U32()); }
    double F64() {
        const uint64_t lo = U32();
        return std::bit_cast<double>(lo | uint64_t(U32()) << 32);
    }

private:
    const std::vector<uint8_t>& bytes_;
    size_t pos_ = 0;
};

std::array<float, 3> TableNormal(int index) {
    return {kMeshNormals[index][0], kMeshNormals[index][1], kMeshNormals[index][2]};
}

bool Fail(std::string& why, const std::string& text) {
    why = text;
    return false;
}

}  // namespace

bool DecodeBinary(const std::vector<uint8_t>& bytes, LoadedObject& object, std::string& why) {
    object = LoadedObject();
    Reader r(bytes);
    if (!r.Has(24)) return Fail(why, "short header");
    if (r.U32() != kMagic) return Fail(why, "no magic");
    object.version = r.F64();
    if (!(object.version >= 1.02 && object.version <= 2.0)) return Fail(why, "version out of range");
    const bool quantised = object.version < 2;
    const int32_t nf = int32_t(r.U32()), nc = int32_t(r.U32()), nt = int32_t(r.U32());
    if (nf < 0 || nc < 0 || nt < 0) return Fail(why, "negative count");
    if (!r.Has(size_t(nc) * 4 + size_t(nt) * 8)) return Fail(why, "short colour or texture list");
    for (int32_t i = 0; i < nc; ++i) object.colourTable.push_back(r.U32());
    std::vector<std::array<float, 2>> uv(static_cast<size_t>(nt));
    for (auto& pair : uv) pair = {r.F32(), r.F32()};
    for (int32_t f = 0; f < nf; ++f) {
        if (!r.Has(4)) return Fail(why, "short frame");
        const int32_t n = int32_t(r.U32());
        if (n < 0 || n % 3 != 0 || n > nt) return Fail(why, "bad vertex count");
        std::array<float, 6> q{};
        if (quantised) {
            if (!r.Has(24)) return Fail(why, "short quantisation");
            for (float& c : q) c = r.F32();
            object.quantisation.push_back(q);
        }
        if (!r.Has(size_t(n) * (quantised ? 5 : 14))) return Fail(why, "short vertex list");
        std::vector<LoadedVertex> frame(static_cast<size_t>(n));
        for (int32_t i = 0; i < n; ++i) {
            LoadedVertex& v = frame[size_t(i)];
            for (int axis = 0; axis < 3; ++axis) {
                v.position[axis] = quantised ? (float(r.U8()) - q[axis]) * q[3 + axis] : r.F32();
            }
            v.normalIndex = r.U8();
            const int colourIndex = r.U8();
            if (v.normalIndex >= kMeshNormalCount) return Fail(why, "normal index out of range");
            if (colourIndex >= nc) return Fail(why, "colour index out of range");
            v.normal = TableNormal(v.normalIndex);
            v.colour = object.colourTable[size_t(colourIndex)];
            v.u = uv[size_t(i)][0];
            v.v = quantised ? -uv[size_t(i)][1] : uv[size_t(i)][1];
        }
        object.frames.push_back(std::move(frame));
    }
    if (!r.AtEnd()) return Fail(why, "bytes after the last frame");
    return true;
}

bool DecodeText(const std::vector<uint8_t>& bytes, LoadedObject& object, std::string& why) {
    object = LoadedObject();
    std::string text(bytes.begin(), bytes.end());
    const size_t firstEnd = text.find('\n');
    if (firstEnd == std::string::npos) return Fail(why, "one line only");
    std::string first = text.substr(0, firstEnd);
    if (!first.empty() && first.back() == '\r') first.pop_back();
    if (first != "DDDA") return Fail(why, "first line is not DDDA");

    std::vector<double> numbers;
    for (size_t pos = firstEnd + 1; pos < text.size();) {
        const char c = text[pos];
        if (c == '#') {
            pos = text.find('\n', pos);
            if (pos == std::string::npos) break;
        } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++pos;
        } else {
            const size_t end = text.find_first_of(" \t\r\n#", pos);
            const std::string token = text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
            char* stop = nullptr;
            numbers.push_back(std::strtod(token.c_str(), &stop));
            if (*stop != '\0') return Fail(why, "not a number: " + token);
            pos = end == std::string::npos ? text.size() : end;
        }
    }
    size_t next = 0;
    auto take = [&](double& v) {
        if (next >= numbers.size()) return false;
        v = numbers[next++];
        return true;
    };
    auto count = [&](size_t& n) {
        double v;
        if (!take(v) || v < 0 || v != double(size_t(v))) return false;
        n = size_t(v);
        return n <= numbers.size();  // each item needs at least one number
    };
    size_t nt, np, nf;
    if (!take(object.version) || object.version > 1.1) return Fail(why, "bad version");
    if (!count(nt)) return Fail(why, "bad texture count");
    std::vector<std::array<double, 2>> uv(nt);
    for (auto& pair : uv)
        if (!take(pair[0]) || !take(pair[1])) return Fail(why, "short texture list");
    if (!count(np)) return Fail(why, "bad polygon count");
    struct Corner {
        size_t vertex, texture;
    };
    std::vector<std::pair<uint32_t, std::array<Corner, 3>>> triangles(np);
    for (auto& [colour, corners] : triangles) {
        double rgb[3], k;
        for (double& c : rgb)
            if (!take(c) || c < 0 || c > 255) return Fail(why, "bad colour");
        if (!take(k) || k != 3) return Fail(why, "polygon is not a triangle");
        colour = uint32_t(rgb[0]) + uint32_t(rgb[1]) * 256 + uint32_t(rgb[2]) * 65536;
        for (Corner& corner : corners)
            if (!count(corner.vertex) || !count(corner.texture) || corner.texture >= nt)
                return Fail(why, "bad corner");
    }
    if (!count(nf)) return Fail(why, "bad frame count");
    for (size_t f = 0; f < nf; ++f) {
        size_t nv;
        if (!count(nv)) return Fail(why, "bad vertex count");
        std::vector<std::array<double, 6>> records(nv);
        for (auto& record : records)
            for (double& c : record)
                if (!take(c)) return Fail(why, "short vertex list");
        std::vector<LoadedVertex> frame;
        for (const auto& [colour, corners] : triangles) {
            for (const Corner& corner : corners) {
                if (corner.vertex >= nv) return Fail(why, "corner names a missing vertex");
                const auto& rec = records[corner.vertex];
                LoadedVertex v;
                v.position = {float(rec[0]), float(rec[1]), float(rec[2])};
                v.normal = {float(rec[3]), float(rec[4]), float(rec[5])};
                v.u = float(uv[corner.texture][0]);
                v.v = float(-uv[corner.texture][1]);
                v.colour = colour;
                frame.push_back(v);
            }
        }
        object.frames.push_back(std::move(frame));
    }
    if (next != numbers.size()) return Fail(why, "numbers after the last frame");
    return true;
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace tvk::test
