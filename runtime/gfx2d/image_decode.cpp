#include "gfx2d/image_decode.h"

#include <cstdint>
#include <climits>
#include <vector>

#include "files/file_stream.h"
#include "gfx2d/bmp_decoder.h"
#include "gfx2d/jpeg_decoder.h"
#include "gfx2d/png_decoder.h"

namespace tvk {
namespace {

// Reads a whole file or mem:// region through the runtime's file stream. A directory opens but
// cannot be read, so it fails here too.
bool ReadWholeFile(const char* path, std::vector<uint8_t>& bytes) {
    FileStream in;
    if (!in.OpenRead(path)) return false;
    bytes.clear();
    const int64_t size = in.Size();
    if (size > 0 && size <= INT32_MAX) bytes.reserve(static_cast<size_t>(size));
    uint8_t chunk[65536];
    for (;;) {
        const size_t got = in.ReadUpTo(chunk, sizeof chunk);
        bytes.insert(bytes.end(), chunk, chunk + got);
        if (got < sizeof chunk) break;
    }
    return !bytes.empty() || size == 0;
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
