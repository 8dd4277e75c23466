// Shared helpers of the picture tests: test files, pixel fingerprints and hand-made BMPs.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "gfx2d/image.h"

namespace tvk::test {

std::string TestDataPath(const std::string& relative);
std::vector<uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

using Texel = std::array<uint8_t, 4>;
Texel At(const RgbaImage& image, int x, int y);
void Set(RgbaImage& image, int x, int y, Texel texel);

// 64-bit FNV-1a over the R, G, B bytes of every pixel (alpha left out), or over R, G, B, A.
uint64_t RgbFingerprint(const RgbaImage& image);
uint64_t RgbaFingerprint(const RgbaImage& image);

// A binary PPM (P6, maxval 255) as an opaque image; empty when the file is not one.
RgbaImage ReadPpm(const std::string& path);

// An uncompressed BMP with a Windows header. `pixelRows` are the stored rows, in file order, unpadded;
// rows are padded to 4 bytes here.
struct BmpSpec {
    int32_t width = 1;
    int32_t height = 1;  // negative: top-down
    uint16_t bitsPerPixel = 24;
    uint32_t compression = 0;
    std::vector<uint32_t> masks;         // written after the header when present
    std::vector<uint32_t> palette;       // 0x00RRGGBB entries, written B, G, R, 0
    uint32_t declaredColours = 0;        // the header's colour count
    bool os2Header = false;              // 12-byte header, 3-byte palette entries
    std::vector<std::vector<uint8_t>> pixelRows;
};
std::vector<uint8_t> MakeBmp(const BmpSpec& spec);
// Writes MakeBmp(spec) to path and returns the path.
std::string WriteBmpFile(const std::string& path, const BmpSpec& spec);

}  // namespace tvk::test
