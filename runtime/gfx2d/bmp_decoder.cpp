#include "gfx2d/bmp_decoder.h"

#include <algorithm>
#include <string>

namespace tvk {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kWindowsHeaderSize = 40;
constexpr uint32_t kOs2HeaderSize = 12;
constexpr uint32_t kUncompressed = 0;
constexpr uint32_t kBitFields = 3;

uint16_t Read16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t Read32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }

struct BmpLayout {
    int64_t width = 0;
    int64_t rows = 0;
    bool topDown = false;
    uint32_t bitsPerPixel = 0;
    uint64_t pixelOffset = 0;
    uint64_t stride = 0;          // bytes per stored row, padded to 4
    uint64_t paletteOffset = 0;
    uint32_t paletteEntrySize = 4;
    uint32_t paletteCount = 0;    // entries usable by pixel indices
};

// Bit fields are accepted only where they say what the plain format says anyway; any other mask would be
// decoded into wrong colours.
bool HasPlainMasks(const uint8_t* masks, uint32_t bitsPerPixel) {
    const uint32_t r = Read32(masks), g = Read32(masks + 4), b = Read32(masks + 8);
    if (bitsPerPixel == 16) return r == 0x7C00 && g == 0x03E0 && b == 0x001F;
    if (bitsPerPixel == 32) return r == 0xFF0000 && g == 0xFF00 && b == 0xFF;
    return false;
}

bool IsBmp(const uint8_t* data, size_t size) { return size >= 2 && data[0] == 'B' && data[1] == 'M'; }

constexpr const char* kCutShort = "BMP file cut short";

// The file-size, image-size and resolution fields are not read: the pixels are found from the
// offset, width, height and depth alone, and checked against the real size of the data.
bool ReadLayout(const uint8_t* data, size_t size, BmpLayout& layout, std::string& problem) {
    if (size < kFileHeaderSize + 4) {
        problem = kCutShort;
        return false;
    }
    layout.pixelOffset = Read32(data + 10);
    const uint32_t headerSize = Read32(data + 14);
    uint64_t headerEnd = kFileHeaderSize + headerSize;
    uint32_t declaredColours = 0;
    uint32_t planes = 1;
    if (headerSize == kWindowsHeaderSize) {
        if (size < headerEnd) {
            problem = kCutShort;
            return false;
        }
        layout.width = int32_t(Read32(data + 18));
        const int64_t height = int32_t(Read32(data + 22));
        layout.topDown = height < 0;
        layout.rows = height < 0 ? -height : height;
        planes = Read16(data + 26);
        layout.bitsPerPixel = Read16(data + 28);
        const uint32_t compression = Read32(data + 30);
        declaredColours = Read32(data + 46);
        if (compression == kBitFields) {
            if (size < headerEnd + 12 || !HasPlainMasks(data + headerEnd, layout.bitsPerPixel)) {
                problem = "unsupported BMP bit fields";
                return false;
            }
            headerEnd += 12;
        } else if (compression != kUncompressed) {
            problem = "unsupported BMP compression " + std::to_string(compression) +
                      (compression == 1 || compression == 2 ? " (run-length encoded)" : "");
            return false;
        }
    } else if (headerSize == kOs2HeaderSize) {
        if (size < headerEnd) {
            problem = kCutShort;
            return false;
        }
        layout.width = Read16(data + 18);
        layout.rows = Read16(data + 20);
        planes = Read16(data + 22);
        layout.bitsPerPixel = Read16(data + 24);
        layout.paletteEntrySize = 3;
    } else {
        problem = "unsupported BMP header of " + std::to_string(headerSize) + " bytes";
        return false;
    }

    // A BMP has exactly one plane; another count means the header is not what it claims.
    if (planes != 1) {
        problem = "BMP with " + std::to_string(planes) + " colour planes";
        return false;
    }
    switch (layout.bitsPerPixel) {
        case 1: case 4: case 8: case 16: case 24: case 32: break;
        default:
            problem = "unsupported BMP depth of " + std::to_string(layout.bitsPerPixel) + " bits per pixel";
            return false;
    }
    if (layout.width <= 0 || layout.rows <= 0 || layout.width > kMaxImageDimension ||
        layout.rows > kMaxImageDimension) {
        problem = "BMP of " + std::to_string(layout.width) + " x " + std::to_string(layout.rows) + " pixels";
        return false;
    }

    // The pixel rows must follow the headers and lie inside the data; the last row may lack its padding.
    layout.stride = (uint64_t(layout.width) * layout.bitsPerPixel + 31) / 32 * 4;
    const uint64_t lastRowBytes = (uint64_t(layout.width) * layout.bitsPerPixel + 7) / 8;
    if (layout.pixelOffset < headerEnd ||
        layout.pixelOffset + layout.stride * uint64_t(layout.rows - 1) + lastRowBytes > size) {
        problem = "BMP pixels outside the file (cut short or a wrong offset)";
        return false;
    }

    if (layout.bitsPerPixel <= 8) {
        // The palette sits between the headers and the pixels. OS/2 headers carry no colour count, so
        // the gap tells it; a Windows header's count (0 = all) must fit that gap.
        const uint32_t maxColours = 1u << layout.bitsPerPixel;
        const uint64_t room = (layout.pixelOffset - headerEnd) / layout.paletteEntrySize;
        uint64_t colours;
        if (headerSize == kOs2HeaderSize) {
            colours = std::min<uint64_t>(maxColours, room);
        } else {
            colours = declaredColours ? declaredColours : maxColours;
            if (colours > room) {
                problem = "BMP palette larger than the room before its pixels";
                return false;
            }
        }
        if (colours == 0) {
            problem = "BMP without a palette";
            return false;
        }
        layout.paletteOffset = headerEnd;
        layout.paletteCount = uint32_t(std::min<uint64_t>(colours, maxColours));
    }
    return true;
}

struct Palette {
    uint8_t rgb[256][3];
    uint32_t count;
};

void ReadPalette(const uint8_t* data, const BmpLayout& layout, Palette& palette) {
    const uint8_t* entry = data + layout.paletteOffset;
    for (uint32_t i = 0; i < layout.paletteCount; ++i, entry += layout.paletteEntrySize) {
        palette.rgb[i][0] = entry[2];  // stored B, G, R
        palette.rgb[i][1] = entry[1];
        palette.rgb[i][2] = entry[0];
    }
    palette.count = layout.paletteCount;
}

// Writes one row of palette indices; false when an index has no palette entry.
bool DecodeIndexedRow(const uint8_t* src, int32_t width, uint32_t bits, const Palette& palette, uint8_t* out) {
    const uint32_t perByte = 8 / bits;
    const uint32_t mask = (1u << bits) - 1;
    for (int32_t x = 0; x < width; ++x, out += 4) {
        const uint32_t shift = 8 - bits * (uint32_t(x) % perByte + 1);
        const uint32_t index = (src[uint32_t(x) / perByte] >> shift) & mask;
        if (index >= palette.count) return false;
        out[0] = palette.rgb[index][0];
        out[1] = palette.rgb[index][1];
        out[2] = palette.rgb[index][2];
        out[3] = 255;
    }
    return true;
}

void DecodeDirectRow(const uint8_t* src, int32_t width, uint32_t bits, uint8_t* out) {
    switch (bits) {
        case 16:
            for (int32_t x = 0; x < width; ++x, src += 2, out += 4) {
                const uint32_t v = Read16(src);
                out[0] = uint8_t(((v >> 10) & 31) * 255 / 31);
                out[1] = uint8_t(((v >> 5) & 31) * 255 / 31);
                out[2] = uint8_t((v & 31) * 255 / 31);
                out[3] = 255;
            }
            break;
        case 24:
        case 32: {
            const uint32_t step = bits / 8;
            for (int32_t x = 0; x < width; ++x, src += step, out += 4) {
                out[0] = src[2];
                out[1] = src[1];
                out[2] = src[0];
                out[3] = 255;  // the fourth byte of 32-bit pixels is not alpha
            }
            break;
        }
    }
}

}  // namespace

bool DecodeBmp(const uint8_t* data, size_t size, int32_t colourKey, RgbaImage& image, std::string* problem) {
    image.Clear();
    if (!data || !IsBmp(data, size)) return false;
    BmpLayout layout;
    std::string refusal;
    if (!ReadLayout(data, size, layout, refusal)) {
        if (problem) *problem = refusal;
        return false;
    }
    if (!image.Allocate(int32_t(layout.width), int32_t(layout.rows))) {
        if (problem) *problem = "BMP too large for memory";
        return false;
    }

    Palette palette{};
    if (layout.bitsPerPixel <= 8) ReadPalette(data, layout, palette);
    for (int32_t y = 0; y < image.height; ++y) {
        const int64_t stored = layout.topDown ? y : layout.rows - 1 - y;
        const uint8_t* src = data + layout.pixelOffset + uint64_t(stored) * layout.stride;
        if (layout.bitsPerPixel <= 8) {
            if (!DecodeIndexedRow(src, image.width, layout.bitsPerPixel, palette, image.Row(y))) {
                image.Clear();
                if (problem) *problem = "BMP pixel beyond the end of its palette";
                return false;
            }
        } else {
            DecodeDirectRow(src, image.width, layout.bitsPerPixel, image.Row(y));
        }
    }
    ApplyColourKey(image, colourKey);
    return true;
}

}  // namespace tvk
