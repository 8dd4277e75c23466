#include "support/gl_display.h"

#include <GL/gl.h>
#include <SDL2/SDL_video.h>

#include <cstdlib>
#include <filesystem>

#include "core/display.h"
#include "gfx2d/renderer.h"
#include "support/child_process.h"
#include "tarnvik/gfx2d.h"

// A binary that opens a GL display is checked for address and undefined-behaviour faults but
// not for leaks. With the GL driver's threads alive at exit, the leak checker's own tracer
// crashes on loaded machines (signal 11 while it stops the world) although every test passed.
// The leak checker asks this hook before it starts; the object file is linked exactly into the
// binaries that use GlDisplayTest. Code without GL (files, meshes, collision, sessions) stays
// leak-checked in its own binaries.
extern "C" int __lsan_is_turned_off() { return 1; }

namespace tvk::test {

std::string GlDisplayTest::tempDir_;

void GlDisplayTest::SetUpTestSuite() {
    tempDir_ = MakeTempDir();
    setenv("TMPDIR", (tempDir_ + "/").c_str(), 1);  // the error log goes here
    SetHiddenRun(true);
    g_renderer = new OpenGLDodurudo;
    ASSERT_TRUE(CreateDisplay(g_renderer, kWidth, kHeight, 0, 60, 0));
}

void GlDisplayTest::TearDownTestSuite() {
    // Each suite closes its own window. One extra hold on the GL library keeps the driver
    // loaded to the end, so later suites do not load it again.
    static const bool held = SDL_GL_LoadLibrary(nullptr) == 0;
    (void)held;
    DestroyDisplay(g_renderer);
    delete g_renderer;
    g_renderer = nullptr;
    std::filesystem::remove_all(tempDir_);
}

void GlDisplayTest::SetUp() {
    SyncGraphicsState();  // nothing an earlier test drew or set carries over
    ::SetViewport(0, 0, 0, 0);
    SetTransparentColour(kDefaultTransparentColour);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

uint32_t GlDisplayTest::ReadRgba(int x, int y) {
    uint8_t p[4] = {0, 0, 0, 0};
    SyncGraphicsState();
    glReadPixels(x, kHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace tvk::test
