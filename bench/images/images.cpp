// Loading a 1024 × 1024 PNG into a sprite slot against the least a loader must do: decode it with
// libpng and upload one texture level. Prints both, and where LoadSprite's time goes.
//   build/bench/images/bench_images [runs]
#include <GL/gl.h>
#include <png.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <type_traits>
#include <vector>

#include "core/display.h"
#include "gfx2d/image_decode.h"
#include "gfx2d/renderer.h"
#include "gfx2d/sprite_slots.h"
#include "gfx2d/texture_prep.h"
#include "tarnvik/gfx2d.h"

namespace {

constexpr int kSize = 1024;

// Processor time of this thread: the machine may be shared, and waiting for it is not our cost.
double NowMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// The median time of `runs` calls, in milliseconds. Work that returns a number times itself.
template <class Work>
double Median(int runs, Work work) {
    std::vector<double> times;
    for (int n = 0; n < runs; ++n) {
        double start = NowMs();
        if constexpr (std::is_same_v<decltype(work()), double>) {
            times.push_back(work());
        } else {
            work();
            times.push_back(NowMs() - start);
        }
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// A sprite-like picture: a shaded, slightly grainy disc with holes, transparent around it.
std::vector<uint8_t> MakePicture() {
    std::vector<uint8_t> rgba(size_t(kSize) * kSize * 4);
    uint32_t seed = 12345;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            seed = seed * 1664525u + 1013904223u;
            uint8_t* p = &rgba[(size_t(y) * kSize + x) * 4];
            double dx = x - 512.0, dy = y - 512.0;
            bool inside = dx * dx + dy * dy < 480.0 * 480.0 && ((x / 64 + y / 64) % 7 != 0);
            int grain = int(seed >> 28) - 8;
            p[0] = uint8_t(std::clamp(x / 4 + grain, 0, 255));
            p[1] = uint8_t(std::clamp(y / 4 + grain, 0, 255));
            p[2] = uint8_t(std::clamp(int(128 + 100 * std::sin(x * 0.02 + y * 0.01)) + grain, 0, 255));
            p[3] = inside ? 255 : 0;
        }
    return rgba;
}

bool WritePng(const std::string& path, const std::vector<uint8_t>& rgba) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, kSize, kSize, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < kSize; ++y) png_write_row(png, &rgba[size_t(y) * kSize * 4]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

// libpng on its own, straight into one buffer.
bool DecodeWithLibpng(const std::string& path, std::vector<uint8_t>& rgba) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<png_bytep> rows(kSize);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_read_info(png, info);
    rgba.resize(size_t(kSize) * kSize * 4);
    for (int y = 0; y < kSize; ++y) rows[size_t(y)] = &rgba[size_t(y) * kSize * 4];
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return true;
}

void UploadOneLevel(const uint8_t* pixels, int width, int height, int level = 0) {
    glTexImage2D(GL_TEXTURE_2D, level, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    tvk::SetHiddenRun(true);
    tvk::g_renderer = new tvk::OpenGLDodurudo;
    if (!tvk::CreateDisplay(tvk::g_renderer, 320, 240, 0, 60, 0)) {
        std::fprintf(stderr, "no GL display\n");
        return 1;
    }
    const std::string path = "/tmp/tvk_bench_images_" + std::to_string(getpid()) + ".png";
    if (!WritePng(path, MakePicture())) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 1;
    }

    const RtString file(path.c_str());
    double loadSprite = Median(runs, [&] {
        LoadSprite(file, 0);
        glFinish();
    });

    // Each run starts from nothing, as a loader does: fresh buffers, a fresh texture name.
    double baseline = Median(runs, [&] {
        std::vector<uint8_t> rgba;
        DecodeWithLibpng(path, rgba);
        GLuint name = 0;
        glGenTextures(1, &name);
        glBindTexture(GL_TEXTURE_2D, name);
        UploadOneLevel(rgba.data(), kSize, kSize);
        glFinish();
        glDeleteTextures(1, &name);
    });

    // The stages of LoadSprite one by one, each from fresh buffers as LoadSprite has them.
    tvk::RgbaImage image, texture;
    double decode = Median(runs, [&] {
        tvk::RgbaImage fresh;
        tvk::DecodeImageFile(path.c_str(), tvk::kDefaultTransparentColour, fresh);
        image = std::move(fresh);
    });
    double build = Median(runs, [&] {
        tvk::RgbaImage fresh;
        tvk::BuildTexture(image, fresh);
    });
    tvk::BuildTexture(image, texture);
    tvk::RgbaImage bled;
    double bleed = Median(runs, [&] {
        bled.Allocate(texture.width, texture.height);
        std::copy(texture.pixels, texture.pixels + texture.ByteCount(), bled.pixels);
        double start = NowMs();
        tvk::BleedTransparentEdges(bled);
        return NowMs() - start;
    });
    double mipmaps = Median(runs, [&] {
        for (tvk::MipmapChain chain(bled); chain.Next();) {
        }
    });
    auto upload = [&](bool mipmapped) {
        GLuint name = 0;
        glGenTextures(1, &name);
        glBindTexture(GL_TEXTURE_2D, name);
        for (int level = 0, size = kSize; size >= 1 && (mipmapped || level == 0); ++level, size /= 2)
            UploadOneLevel(bled.pixels, size, size, level);  // level sizes matter, not contents
        glFinish();
        glDeleteTextures(1, &name);
    };
    double plainUpload = Median(runs, [&] { upload(false); });
    double mipUpload = Median(runs, [&] { upload(true); });
    tvk::ResetSlot(0);

    std::printf("1024 x 1024 RGBA PNG, median of %d runs, processor time\n", runs);
    std::printf("  LoadSprite                         %8.2f ms\n", loadSprite);
    std::printf("  libpng decode + one glTexImage2D   %8.2f ms\n", baseline);
    std::printf("  ratio                              %8.2f\n", loadSprite / baseline);
    std::printf("where LoadSprite's time goes:\n");
    std::printf("  decode (file read + PNG)           %8.2f ms\n", decode);
    std::printf("  texture build (flip into buffer)   %8.2f ms\n", build);
    std::printf("  edge bleeding                      %8.2f ms\n", bleed);
    std::printf("  mipmap levels (CPU)                %8.2f ms\n", mipmaps);
    std::printf("  GL upload, plain texture           %8.2f ms\n", plainUpload);
    std::printf("  GL upload, mipmapped twin          %8.2f ms\n", mipUpload);

    std::remove(path.c_str());
    delete tvk::g_renderer;
    tvk::g_renderer = nullptr;
    return 0;
}
