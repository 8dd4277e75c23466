// libFuzzer target: the BMP decoder and the texture preparation of what it decodes.
// Build and run from the repository root (clang only, not part of the normal build):
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I runtime tests/fuzz/image_bmp_fuzz.cpp \
//       runtime/gfx2d/image.cpp runtime/gfx2d/bmp_decoder.cpp runtime/gfx2d/texture_prep.cpp -o image_bmp_fuzz
//   mkdir -p corpus && cp ../shared/testdata/bmpsuite/*/*.bmp corpus/ && ./image_bmp_fuzz -max_total_time=300 corpus
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "gfx2d/bmp_decoder.h"
#include "gfx2d/texture_prep.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tvk::RgbaImage image;
    if (!tvk::DecodeBmp(data, size, 0x8000FF, image)) {
        if (!image.Empty()) std::abort();
        return 0;
    }
    if (image.Empty() || image.capacity < int32_t(image.ByteCount())) std::abort();
    // Small pictures also go through everything an upload does with them.
    if (image.width <= 256 && image.height <= 256) {
        tvk::RgbaImage texture;
        if (!tvk::BuildTexture(image, texture)) std::abort();
        tvk::BleedTransparentEdges(texture);
        tvk::ConvertToNormalMap(texture);
        for (tvk::MipmapChain chain(texture); chain.Next();) {
        }
    }
    return 0;
}
