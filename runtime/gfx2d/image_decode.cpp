#include "gfx2d/image_decode.h"

#include <cstdint>
#include <climits>
#include <vector>

#include "base/error_log.h"
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
                 ImageFormats formats, std::string* problem) {
    // Each decoder claims only data of its own format, so at most one of them says what is wrong.
    if (DecodeBmp(data, size, colourKey, image, problem)) return true;
    if (DecodePng(data, size, name, colourKey, image, problem)) return true;
    if (formats == ImageFormats::All && DecodeJpeg(data, size, image, problem)) return true;
    if (problem && problem->empty())
        *problem = formats == ImageFormats::All ? "not a BMP, PNG or JPEG picture" : "not a BMP or PNG picture";
    return false;
}

bool DecodeImageFile(const char* path, int32_t colourKey, RgbaImage& image, ImageFormats formats,
                     const char* shownName) {
    image.Clear();
    std::vector<uint8_t> bytes;
    if (!path || !ReadWholeFile(path, bytes)) return false;
    std::string problem;
    if (DecodeImage(bytes.data(), bytes.size(), path, colourKey, image, formats, &problem)) return true;
    ReportToUser(std::string(shownName ? shownName : path) + ": " + problem);
    return false;
}

}  // namespace tvk
