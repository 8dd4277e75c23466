// How many 32 × 32 sprites (plain and rotated + zoomed) and how many text glyphs the 2D drawing
// gets on screen per second, frames presented included.
//   SDL_VIDEODRIVER=offscreen build/bench/sprites/bench_sprites [frames per test]
#include <GL/gl.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/display.h"
#include "support/bench_clock.h"
#include "gfx2d/fonts.h"
#include "gfx2d/renderer.h"
#include "gfx2d/sprite_slots.h"
#include "tarnvik/core.h"
#include "tarnvik/gfx2d.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 640;
constexpr int kSpriteSize = 32;
constexpr int kSpriteSlot = 1;
constexpr int kSpritesPerFrame = 2000;
constexpr int kWarmUpFrames = 10;

using tvk::bench::PresentAndFinish;
using tvk::bench::Timing;

// Runs `frames` frames of `draw(frame)` after a few untimed ones that settle the driver.
template <class Draw>
Timing TimeFrames(int frames, Draw draw) {
    return tvk::bench::TimeFrames(frames, kWarmUpFrames, [&](int f) {
        draw(f);
        PresentAndFinish();
    });
}

void Report(const char* what, double itemsPerFrame, int frames, const Timing& t, const char* unit) {
    double items = itemsPerFrame * frames;
    std::printf("%-40s %10.0f %s/s  (%6.1f frames/s; cpu %.2f s in %.2f s wall)\n", what, items / t.wall, unit,
                frames / t.wall, t.cpu, t.wall);
}

// A shaded disc with a transparent surround, so the alpha test has work to do like a real sprite.
void MakeSprite(int slot) {
    RtIntArray pixels;
    DimArray(pixels, kSpriteSize * kSpriteSize);
    for (int y = 0; y < kSpriteSize; ++y)
        for (int x = 0; x < kSpriteSize; ++x) {
            int dx = 2 * x - kSpriteSize + 1, dy = 2 * y - kSpriteSize + 1;
            bool inside = dx * dx + dy * dy < kSpriteSize * kSpriteSize;
            uint32_t colour = uint32_t(x * 8) | uint32_t(y * 8) << 8 | 160u << 16 | (inside ? 255u : 0u) << 24;
            pixels.data[y * kSpriteSize + x] = RtInt(colour);
        }
    if (!CreateSpriteFromArray(pixels, slot, kSpriteSize, kSpriteSize)) {
        std::fprintf(stderr, "cannot make the sprite\n");
        std::exit(1);
    }
}

// Spread over the screen, a different spread each frame.
int SpriteX(int i, int frame) { return (i * 97 + frame * 13) % (kWidth - kSpriteSize); }
int SpriteY(int i, int frame) { return (i * 61 + frame * 7) % (kHeight - kSpriteSize); }

// Screen-filling lines of printable characters; returns the glyphs printed per frame.
std::vector<RtString> MakeLines(int& glyphsPerFrame) {
    RtInt cellW = 0, cellH = 0;
    GetFontSize(cellW, cellH);
    const int columns = kWidth / cellW, rows = kHeight / cellH;
    std::vector<RtString> lines;
    glyphsPerFrame = 0;
    for (int r = 0; r < rows; ++r) {
        std::string line;
        for (int c = 0; c < columns; ++c) line += char(' ' + 1 + (r * 7 + c) % 94);  // '!'..'~', never code 0
        glyphsPerFrame += int(line.size());
        lines.emplace_back(line.c_str());
    }
    return lines;
}

double SpriteAngle(int i) { return 33.0 + (i % 12) * 30.0; }
constexpr double kZoom = 1.5;

// The reference for RotoZoomSprite: the same quads, corners computed here and sent between one
// glBegin and glEnd per frame, in the state the runtime leaves after drawing one such sprite.
void DrawRotatedReference(int frame) {
    RotoZoomSprite(kSpriteSlot, -4 * kSpriteSize, -4 * kSpriteSize, 0, 1);  // binds the texture, sets the state
    SyncGraphicsState();                                                   // and reaches GL before our calls
    const tvk::SpriteSlot* s = tvk::FindSlot(kSpriteSlot);
    float iw = s->imageWidth, ih = s->imageHeight, tw = s->textureWidth, th = s->textureHeight;
    float sMin = 0.5f / tw, sMax = (iw - 0.5f) / tw, tMin = 0.5f / th, tMax = (ih - 0.5f) / th;
    float hx = float(kZoom * iw * 0.5), hy = float(kZoom * ih * 0.5);
    glBegin(GL_QUADS);
    for (int i = 0; i < kSpritesPerFrame; ++i) {
        double a = SpriteAngle(i) * 0.017453292519943295;
        float c = float(std::cos(a)), sn = float(std::sin(a));
        float cx = float(SpriteX(i, frame) + (s->imageWidth >> 1)), cy = float(SpriteY(i, frame) + (s->imageHeight >> 1));
        auto corner = [&](float dx, float dy, float u, float v) {
            glTexCoord2f(u, v);
            glVertex2f(cx + dx * c + dy * sn, cy - dx * sn + dy * c);
        };
        corner(-hx, hy, sMin, tMin);
        corner(hx, hy, sMax, tMin);
        corner(hx, -hy, sMax, tMax);
        corner(-hx, -hy, sMin, tMax);
    }
    glEnd();
}

}  // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    tvk::SetHiddenRun(true);
    tvk::g_renderer = new tvk::OpenGLDodurudo;
    if (!tvk::CreateDisplay(tvk::g_renderer, kWidth, kHeight, 0, 60, 0)) {
        std::fprintf(stderr, "no GL display\n");
        return 1;
    }
    SetFrameRate(1000000);  // a 1 µs frame period: the limiter never sleeps, so we time drawing
    tvk::BuildBuiltinFont(0);
    SetFont(0);
    MakeSprite(kSpriteSlot);
    int glyphsPerFrame = 0;
    const std::vector<RtString> texts = MakeLines(glyphsPerFrame);
    RtInt cellW = 0, cellH = 0;
    GetFontSize(cellW, cellH);

    Timing empty = TimeFrames(frames, [](int) {});
    Timing plain = TimeFrames(frames, [](int f) {
        for (int i = 0; i < kSpritesPerFrame; ++i) DrawSprite(kSpriteSlot, SpriteX(i, f), SpriteY(i, f));
    });
    Timing rotoZoom = TimeFrames(frames, [](int f) {
        for (int i = 0; i < kSpritesPerFrame; ++i)
            RotoZoomSprite(kSpriteSlot, SpriteX(i, f), SpriteY(i, f), SpriteAngle(i), kZoom);
    });
    Timing rotatedReference = TimeFrames(frames, DrawRotatedReference);
    Timing text = TimeFrames(frames, [&](int) {
        for (size_t r = 0; r < texts.size(); ++r) PrintText(texts[r], 0, double(r) * cellH, 0);
    });
    Timing kerned = TimeFrames(frames, [&](int) {
        for (size_t r = 0; r < texts.size(); ++r) PrintText(texts[r], 0, double(r) * cellH, 1);
    });

    std::printf("\n2D drawing, %d x %d, %s\n", kWidth, kHeight,
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    std::printf("%d timed frames per test after %d untimed; every frame is ShowScreen + glFinish\n", frames,
                kWarmUpFrames);
    std::printf("sprites: %d x %d, %d per frame; text: built-in %d x %d font, %zu lines, %d glyphs per frame\n",
                kSpriteSize, kSpriteSize, kSpritesPerFrame, cellW, cellH, texts.size(), glyphsPerFrame);
    Report("empty frames", 1, frames, empty, "frames");
    Report("DrawSprite", kSpritesPerFrame, frames, plain, "sprites");
    Report("RotoZoomSprite, 12 angles, zoom 1.5", kSpritesPerFrame, frames, rotoZoom, "sprites");
    Report("  reference: one glBegin/glEnd per frame", kSpritesPerFrame, frames, rotatedReference, "sprites");
    std::printf("RotoZoomSprite / reference: %.2f\n", rotatedReference.wall / rotoZoom.wall);
    Report("PrintText, fixed pitch", glyphsPerFrame, frames, text, "glyphs");
    Report("PrintText, kerned", glyphsPerFrame, frames, kerned, "glyphs");

    tvk::DestroyDisplay(tvk::g_renderer);
    delete tvk::g_renderer;
    tvk::g_renderer = nullptr;
    return 0;
}
