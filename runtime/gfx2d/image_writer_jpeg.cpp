#include <cstdio>  // jpeglib.h needs FILE
#include <csetjmp>
#include <cstdlib>
#include <new>

#include <jpeglib.h>

#include "gfx2d/image_writer.h"

namespace tvk {
namespace {

constexpr int kQuality = 80;

struct EncoderTrap {
    jpeg_error_mgr manager;
    jmp_buf jump;
};

// libjpeg's errors end the encode; neither they nor its warnings are printed.
[[noreturn]] void OnEncoderError(j_common_ptr info) { longjmp(reinterpret_cast<EncoderTrap*>(info->err)->jump, 1); }
void OnEncoderMessage(j_common_ptr) {}

// Kept apart from EncodeJpeg so that nothing with a destructor lives in the frame that setjmp returns to.
// `buffer` and `size` receive libjpeg's output block, which the caller frees.
bool WritePicture(jpeg_compress_struct& info, EncoderTrap& trap, const RgbaImage& image, unsigned char*& buffer,
                  unsigned long& size) {
    if (setjmp(trap.jump)) return false;
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(image.width);
    info.image_height = JDIMENSION(image.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, kQuality, TRUE);
    jpeg_start_compress(&info, TRUE);
    JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                                 JDIMENSION(image.width) * 3, 1);
    while (info.next_scanline < info.image_height) {
        const uint8_t* src = image.Row(int32_t(info.next_scanline));
        JSAMPLE* dest = row[0];
        for (int32_t x = 0; x < image.width; ++x, src += 4, dest += 3) {
            dest[0] = src[0];
            dest[1] = src[1];
            dest[2] = src[2];
        }
        jpeg_write_scanlines(&info, row, 1);
    }
    jpeg_finish_compress(&info);
    return true;
}

}  // namespace

bool EncodeJpeg(const RgbaImage& image, std::vector<uint8_t>& out) {
    out.clear();
    if (image.Empty()) return false;
    jpeg_compress_struct info{};
    EncoderTrap trap{};
    info.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = OnEncoderError;
    trap.manager.output_message = OnEncoderMessage;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool written = WritePicture(info, trap, image, buffer, size);
    jpeg_destroy_compress(&info);
    bool stored = false;
    if (written && buffer) {
        try {
            out.assign(buffer, buffer + size);
            stored = true;
        } catch (const std::bad_alloc&) {
        }
    }
    std::free(buffer);
    return stored;
}

}  // namespace tvk
