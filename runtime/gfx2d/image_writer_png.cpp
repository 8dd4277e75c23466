#include <png.h>

#include <csetjmp>
#include <new>

#include "gfx2d/image_writer.h"

namespace tvk {
namespace {

void AppendToVector(png_structp png, png_bytep data, size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    bool stored = true;
    try {
        out->insert(out->end(), data, data + length);
    } catch (const std::bad_alloc&) {
        stored = false;
    }
    if (!stored) png_error(png, "out of memory");
}
void FlushNothing(png_structp) {}

// libpng's errors end the encode; neither they nor its warnings are printed.
[[noreturn]] void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnWarning(png_structp, png_const_charp) {}

// Kept apart from EncodePng so that nothing with a destructor lives in the frame that setjmp returns to.
bool WritePicture(png_structp png, png_infop info, const RgbaImage& image, std::vector<uint8_t>& out) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_write_fn(png, &out, AppendToVector, FlushNothing);
    png_set_IHDR(png, info, png_uint_32(image.width), png_uint_32(image.height), 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int32_t y = 0; y < image.height; ++y) png_write_row(png, image.Row(y));
    png_write_end(png, info);
    return true;
}

}  // namespace

bool EncodePng(const RgbaImage& image, std::vector<uint8_t>& out) {
    out.clear();
    if (image.Empty()) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    const bool written = info && WritePicture(png, info, image, out);
    png_destroy_write_struct(&png, info ? &info : nullptr);
    if (!written) out.clear();
    return written;
}

}  // namespace tvk
