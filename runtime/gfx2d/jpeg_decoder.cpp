#include "gfx2d/jpeg_decoder.h"

#include <cstdio>  // jpeglib.h needs FILE
#include <csetjmp>

#include <jpeglib.h>
#include <jerror.h>

namespace tvk {
namespace {

// Coefficient buffers of progressive pictures beyond this fail instead of exhausting memory.
constexpr long kMaxDecoderMemory = 1024L * 1024 * 1024;

struct ErrorTrap {
    jpeg_error_mgr manager;
    jmp_buf jump;
    bool endedEarly;             // the data ran out before the end marker
    bool lostData;               // part of the picture is missing or wrong
    char text[JMSG_LENGTH_MAX];  // libjpeg's reason for giving up, or its first warning
};

// libjpeg makes do with data that is damaged or ends early, filling the rest with grey; these
// warnings say so. Others (extra bytes between markers, an unknown JFIF version) leave the picture
// whole.
bool LosesPictureData(int code) {
    switch (code) {
        case JWRN_HIT_MARKER: case JWRN_HUFF_BAD_CODE: case JWRN_ARITH_BAD_CODE: case JWRN_MUST_RESYNC:
        case JWRN_NOT_SEQUENTIAL: case JWRN_BOGUS_PROGRESSION:
            return true;
        default:
            return false;
    }
}

// libjpeg's errors end the decode; neither they nor its warnings are printed.
[[noreturn]] void OnError(j_common_ptr info) {
    auto* trap = reinterpret_cast<ErrorTrap*>(info->err);
    (*info->err->format_message)(info, trap->text);
    longjmp(trap->jump, 1);
}
void OnMessage(j_common_ptr info, int level) {
    auto* trap = reinterpret_cast<ErrorTrap*>(info->err);
    if (level >= 0) return;
    const bool endedEarly = info->err->msg_code == JWRN_JPEG_EOF;
    if (!endedEarly && !LosesPictureData(info->err->msg_code)) return;
    if (!trap->endedEarly && !trap->lostData) (*info->err->format_message)(info, trap->text);
    trap->endedEarly |= endedEarly;
    trap->lostData |= !endedEarly;
}

void ExpandRow(const JSAMPLE* src, int32_t width, int components, uint8_t* out) {
    for (int32_t x = 0; x < width; ++x, out += 4, src += components) {
        out[0] = src[0];
        out[1] = src[components == 3 ? 1 : 0];
        out[2] = src[components == 3 ? 2 : 0];
        out[3] = 255;
    }
}

enum class Verdict { Decoded, Refused, Broken };

// Kept apart from DecodeJpeg so that nothing with a destructor lives in the frame that setjmp returns to.
Verdict ReadPicture(jpeg_decompress_struct& info, ErrorTrap& trap, const uint8_t* data, size_t size,
                    RgbaImage& image) {
    if (setjmp(trap.jump)) return Verdict::Broken;
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = kMaxDecoderMemory;
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return Verdict::Broken;
    // A single scan cut short runs out of bits (a lost-data warning); data that ends only where the
    // end marker should be does not. With several scans, data that ends early may lack whole scans.
    const bool severalScans = jpeg_has_multiple_scans(&info);
    if (info.image_width > JDIMENSION(kMaxImageDimension) || info.image_height > JDIMENSION(kMaxImageDimension)) {
        return Verdict::Refused;
    }
    jpeg_start_decompress(&info);
    const int components = info.output_components;
    if (components != 1 && components != 3) return Verdict::Refused;
    if (!image.Allocate(int32_t(info.output_width), int32_t(info.output_height))) return Verdict::Broken;
    JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                                 info.output_width * JDIMENSION(components), 1);
    while (info.output_scanline < info.output_height) {
        const int32_t y = int32_t(info.output_scanline);
        if (jpeg_read_scanlines(&info, row, 1) != 1) return Verdict::Broken;
        ExpandRow(row[0], image.width, components, image.Row(y));
    }
    jpeg_finish_decompress(&info);
    return trap.lostData || (trap.endedEarly && severalScans) ? Verdict::Broken : Verdict::Decoded;
}

}  // namespace

bool DecodeJpeg(const uint8_t* data, size_t size, RgbaImage& image, std::string* problem) {
    image.Clear();
    if (!data || size < 3 || data[0] != 0xFF || data[1] != 0xD8 || data[2] != 0xFF) return false;
    jpeg_decompress_struct info{};
    ErrorTrap trap{};
    info.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = OnError;
    trap.manager.emit_message = OnMessage;
    const Verdict verdict = ReadPicture(info, trap, data, size, image);
    const bool withinLimits = info.image_width <= JDIMENSION(kMaxImageDimension) &&
                              info.image_height <= JDIMENSION(kMaxImageDimension);
    const int components = info.output_components;
    jpeg_destroy_decompress(&info);
    if (verdict == Verdict::Decoded) return true;
    image.Clear();
    if (problem) {
        if (trap.text[0]) *problem = std::string("damaged or unsupported JPEG (") + trap.text + ")";
        else if (!withinLimits) *problem = "JPEG larger than 32767 pixels in one direction";
        else if (verdict == Verdict::Refused) *problem = "JPEG with " + std::to_string(components) + " colour components";
        else *problem = "JPEG too large for memory";
    }
    return false;
}

}  // namespace tvk
