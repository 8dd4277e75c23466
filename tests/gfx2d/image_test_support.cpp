#include "image_test_support.h"

#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/little_endian.h"

namespace tvk::test {

std::string TestDataPath(const std::string& relative) { return std::string(TVK_TESTDATA_DIR) + "/" + relative; }

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Texel At(const RgbaImage& image, int x, int y) {
    const uint8_t* p = image.Pixel(x, y);
    return {p[0], p[1], p[2], p[3]};
}

void Set(RgbaImage& image, int x, int y, Texel texel) { std::memcpy(image.Pixel(x, y), texel.data(), 4); }

namespace {

uint64_t Fingerprint(const RgbaImage& image, int channels) {
    uint64_t hash = 0xcbf29ce484222325ull;
    for (size_t i = 0; i < image.ByteCount(); i += 4) {
        for (int c = 0; c < channels; ++c) {
            hash ^= image.pixels[i + c];
            hash *= 0x100000001b3ull;
        }
    }
    return hash;
}

}  // namespace

uint64_t RgbFingerprint(const RgbaImage& image) { return Fingerprint(image, 3); }
uint64_t RgbaFingerprint(const RgbaImage& image) { return Fingerprint(image, 4); }

RgbaImage ReadPpm(const std::string& path) {
    RgbaImage image;
    std::vector<uint8_t> bytes = ReadBytes(path);
    std::string text(bytes.begin(), bytes.end());
    int width = 0, height = 0, maxval = 0, consumed = 0;
    if (std::sscanf(text.c_str(), "P6 %d %d %d%n", &width, &height, &maxval, &consumed) != 3 || maxval != 255) {
        return image;
    }
    const size_t start = size_t(consumed) + 1;  // one white-space byte ends the header
    if (bytes.size() < start + size_t(width) * height * 3 || !image.Allocate(width, height)) return image;
    for (size_t i = 0; i < size_t(width) * height; ++i) {
        std::memcpy(image.pixels + i * 4, bytes.data() + start + i * 3, 3);
        image.pixels[i * 4 + 3] = 255;
    }
    return image;
}

std::vector<uint8_t> MakeBmp(const BmpSpec& spec) {
    const uint32_t headerSize = spec.os2Header ? 12 : 40;
    const uint32_t entrySize = spec.os2Header ? 3 : 4;
    const uint32_t offset = 14 + headerSize + uint32_t(spec.masks.size()) * 4 +
                            uint32_t(spec.palette.size()) * entrySize;
    std::vector<uint8_t> out = {'B', 'M'};
    Put32(out, 0);  // file size, filled in below
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, headerSize);
    if (spec.os2Header) {
        Put16(out, uint32_t(spec.width));
        Put16(out, uint32_t(spec.height));
        Put16(out, 1);
        Put16(out, spec.bitsPerPixel);
    } else {
        Put32(out, uint32_t(spec.width));
        Put32(out, uint32_t(spec.height));
        Put16(out, 1);
        Put16(out, spec.bitsPerPixel);
        Put32(out, spec.compression);
        Put32(out, 0);
        Put32(out, 2835);
        Put32(out, 2835);
        Put32(out, spec.declaredColours);
        Put32(out, 0);
    }
    for (uint32_t mask : spec.masks) Put32(out, mask);
    for (uint32_t colour : spec.palette) {
        out.push_back(uint8_t(colour));
        out.push_back(uint8_t(colour >> 8));
        out.push_back(uint8_t(colour >> 16));
        if (entrySize == 4) out.push_back(0);
    }
    for (const auto& row : spec.pixelRows) {
        out.insert(out.end(), row.begin(), row.end());
        out.resize((out.size() - offset + 3) / 4 * 4 + offset, 0);
    }
    for (int i = 0; i < 4; ++i) out[2 + i] = uint8_t(out.size() >> (8 * i));
    return out;
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::string WriteBmpFile(const std::string& path, const BmpSpec& spec) {
    WriteBytes(path, MakeBmp(spec));
    return path;
}

}  // namespace tvk::test
