// A window with a scene for 3D drawing tests, and the camera maths the tests check against.
#pragma once

#include <GL/gl.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <string>

#include "gfx2d/image_writer.h"
#include "gfx2d/renderer.h"
#include "gfx3d/scene.h"
#include "support/gl_display.h"
#include "tarnvik/gfx2d.h"
#include "tarnvik/gfx3d.h"

namespace tvk::test {

class SceneTest : public GlDisplayTest {
protected:
    void SetUp() override {
        GlDisplayTest::SetUp();
        g_scene = new Dodurudo3D(g_renderer);
        glClear(GL_STENCIL_BUFFER_BIT);
    }
    void TearDown() override {
        for (int id = 0; id < 8; ++id) SetLight(id, 0, 0, 0, 0, 0, 0, 0, 0);
        SetFog(-1, 0, 0, 0);
        End3D();
        delete g_scene;
        g_scene = nullptr;
    }
    static std::array<float, 16> Matrix(GLenum which) {
        std::array<float, 16> m{};
        glGetFloatv(which, m.data());
        return m;
    }
    // TVK_OBJECT_SHOTS=<folder> keeps the window as <test name>.png, to look at.
    static void KeepPictureIfAsked() {
        const char* folder = std::getenv("TVK_OBJECT_SHOTS");
        RgbaImage picture;
        if (!folder || !picture.Allocate(kWidth, kHeight)) return;
        SyncGraphicsState();
        for (int y = 0; y < kHeight; ++y)
            glReadPixels(0, kHeight - 1 - y, kWidth, 1, GL_RGBA, GL_UNSIGNED_BYTE, picture.Row(y));
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        WriteImageFile((std::string(folder) + "/" + name + ".png").c_str(), picture);
    }
    static uint32_t Rgb(int x, int y) { return ReadRgba(x, y) & 0xFFFFFF; }
    static int Red(int x, int y) { return ReadRgba(x, y) & 0xFF; }
    static int Green(int x, int y) { return (ReadRgba(x, y) >> 8) & 0xFF; }
    static int Blue(int x, int y) { return (ReadRgba(x, y) >> 16) & 0xFF; }

    // Pixel (column, row from the top) where a point in camera space lands under a perspective
    // view of vertical angle fov over the whole window.
    struct Pixel {
        int x, y;
    };
    static Pixel Project(double fov, double x, double y, double z) {
        double h = std::tan(fov * M_PI / 360);
        double aspect = double(kWidth) / kHeight;
        double ndcX = (x / -z) / (aspect * h), ndcY = (y / -z) / h;
        double windowX = (ndcX + 1) / 2 * kWidth, windowY = (ndcY + 1) / 2 * kHeight;
        return {int(std::floor(windowX)), kHeight - 1 - int(std::floor(windowY))};
    }
    // A square facing the camera, counter-clockwise as seen from it.
    static void Square(float half, float z) {
        glBegin(GL_QUADS);
        glNormal3f(0, 0, 1);
        glVertex3f(-half, -half, z);
        glVertex3f(half, -half, z);
        glVertex3f(half, half, z);
        glVertex3f(-half, half, z);
        glEnd();
    }
};

}  // namespace tvk::test
