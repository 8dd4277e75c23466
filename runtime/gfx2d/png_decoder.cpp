#include "gfx2d/png_decoder.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

namespace tvk {
namespace {

constexpr size_t kSignatureSize = 8;

struct MemoryReader {
    const uint8_t* data;
    size_t size;
    size_t position;
};

void ReadFromMemory(png_structp png, png_bytep out, size_t length) {
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (length > reader->size - reader->position) png_error(png, "read past the end of the data");
    std::memcpy(out, reader->data + reader->position, length);
    reader->position += length;
}

// libpng's errors end the decode; neither they nor its warnings are printed.
[[noreturn]] void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnWarning(png_structp, png_const_charp) {}

enum class Verdict { Decoded, Refused, Broken };

// Kept apart from DecodePng so that nothing with a destructor lives in the frame that setjmp returns to.
Verdict ReadPicture(png_structp png, png_infop info, const char* name, std::vector<png_bytep>& rows,
                    RgbaImage& image, bool& keyable) {
    if (setjmp(png_jmpbuf(png))) return Verdict::Broken;
    png_read_info(png, info);
    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colourType = 0;
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colourType, nullptr, nullptr, nullptr);
    if (colourType != PNG_COLOR_TYPE_GRAY && colourType != PNG_COLOR_TYPE_RGB &&
        colourType != PNG_COLOR_TYPE_RGB_ALPHA) {
        std::printf("File %s has unsupported color type.\n", name);
        std::printf("Types GRAY, RGB and RGB_ALPHA are supported.\n");
        return Verdict::Refused;
    }
    if (bitDepth != 8) {
        std::printf("File %s has bit depth %d.\n", name, bitDepth);
        std::printf("Only bit depth of 8 is supported.\n");
        return Verdict::Refused;
    }
    if (width > png_uint_32(kMaxImageDimension) || height > png_uint_32(kMaxImageDimension)) {
        return Verdict::Refused;
    }

    // Let libpng widen every row to R, G, B, A straight into the image. A transparency chunk is not
    // applied: grey and RGB pictures are opaque apart from the colour key.
    if (colourType == PNG_COLOR_TYPE_GRAY) png_set_gray_to_rgb(png);
    if (colourType != PNG_COLOR_TYPE_RGB_ALPHA) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (!image.Allocate(int32_t(width), int32_t(height))) return Verdict::Broken;
    if (png_get_rowbytes(png, info) != image.RowBytes()) return Verdict::Broken;
    rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y) rows[y] = image.Row(int32_t(y));
    png_read_image(png, rows.data());
    keyable = colourType == PNG_COLOR_TYPE_RGB;
    return Verdict::Decoded;
}

}  // namespace

bool DecodePng(const uint8_t* data, size_t size, const char* name, int32_t colourKey, RgbaImage& image) {
    image.Clear();
    if (!data || size < kSignatureSize || png_sig_cmp(data, 0, kSignatureSize) != 0) return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    MemoryReader reader{data, size, 0};
    png_set_read_fn(png, &reader, ReadFromMemory);
    std::vector<png_bytep> rows;
    bool keyable = false;
    const Verdict verdict = ReadPicture(png, info, name ? name : "", rows, image, keyable);
    png_destroy_read_struct(&png, &info, nullptr);
    if (verdict != Verdict::Decoded) {
        image.Clear();
        return false;
    }
    if (keyable) ApplyColourKey(image, colourKey);
    return true;
}

}  // namespace tvk
