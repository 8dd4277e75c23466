// Colours as programs give them: red + green * 256 + blue * 65536 (0xBBGGRR). The bits above
// blue are not part of the colour.
#pragma once

#include <cstdint>

namespace tvk {

struct ColourBytes {
    uint8_t red, green, blue;
};

constexpr ColourBytes SplitColour(uint32_t colour) {
    return {static_cast<uint8_t>(colour & 255), static_cast<uint8_t>((colour >> 8) & 255),
            static_cast<uint8_t>((colour >> 16) & 255)};
}

// Red, green and blue as fractions of 255.
inline void ColourToFloats(uint32_t colour, float rgb[3]) {
    const ColourBytes c = SplitColour(colour);
    rgb[0] = c.red / 255.0f;
    rgb[1] = c.green / 255.0f;
    rgb[2] = c.blue / 255.0f;
}

}  // namespace tvk
