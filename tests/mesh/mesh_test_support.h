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
    // Writes a file under the scratch directory (making its folders); returns the path given.
    static std::string Write(const std::string& path, const std::string& bytes);
    // The error log's entries without their CR LF, and the log cleared.
    static std::vector<std::string> TakeLog();

    std::string root_;  // absolute, with a trailing "/"

private:
    std::string previousDirectory_, previousTmp_;
};

// Little-endian binary mesh files, field by field.
struct MeshFileWriter {
    MeshFileWriter& Header(double version, int32_t frames, int32_t colours, int32_t pairs);
    MeshFileWriter& U8(uint8_t v) {
        bytes.push_back(char(v));
        return *this;
    }
    MeshFileWriter& U32(uint32_t v) {
        for (int i = 0; i < 4; ++i) U8(uint8_t(v >> (8 * i)));
        return *this;
    }
    MeshFileWriter& F32(float f) {
        uint32_t bits;
        std::memcpy(&bits, &f, 4);
        return U32(bits);
    }
    MeshFileWriter& V2Vertex(float x, float y, float z, uint8_t normal, uint8_t colour) {
        return F32(x).F32(y).F32(z).U8(normal).U8(colour);
    }
    std::string bytes;
};

MeshVertex At(float x, float y, float z);

}  // namespace tvk::test
