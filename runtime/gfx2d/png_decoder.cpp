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
    if (length > reader->size - reader->position) png_error(png, "file cut short");
    std::memcpy(out, reader->data + reader->position, length);
    reader->position += length;
}

// libpng's own reason for giving up, kept for the caller.
struct LibpngError {
    char text[128];
};

// libpng's errors end the decode; neither they nor its warnings are printed here.
[[noreturn]] void OnError(png_structp png, png_const_charp message) {
    auto* error = static_cast<LibpngError*>(png_get_error_ptr(png));
    if (error) std::snprintf(error->text, sizeof error->text, "%s", message ? message : "");
    png_longjmp(png, 1);
}
void OnWarning(png_structp, png_const_charp) {}

enum class Verdict { Decoded, Refused, Broken };

// Every colour type and depth is widened by libpng to 8-bit R, G, B, A: palettes to colours,
// grey to three equal channels, 1, 2 and 4 bits to 8, 16 bits to their high byte, a transparency
// chunk to alpha and the rest opaque.
void RequestRgba8(png_structp png, png_infop info, int colourType, int bitDepth) {
    const bool transparencyChunk = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (transparencyChunk) png_set_tRNS_to_alpha(png);
    if (bitDepth == 16) png_set_strip_16(png);
    if (!(colourType & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(png);
    if (!(colourType & PNG_COLOR_MASK_ALPHA) && !transparencyChunk) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
}

// Kept apart from DecodePng so that nothing with a destructor lives in the frame that setjmp returns to.
Verdict ReadPicture(png_structp png, png_infop info, const char* name, std::vector<png_bytep>& rows,
                    RgbaImage& image, bool& keyable, char* problem, size_t problemSize) {
    if (setjmp(png_jmpbuf(png))) return Verdict::Broken;
    png_read_info(png, info);
    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colourType = 0;
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colourType, nullptr, nullptr, nullptr);
    if (width > png_uint_32(kMaxImageDimension) || height > png_uint_32(kMaxImageDimension)) {
        std::snprintf(problem, problemSize, "%u x %u pixels, more than %d in one direction", unsigned(width),
                      unsigned(height), int(kMaxImageDimension));
        return Verdict::Refused;
    }
    RequestRgba8(png, info, colourType, bitDepth);
    // libpng widens every valid type; the old notes stay for anything it might still hand on.
    if (png_get_channels(png, info) != 4) {
        std::printf("File %s has unsupported color type.\n", name);
        std::printf("Types GRAY, RGB and RGB_ALPHA are supported.\n");
        std::snprintf(problem, problemSize, "unsupported PNG colour type %d", colourType);
        return Verdict::Refused;
    }
    if (png_get_bit_depth(png, info) != 8) {
        std::printf("File %s has bit depth %d.\n", name, bitDepth);
        std::printf("Only bit depth of 8 is supported.\n");
        std::snprintf(problem, problemSize, "unsupported PNG bit depth %d", bitDepth);
        return Verdict::Refused;
    }
    if (!image.Allocate(int32_t(width), int32_t(height))) return Verdict::Broken;
    if (png_get_rowbytes(png, info) != image.RowBytes()) return Verdict::Broken;
    rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y) rows[y] = image.Row(int32_t(y));
    png_read_image(png, rows.data());
    // The colour key is for colour pictures without alpha of their own; grey ones stay opaque.
    keyable = (colourType & PNG_COLOR_MASK_COLOR) && !(colourType & PNG_COLOR_MASK_ALPHA);
    return Verdict::Decoded;
}

}  // namespace

bool DecodePng(const uint8_t* data, size_t size, const char* name, int32_t colourKey, RgbaImage& image,
               std::string* problem) {
    image.Clear();
    if (!data || size < kSignatureSize || png_sig_cmp(data, 0, kSignatureSize) != 0) return false;
    LibpngError error{};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &error, OnError, OnWarning);
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
    char refusal[128] = "";
    const Verdict verdict = ReadPicture(png, info, name ? name : "", rows, image, keyable, refusal, sizeof refusal);
    png_destroy_read_struct(&png, &info, nullptr);
    if (verdict != Verdict::Decoded) {
        image.Clear();
        if (problem) {
            if (verdict == Verdict::Refused) *problem = refusal;
            else if (error.text[0]) *problem = std::string("damaged or unsupported PNG (") + error.text + ")";
            else *problem = "PNG too large for memory";
        }
        return false;
    }
    if (keyable) ApplyColourKey(image, colourKey);
    return true;
}

}  // namespace tvk
