// An independent reading of the object files the converter writes, strict about lengths, so the
// tests check the bytes against the format rather than against the writer's own code.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tvk::test {

struct LoadedVertex {
    std::array<float, 3> position;
    std::array<float, 3> normal;  // from the normal table for binary files, as written for text
    int normalIndex = -1;         // binary files only
    float u = 0, v = 0;           // as a reader ends up with them (v negated for version 1 and text)
    uint32_t colour = 0;
};

struct LoadedObject {
    double version = 0;
    std::vector<uint32_t> colourTable;  // binary files only
    std::vector<std::vector<LoadedVertex>> frames;
    // Version 1 only: per frame the three offsets and the three scales.
    std::vector<std::array<float, 6>> quantisation;
};

// Both return false with a reason when the bytes do not follow the format exactly.
bool DecodeBinary(const std::vector<uint8_t>& bytes, LoadedObject& object, std::string& why);
// Text files: polygons must be triangles; the result holds their corners without markers.
bool DecodeText(const std::vector<uint8_t>& bytes, LoadedObject& object, std::string& why);

std::vector<uint8_t> ReadBytes(const std::string& path);

}  // namespace tvk::test
