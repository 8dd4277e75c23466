#include "gfx2d/jpeg_decoder.h"

#include <cstdio>  // jpeglib.h needs FILE
#include <csetjmp>

#include <jpeglib.h>

namespace tvk {
namespace {

// Coefficient buffers of progressive pictures beyond this fail instead of exhausting memory.
constexpr long kMaxDecoderMemory = 1024L * 1024 * 1024;

struct ErrorTrap {
    jpeg_error_mgr manager;
    jmp_buf jump;
};

// libjpeg's errors end the decode; neither they nor its warnings are printed.
[[noreturn]] void OnError(j_common_ptr info) { longjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump, 1); }
void OnMessage(j_common_ptr) {}

void ExpandRow(const JSAMPLE* src, int32_t width, int components, uint8_t* out) {
    for (int32_t x = 0; x < width; ++x, out += 4, src += components) {
        out[0] = src[0];
        out[1] = src[components == 3 ? 1 : 0];
        out[2] = src[components == 3 ? 2 : 0];
        out[3] = 255;
    }
}

// Kept apart from DecodeJpeg so that nothing with a destructor lives in the frame that setjmp returns to.
bool ReadPicture(jpeg_decompress_struct& info, ErrorTrap& trap, const uint8_t* data, size_t size,
                 RgbaImage& image) {
    if (setjmp(trap.jump)) return false;
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = kMaxDecoderMemory;
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
    if (info.image_width > JDIMENSION(kMaxImageDimension) || info.image_height > JDIMENSION(kMaxImageDimension)) {
        return false;
    }
    jpeg_start_decompress(&info);
    const int components = info.output_components;
    if (components != 1 && components != 3) return false;
    if (!image.Allocate(int32_t(info.output_width), int32_t(info.output_height))) return false;
    JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                                 info.output_width * JDIMENSION(components), 1);
    while (info.output_scanline < info.output_height) {
        const int32_t y = int32_t(info.output_scanline);
        if (jpeg_read_scanlines(&info, row, 1) != 1) return false;
        ExpandRow(row[0], image.width, components, image.Row(y));
    }
    jpeg_finish_decompress(&info);
    return true;
}

}  // namespace

bool DecodeJpeg(const uint8_t* data, size_t size, RgbaImage& image) {
    image.Clear();
    if (!data || size < 3 || data[0] != 0xFF || data[1] != 0xD8 || data[2] != 0xFF) return false;
    jpeg_decompress_struct info{};
    ErrorTrap trap{};
    info.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = OnError;
    trap.manager.output_message = OnMessage;
    const bool decoded = ReadPicture(info, trap, data, size, image);
    jpeg_destroy_decompress(&info);
    if (!decoded) image.Clear();
    return decoded;
}

}  // namespace tvk
