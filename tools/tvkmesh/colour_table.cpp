#include "colour_table.h"

#include <algorithm>
#include <limits>
#include <unordered_map>

namespace tvk::meshtool {

namespace {

// Values above 24 bits are drawing markers in a loaded object, never colours of a model.
constexpr uint32_t kColourMask = 0xFFFFFF;

int Channel(uint32_t colour, int shift) { return static_cast<int>((colour >> shift) & 0xFF); }

int DistanceSquared(uint32_t a, uint32_t b) {
    int total = 0;
    for (int shift : {0, 8, 16}) {
        const int d = Channel(a, shift) - Channel(b, shift);
        total += d * d;
    }
    return total;
}

}  // namespace

ColourTable BuildColourTable(const std::vector<uint32_t>& vertexColours) {
    std::unordered_map<uint32_t, size_t> uses;
    std::vector<uint32_t> order;  // first appearance, so equal counts keep the model's order
    for (uint32_t colour : vertexColours) {
        if (uses[colour & kColourMask]++ == 0) order.push_back(colour & kColourMask);
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](uint32_t a, uint32_t b) { return uses[a] > uses[b]; });

    ColourTable table;
    table.distinctBefore = order.size();
    table.colours.assign(order.begin(), order.begin() + std::min(order.size(), kMaxColours));

    std::unordered_map<uint32_t, uint8_t> indexOf;
    for (size_t i = 0; i < table.colours.size(); ++i) indexOf[table.colours[i]] = static_cast<uint8_t>(i);
    for (size_t i = table.colours.size(); i < order.size(); ++i) {
        int best = std::numeric_limits<int>::max();
        uint8_t bestIndex = 0;
        for (size_t k = 0; k < table.colours.size(); ++k) {
            const int d = DistanceSquared(order[i], table.colours[k]);
            if (d < best) {
                best = d;
                bestIndex = static_cast<uint8_t>(k);
            }
        }
        indexOf[order[i]] = bestIndex;
    }
    table.indices.reserve(vertexColours.size());
    for (uint32_t colour : vertexColours) table.indices.push_back(indexOf[colour & kColourMask]);
    return table;
}

}  // namespace tvk::meshtool
