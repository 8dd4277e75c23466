#include "gfx2d/image_decode.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "gfx2d/bmp_decoder.h"
#include "gfx2d/jpeg_decoder.h"
#include "gfx2d/png_decoder.h"

namespace tvk {
namespace {

// Whole-file read with C stdio. A directory opens but cannot be read, so it fails here too.
bool ReadWholeFile(const char* path, std::vector<uint8_t>& bytes) {
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return false;
    bytes.clear();
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long length = std::ftell(file);
        if (length > 0 && length <= INT32_MAX) bytes.reserve(size_t(length));  // a directory reports nonsense
        std::rewind(file);
    }
    uint8_t chunk[65536];
    bool ok = true;
    for (;;) {
        const size_t got = std::fread(chunk, 1, sizeof chunk, file);
        bytes.insert(bytes.end(), chunk, chunk + got);
        if (got < sizeof chunk) {
            ok = !std::ferror(file);
            break;
        }
    }
    std::fclose(file);
    return ok;
}

}  // namespace

bool DecodeImage(const uint8_t* data, size_t size, const char* name, int32_t colourKey, RgbaImage& image,
                 ImageFormats formats) {
    if (DecodeBmp(data, size, colourKey, image)) return true;
    if (DecodePng(data, size, name, colourKey, image)) return true;
    if (formats == ImageFormats::All && DecodeJpeg(data, size, image)) return true;
    return false;
}

bool DecodeImageFile(const char* path, int32_t colourKey, RgbaImage& image, ImageFormats formats) {
    image.Clear();
    std::vector<uint8_t> bytes;
    if (!path || !ReadWholeFile(path, bytes)) return false;
    return DecodeImage(bytes.data(), bytes.size(), path, colourKey, image, formats);
}

}  // namespace tvk
