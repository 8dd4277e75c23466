// Helpers for the mesh tests: a scratch directory that is current and holds the error log, and
// a writer for binary mesh files.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "mesh/mesh_object.h"

namespace tvk::test {

class MeshScratch : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes bytes to a file under the scratch directory; returns the path given.
    static std::string Write(const std::string& path, const std::string& bytes);
    static std::string Write(const std::string& path, const std::vector<uint8_t>& bytes);
    // The error log's entries, without their CR LF; empty when there is no log.
    static std::vector<std::string> LogLines();
    static void ClearLog();

    std::string root_;  // absolute, with a trailing "/"

private:
    std::string previousDirectory_;
    std::string previousTmp_;
};

// Binary mesh files, little-endian, built field by field.
class MeshFileWriter {
public:
    MeshFileWriter& Header(double version, int32_t frames, int32_t colours, int32_t pairs, int32_t magic = 13021975);
    MeshFileWriter& U8(uint8_t v) {
        bytes.push_back(v);
        return *this;
    }
    MeshFileWriter& U32(uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes.push_back(uint8_t(v >> (8 * i)));
        return *this;
    }
    MeshFileWriter& F32(float f) {
        uint32_t bits;
        std::memcpy(&bits, &f, 4);
        return U32(bits);
    }
    MeshFileWriter& Pair(float u, float v) { return F32(u).F32(v); }
    MeshFileWriter& V2Vertex(float x, float y, float z, uint8_t normal, uint8_t colour) {
        return F32(x).F32(y).F32(z).U8(normal).U8(colour);
    }
    MeshFileWriter& V1Frame(int32_t count, float o, float s) {
        U32(uint32_t(count));
        for (int i = 0; i < 3; ++i) F32(o);
        for (int i = 0; i < 3; ++i) F32(s);
        return *this;
    }
    MeshFileWriter& V1Vertex(uint8_t x, uint8_t y, uint8_t z, uint8_t normal, uint8_t colour) {
        return U8(x).U8(y).U8(z).U8(normal).U8(colour);
    }
    std::vector<uint8_t> bytes;
};

MeshVertex At(float x, float y, float z);

}  // namespace tvk::test
