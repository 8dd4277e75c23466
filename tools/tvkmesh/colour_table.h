// The object files name a vertex colour by a one-byte index into the object's colour table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tvk::meshtool {

constexpr size_t kMaxColours = 256;

struct ColourTable {
    std::vector<uint32_t> colours;  // at most kMaxColours, most used first
    std::vector<uint8_t> indices;   // per vertex, into colours
    size_t distinctBefore = 0;      // distinct colours of the input; > colours.size() when reduced
};

// Keeps every colour when there are at most kMaxColours of them; otherwise keeps the most used
// ones and gives every other vertex the nearest kept colour.
ColourTable BuildColourTable(const std::vector<uint32_t>& vertexColours);

}  // namespace tvk::meshtool
