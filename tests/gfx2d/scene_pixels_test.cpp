// One scripted scene of every 2D drawing command, compared byte for byte with the picture it gave
// when the reference was made. Any change to the draw paths that moves a single pixel fails here.
// TVK_WRITE_SCENE_REFERENCE=<file.png> writes the picture instead of comparing.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "gfx2d/background_images.h"
#include "gfx2d/fonts.h"
#include "gfx2d/frame_assets.h"
#include "gfx2d/image_writer.h"
#include "gfx2d/png_decoder.h"
#include "gfx2d/renderer.h"
#include "gfx2d/sprite_slots.h"
#include "gfx2d/texture_binding.h"
#include "gfx3d/scene.h"
#include "image_test_support.h"
#include "support/gl_display.h"
#include "tarnvik/core.h"
#include "tarnvik/gfx2d.h"

namespace {

using tvk::test::GlDisplayTest;

constexpr RtInt kSprite = 1, kSheet = 2, kGradient = 3, kSecond = 4, kScreenSlot = 5, kGrabbed = 6;

// A 16 × 16 picture: colour bands, a transparent corner and a hole in the transparent colour.
uint32_t SpriteColour(int x, int y) {
    if (x + y < 4) return 0x00000000;
    if (x >= 6 && x < 9 && y >= 6 && y < 9) return 0xFF8000FF;  // the transparent colour, opaque
    return 0xFF000000u | uint32_t(x * 16) | uint32_t(y * 16) << 8 | uint32_t(128 + (x ^ y) * 8) << 16;
}
// 3 × 2 frames of 16 × 16, each frame its own colour with a dark frame edge.
uint32_t SheetColour(int x, int y) {
    int frame = x / 16 + 3 * (y / 16);
    if (x % 16 == 0 || y % 16 == 15) return 0xFF202020;
    return 0xFF000000u | uint32_t(40 * frame + 20) | uint32_t(255 - 40 * frame) << 8 | uint32_t(60 * (frame & 1) + 90) << 16;
}
// A 4 × 4 checker that shows whether filtering is on.
uint32_t GradientColour(int x, int y) { return ((x + y) & 1) ? 0xFFFFFFFF : 0xFF0000C0; }
uint32_t SecondColour(int x, int y) { return 0xFF000000u | uint32_t(x * 60) << 8 | uint32_t(200 - y * 40); }

class ScenePixels : public GlDisplayTest {
protected:
    void SetUp() override {
        GlDisplayTest::SetUp();
        tvk::g_scene = new tvk::Dodurudo3D(tvk::g_renderer);
        SetErrorCode(0);
    }
    void TearDown() override {
        UseShader(-1);
        UseScreen(-1);
        tvk::DeleteBackgroundTextures();
        SetClearColour(0);
        SetAlphaMode(0);
        SetSmoothing(1);
        for (RtInt slot : {kSprite, kSheet, kGradient, kSecond, kScreenSlot, kGrabbed}) tvk::ResetSlot(slot);
        delete tvk::g_scene;
        tvk::g_scene = nullptr;
    }
    template <class Colour>
    static void Make(RtInt slot, int w, int h, Colour colourAt) {
        RtIntArray pixels;
        DimArray(pixels, w * h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) pixels.data[y * w + x] = RtInt(colourAt(x, y));
        ASSERT_EQ(CreateSpriteFromArray(pixels, slot, w, h), 1);
    }
    static std::string Write(const std::string& name, const std::string& text) {
        std::string path = tempDir_ + "/" + name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    static std::string WriteBackground() {
        tvk::test::BmpSpec spec;
        spec.width = 40;
        spec.height = -30;
        for (int y = 0; y < 30; ++y) {
            std::vector<uint8_t> row;
            for (int x = 0; x < 40; ++x) row.insert(row.end(), {uint8_t(y * 8), uint8_t(60), uint8_t(x * 6)});
            spec.pixelRows.push_back(row);
        }
        return tvk::test::WriteBmpFile(tempDir_ + "/background.bmp", spec);
    }
    static tvk::RgbaImage ReadWindow() {
        tvk::RgbaImage image;
        EXPECT_TRUE(image.Allocate(kWidth, kHeight));
        SyncGraphicsState();
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        for (int y = 0; y < kHeight; ++y)
            glReadPixels(0, kHeight - 1 - y, kWidth, 1, GL_RGBA, GL_UNSIGNED_BYTE, image.Row(y));
        return image;
    }
};

// Every 2D command once, in an order that also crosses state changes: texture to untextured,
// one texture unit to two and back, blending modes, filtering, a render target and a shader.
void DrawScene(const std::string& backgroundFile, const std::string& fragmentFile) {
    SetClearColour(0x302010);
    LoadBackground(backgroundFile.c_str());
    ShowScreen();  // clears, then draws the background behind the frame

    SetSmoothing(0);
    DrawSprite(kSprite, 4, 4);
    DrawSprite(kSprite, 22, 4);
    StretchSprite(kSprite, 40, 4, 40, 20);
    ZoomSprite(kSprite, 90, 4, 1.5, 0.75);
    ZoomSprite(kSprite, 120, 4, -1, 2);
    RotateSprite(kSprite, 150, 4, 30);
    RotoZoomSprite(kSprite, 180, 4, 145, 1.3);
    RotoZoomSprite(kSprite, 210, 4, -73.5, 0.6);
    for (int frame = 0; frame < 7; ++frame) DrawAnimFrame(kSheet, frame, 4 + frame * 18, 40);
    StretchAnimFrame(kSheet, 4, 140, 40, 30, 10);
    RotoZoomAnimFrame(kSheet, 2, 180, 40, 20, 1.2);
    RotoZoomAnimFrame(kSheet, 5, 210, 40, 200, 0.8);

    StretchSprite(kGradient, 4, 60, 36, 36);  // smoothing off: hard checker
    SetSmoothing(1);
    StretchSprite(kGradient, 44, 60, 36, 36);  // smoothing on: blurred checker
    RotoZoomSprite(kSprite, 90, 64, 17, 1.7);
    DrawSprite(kSprite, 120, 64);

    tvk::BindTexture(tvk::g_renderer, kSecond, 0, false);  // two units, then plain draws again
    DrawSprite(kSprite, 140, 64);
    SetSmoothing(0);

    SetAlphaMode(-0.5);  // normal blending at half opacity
    DrawSprite(kSprite, 160, 64);
    RotoZoomSprite(kSprite, 170, 70, 60, 1);
    SetAlphaMode(0.75);  // additive
    DrawSprite(kSprite, 190, 64);
    StretchSprite(kSheet, 200, 70, 30, 20);
    SetAlphaMode(0);

    SetFont(0);
    PrintText("Fixed pitch, 0123!", 4, 100, 0);
    PrintText("Kerned: Wiggly text", 4, 112, 1);
    SetAlphaMode(-0.6);
    PrintText("half", 170, 100, 1);
    SetAlphaMode(0);

    SetPixel(300, 10, 0x00FFFF);
    SetPixel(301, 11, 0xFF00FF);
    DrawLine(250, 4, 310, 40, 0x40FF40);
    DrawLine(250, 40, 250, 4, 0xFFFFFF);
    DrawRect(260, 50, 30, 12, 0x2080FF);
    DrawRect(295, 50, 1, 1, 0xFF0000);

    StartPoly(kSprite, 0);
    AddPolyVertex(240, 70, 0, 0, 0xFFFFFF);
    AddPolyVertex(270, 70, 16, 0, 0x00FF00);
    AddPolyVertex(270, 95, 16, 16, 0xFFFFFF);
    AddPolyVertex(240, 95, 0, 16, 0x0000FF);
    EndPoly();
    StartPoly(-1, 1);
    AddPolyVertex(280, 70, 0, 0, 0xFF0000);
    AddPolyVertex(310, 72, 0, 0, 0x00FF00);
    AddPolyVertex(290, 95, 0, 0, 0x0000FF);
    EndPoly();
    StartPoly(kGradient, 2);
    AddPolyVertex(240, 100, 0, 0, 0xFFFFFF);
    AddPolyVertex(240, 115, 0, 4, 0xFFFFFF);
    AddPolyVertex(260, 100, 4, 0, 0xFFFFFF);
    AddPolyVertex(260, 115, 4, 4, 0xFFFFFF);
    NextPolyStrip();
    AddPolyVertex(270, 100, 0, 0, 0x8080FF);
    AddPolyVertex(270, 115, 0, 4, 0x8080FF);
    AddPolyVertex(300, 100, 4, 0, 0x8080FF);
    AddPolyVertex(300, 115, 4, 4, 0x8080FF);
    EndPoly();

    // Read back in the middle of drawing: the pixel and a grabbed piece come back further down.
    RtInt picked = GetPixel(10, 10);
    DrawRect(300, 120, 10, 10, picked);
    ASSERT_EQ(GrabSprite(kGrabbed, 0, 0, 32, 24), 1);

    CreateScreen(0, kScreenSlot, 64, 32);
    UseScreen(0);
    DrawSprite(kSprite, 2, 2);
    RotoZoomSprite(kSprite, 30, 8, 45, 1);
    PrintText("off", 2, 20, 0);
    UseScreen(-1);
    DrawSprite(kScreenSlot, 4, 130);
    RotoZoomSprite(kScreenSlot, 80, 130, 10, 0.9);

    ASSERT_EQ(LoadShader(0, "", fragmentFile.c_str()), 1);
    DrawSprite(kSprite, 150, 130);
    UseShader(0);
    DrawSprite(kSprite, 170, 130);
    StretchSprite(kSheet, 190, 130, 20, 20);
    UseShader(-1);
    DrawSprite(kSprite, 215, 130);

    DrawSprite(kGrabbed, 4, 170);
    ZoomSprite(kGrabbed, 50, 170, 2, 2);
    SetSmoothing(1);
    RotoZoomSprite(kGrabbed, 150, 180, 33, 1.5);
    SetSmoothing(0);
    for (int i = 0; i < 40; ++i) RotoZoomSprite(kSprite, 200 + (i % 10) * 11, 170 + (i / 10) * 14, i * 30.0, 0.7);
    for (int i = 0; i < 12; ++i) DrawAnimFrame(kSheet, i % 6, 200 + i * 9, 226);
}

TEST_F(ScenePixels, EveryDrawingCommandGivesTheReferencePicture) {
    Make(kSprite, 16, 16, SpriteColour);
    Make(kSheet, 48, 32, SheetColour);
    SetSpriteFrameSize(kSheet, 16, 16);
    Make(kGradient, 4, 4, GradientColour);
    Make(kSecond, 8, 8, SecondColour);
    tvk::BuildBuiltinFont(0);
    const std::string fragment = Write(
        "tint.frag",
        "uniform sampler2D tex;\n"
        "void main() { vec4 c = texture2D(tex, gl_TexCoord[0].st); gl_FragColor = vec4(c.g, c.b, c.r, c.a); }\n");

    DrawScene(WriteBackground(), fragment);
    ASSERT_EQ(GetErrorCode(), 0);
    tvk::RgbaImage picture = ReadWindow();

    if (const char* out = std::getenv("TVK_WRITE_SCENE_REFERENCE")) {
        ASSERT_TRUE(tvk::WriteImageFile(out, picture));
        GTEST_SKIP() << "reference written to " << out;
    }
    std::vector<uint8_t> bytes = tvk::test::ReadBytes(TVK_SCENE_REFERENCE);
    ASSERT_FALSE(bytes.empty()) << TVK_SCENE_REFERENCE;
    tvk::RgbaImage reference;
    ASSERT_TRUE(tvk::DecodePng(bytes.data(), bytes.size(), "reference", tvk::kNoColour, reference));
    ASSERT_EQ(reference.width, kWidth);
    ASSERT_EQ(reference.height, kHeight);
    int differing = 0, firstX = -1, firstY = -1;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (std::memcmp(picture.Row(y) + x * 4, reference.Row(y) + x * 4, 4) != 0 && differing++ == 0) {
                firstX = x;
                firstY = y;
            }
    if (differing) tvk::WriteImageFile("scene_pixels_actual.png", picture);
    EXPECT_EQ(differing, 0) << "first at " << firstX << "," << firstY
                            << "; the picture drawn is in scene_pixels_actual.png";
}

}  // namespace
