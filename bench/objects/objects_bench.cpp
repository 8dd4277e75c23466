// How many triangles per second 3D objects get on screen: a 10 000-triangle object drawn at one
// frame (DrawObject) and blended between two frames (DrawObjectBlend), against the same triangles
// drawn with one glDrawArrays from a plain vertex buffer object, frames presented included.
//   SDL_VIDEODRIVER=offscreen build/bench/objects/bench_objects [frames per round] [rounds]
#include <GL/gl.h>
#include <GL/glext.h>
#include <sys/resource.h>

#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "core/display.h"
#include "support/bench_clock.h"
#include "gfx2d/renderer.h"
#include "gfx3d/scene.h"
#include "gl/gl_extensions.h"
#include "gl/quad_batch.h"
#include "mesh/mesh_vertex.h"
#include "tarnvik/core.h"
#include "tarnvik/gfx2d.h"
#include "tarnvik/gfx3d.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 640;
constexpr int kColumns = 100, kRows = 50;  // quads of the sheet: 2 triangles each
constexpr int kTriangles = kColumns * kRows * 2;
constexpr int kObjectsPerRow = 8, kObjectRows = 6;
constexpr int kObjectsPerFrame = kObjectsPerRow * kObjectRows;
constexpr int kWarmUpFrames = 5;
constexpr int kObject = 0;

using tvk::bench::PresentAndFinish;
using tvk::bench::Timing;

// Every frame enters 3D with the same camera, then runs `draw(frame)`.
template <class Draw>
Timing TimeFrames(int frames, Draw draw) {
    return tvk::bench::TimeFrames(frames, kWarmUpFrames, [&](int f) {
        Start3D(1, 100, 60);
        SetCamera(0, 0, 12, 0, 0, 0);
        draw(f);
        PresentAndFinish();
    });
}

double TrianglesPerSecond(int frames, const Timing& t) { return double(kTriangles) * kObjectsPerFrame * frames / t.wall; }

void Report(const char* what, int frames, const Timing& t, const Timing& reference) {
    std::printf("%-56s %7.1f M triangles/s  %5.2fx  (%5.1f frames/s; cpu %.2f s in %.2f s wall)\n", what,
                TrianglesPerSecond(frames, t) / 1e6, reference.wall / t.wall, frames / t.wall, t.cpu, t.wall);
}

// A rippled sheet 1.6 wide and 1 high; frame k has the ripple moved on by a quarter wave.
struct Sheet {
    std::vector<std::array<float, 3>> frames[2];
    std::vector<std::array<float, 2>> texCoords;
};

Sheet MakeSheet() {
    Sheet sheet;
    auto corner = [&](int c, int r) {
        const float u = float(c) / kColumns, v = float(r) / kRows;
        sheet.texCoords.push_back({u, v});
        for (int k = 0; k < 2; ++k)
            sheet.frames[k].push_back({1.6f * u - 0.8f, 0.5f - v, 0.1f * std::sin(12 * u + 1.5f * k + 4 * v)});
    };
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c) {  // counter-clockwise seen from +z
            corner(c, r), corner(c, r + 1), corner(c + 1, r + 1);
            corner(c, r), corner(c + 1, r + 1), corner(c + 1, r);
        }
    return sheet;
}

// The sheet as a float-vertex object file with two frames, white, every vertex its texture pair.
std::string WriteObjectFile(const Sheet& sheet) {
    std::vector<uint8_t> out;
    auto u32 = [&](uint32_t v) {
        for (int shift = 0; shift < 32; shift += 8) out.push_back(uint8_t(v >> shift));
    };
    auto f32 = [&](float v) { u32(std::bit_cast<uint32_t>(v)); };
    const uint64_t version = std::bit_cast<uint64_t>(2.0);
    const uint32_t n = uint32_t(sheet.texCoords.size());
    u32(13021975);
    u32(uint32_t(version));
    u32(uint32_t(version >> 32));
    u32(2), u32(1), u32(n);
    u32(0xFFFFFF);
    for (const auto& uv : sheet.texCoords) f32(uv[0]), f32(uv[1]);
    for (const auto& frame : sheet.frames) {
        u32(n);
        for (const auto& p : frame) {
            f32(p[0]), f32(p[1]), f32(p[2]);
            out.push_back(0);  // normal index
            out.push_back(0);  // colour index
        }
    }
    const std::string path = (std::filesystem::temp_directory_path() / "tvk_bench_objects.ddd").string();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
    return path;
}

// The objects of a frame spread over the view, each placed by the object transform.
void PlaceObject(int i) {
    const int column = i % kObjectsPerRow, row = i / kObjectsPerRow;
    SetObjectPosition(-7 + 2 * column, 4.5 - 1.8 * row, 0);
}

// The reference: the same triangles with the arrays an object draw enables (positions and texture
// pairs) from one buffer object, interleaved tightly or laid out like the object vertex.
class Reference {
public:
    Reference(const Sheet& sheet, GLsizei stride, size_t texOffset) : stride_(stride), texOffset_(texOffset) {
        std::vector<uint8_t> bytes(sheet.texCoords.size() * size_t(stride));
        for (size_t i = 0; i < sheet.texCoords.size(); ++i) {
            uint8_t* v = bytes.data() + i * size_t(stride);
            std::memcpy(v, sheet.frames[0][i].data(), 12);
            std::memcpy(v + texOffset, sheet.texCoords[i].data(), 8);
        }
        tvk::gl::glGenBuffersARB(1, &name_);
        tvk::gl::glBindBufferARB(GL_ARRAY_BUFFER_ARB, name_);
        tvk::gl::glBufferDataARB(GL_ARRAY_BUFFER_ARB, GLsizeiptrARB(bytes.size()), bytes.data(), GL_STATIC_DRAW_ARB);
        tvk::gl::glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
    }
    ~Reference() { tvk::gl::glDeleteBuffersARB(1, &name_); }
    Reference(const Reference&) = delete;
    Reference& operator=(const Reference&) = delete;

    void Draw() const {
        tvk::gl::FinishQuads();
        tvk::gl::glBindBufferARB(GL_ARRAY_BUFFER_ARB, name_);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glVertexPointer(3, GL_FLOAT, stride_, nullptr);
        glTexCoordPointer(2, GL_FLOAT, stride_, reinterpret_cast<const void*>(texOffset_));
        glMatrixMode(GL_MODELVIEW);
        for (int i = 0; i < kObjectsPerFrame; ++i) {
            PlaceObject(i);
            glPushMatrix();
            tvk::g_scene->ApplyObjectTransform();
            glDrawArrays(GL_TRIANGLES, 0, kTriangles * 3);
            glPopMatrix();
        }
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glDisableClientState(GL_VERTEX_ARRAY);
        tvk::gl::glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
    }

private:
    GLsizei stride_;
    size_t texOffset_;
    GLuint name_ = 0;
};

double Weight(int frame, int i) { return std::fmod(frame * 0.013 + i * 0.071, 1.0); }

}  // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 40;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    tvk::SetHiddenRun(true);
    tvk::g_renderer = new tvk::OpenGLDodurudo;
    if (!tvk::CreateDisplay(tvk::g_renderer, kWidth, kHeight, 0, 60, 0)) {
        std::fprintf(stderr, "no GL display\n");
        return 1;
    }
    if (!tvk::gl::glGenBuffersARB) {
        std::fprintf(stderr, "the driver has no vertex buffer objects\n");
        return 1;
    }
    tvk::g_scene = new tvk::Dodurudo3D(tvk::g_renderer);
    SetFrameRate(1000000);  // a 1 µs frame period: the limiter never sleeps, so we time drawing

    const Sheet sheet = MakeSheet();
    const std::string path = WriteObjectFile(sheet);
    LoadObject(path.c_str(), kObject);
    std::filesystem::remove(path);
    if (GetObjectTriangleCount(kObject) != kTriangles) {
        std::fprintf(stderr, "the object did not load (%d triangles)\n", GetObjectTriangleCount(kObject));
        return 1;
    }

    {
        const Reference tight(sheet, 20, 12), wide(sheet, sizeof(tvk::MeshVertex), offsetof(tvk::MeshVertex, u));
        struct Case {
            const char* what;
            std::function<void(int)> draw;
            Timing best;
        };
        std::vector<Case> cases = {
            {"empty frames", [](int) {}, {}},
            {"reference: glDrawArrays, buffer object, 20-byte vertex", [&](int) { tight.Draw(); }, {}},
            {"  the same with the object's 92-byte vertex", [&](int) { wide.Draw(); }, {}},
            {"DrawObject, one frame (buffer object)",
             [](int) {
                 for (int i = 0; i < kObjectsPerFrame; ++i) PlaceObject(i), DrawObject(kObject, 0);
             },
             {}},
            {"DrawObjectBlend, own weight per object",
             [](int f) {
                 for (int i = 0; i < kObjectsPerFrame; ++i)
                     PlaceObject(i), DrawObjectBlend(kObject, 0, 1, Weight(f, i), 0);
             },
             {}},
            {"DrawObjectBlend, one weight per frame",
             [](int f) {
                 for (int i = 0; i < kObjectsPerFrame; ++i)
                     PlaceObject(i), DrawObjectBlend(kObject, 0, 1, Weight(f, 0), 0);
             },
             {}},
        };
        // The cases take turns, round after round, and each keeps its fastest round: on a shared
        // machine other work then slows every case alike instead of whichever ran at that moment.
        for (int round = 0; round < rounds; ++round)
            for (Case& c : cases) {
                const Timing t = TimeFrames(frames, c.draw);
                if (round == 0 || t.wall < c.best.wall) c.best = t;
            }

        std::printf("\n3D objects, %d x %d, %s\n", kWidth, kHeight,
                    reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
        std::printf("fastest of %d rounds of %d timed frames per case, each after %d untimed; every frame is "
                    "Start3D, SetCamera, the draws, ShowScreen + glFinish\n",
                    rounds, frames, kWarmUpFrames);
        std::printf("object: %d triangles, 2 frames, white, untextured, unlit; %d objects per frame\n", kTriangles,
                    kObjectsPerFrame);
        std::printf("%-56s %7.1f frames/s\n", cases[0].what, frames / cases[0].best.wall);
        const Timing& reference = cases[1].best;
        for (size_t k = 1; k < cases.size(); ++k) Report(cases[k].what, frames, cases[k].best, reference);
        std::printf("ratios to the reference (goals: still >= 0.95, blended >= 0.5): still %.2f, blended %.2f\n",
                    reference.wall / cases[3].best.wall, reference.wall / cases[4].best.wall);
    }

    delete tvk::g_scene;
    tvk::g_scene = nullptr;
    tvk::DestroyDisplay(tvk::g_renderer);
    delete tvk::g_renderer;
    tvk::g_renderer = nullptr;
    return 0;
}
