#include <cstring>

#include "gfx2d/image_writer.h"

namespace tvk {
namespace {

constexpr size_t kHeaderBytes = 54;  // 14-byte file header + 40-byte info header

void Put16(uint8_t* p, uint32_t v) {
    p[0] = v & 255;
    p[1] = (v >> 8) & 255;
}
void Put32(uint8_t* p, uint32_t v) {
    Put16(p, v);
    Put16(p + 2, v >> 16);
}

}  // namespace

bool EncodeBmp(const RgbaImage& image, std::vector<uint8_t>& out) {
    out.clear();
    if (image.Empty()) return false;
    const size_t rowBytes = (size_t(image.width) * 3 + 3) & ~size_t(3);
    const size_t fileSize = kHeaderBytes + rowBytes * size_t(image.height);
    if (fileSize > 0xFFFFFFFFu) return false;  // the header cannot state the size
    out.assign(fileSize, 0);
    uint8_t* h = out.data();
    h[0] = 0x42;
    h[1] = 0x4D;
    Put32(h + 2, static_cast<uint32_t>(fileSize));
    Put32(h + 10, kHeaderBytes);
    Put32(h + 14, 40);
    Put32(h + 18, static_cast<uint32_t>(image.width));
    Put32(h + 22, static_cast<uint32_t>(image.height));
    Put16(h + 26, 1);
    Put16(h + 28, 24);
    Put32(h + 38, 10000);  // pixels per metre
    Put32(h + 42, 10000);
    for (int32_t y = 0; y < image.height; ++y) {
        uint8_t* dest = out.data() + kHeaderBytes + rowBytes * size_t(image.height - 1 - y);
        const uint8_t* src = image.Row(y);
        for (int32_t x = 0; x < image.width; ++x, src += 4, dest += 3) {
            // The format has no alpha: see-through pixels get a colour no picture is likely to use.
            static constexpr uint8_t kSeeThrough[3] = {255, 0, 128};
            if (src[3] == 255) {
                dest[0] = src[2];
                dest[1] = src[1];
                dest[2] = src[0];
            } else {
                std::memcpy(dest, kSeeThrough, 3);
            }
        }
    }
    return true;
}

}  // namespace tvk
