// The graphics layer: quads of one state go to GL as one draw, whatever reads or changes GL
// afterwards sees them first, and the remembered state never hides a change GL needs.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstring>

#include "gfx2d/fonts.h"
#include "gfx2d/renderer.h"
#include "gfx2d/sprite_slots.h"
#include "gfx2d/sprite_upload.h"
#include "gl/gl_state.h"
#include "gl/quad_batch.h"
#include "gl/vertex_buffer.h"
#include "support/gl_display.h"
#include "tarnvik/gfx2d.h"

namespace {

using tvk::test::GlDisplayTest;
constexpr uint32_t kOpaqueRed = 0xFF0000FF, kOpaqueGreen = 0xFF00FF00;

class GlLayer : public GlDisplayTest {
protected:
    void SetUp() override {
        GlDisplayTest::SetUp();
        SetSmoothing(0);
        Fill(1, kOpaqueRed);
        Fill(2, kOpaqueGreen);
        tvk::gl::TakeQuadDrawCount();
    }
    void TearDown() override {
        SetAlphaMode(0);
        for (int slot = 1; slot <= 3; ++slot) tvk::ResetSlot(slot);
    }
    static void Fill(int slot, uint32_t rgba) {
        tvk::RgbaImage image;
        ASSERT_TRUE(image.Allocate(8, 8));
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) std::memcpy(image.Pixel(x, y), &rgba, 4);
        ASSERT_TRUE(tvk::UploadImageToSlot(slot, image, false));
    }
    static uint32_t Rgb(int x, int y) { return ReadRgba(x, y) & 0xFFFFFF; }
    static uint64_t Draws() {
        tvk::gl::FinishQuads();
        return tvk::gl::TakeQuadDrawCount();
    }
};

TEST_F(GlLayer, QuadsOfOneStateAreOneDrawAndEachChangeStartsAnother) {
    for (int i = 0; i < 50; ++i) {
        DrawSprite(1, i, 0);
        RotoZoomSprite(1, i, 20, i * 7.0, 1.5);
        StretchSprite(1, i, 40, 12, 5);  // clamped like the rotated ones; plain sprites repeat
    }
    EXPECT_EQ(Draws(), 100u) << "plain sprites repeat, stretched and rotated ones clamp";
    for (int i = 0; i < 50; ++i) RotoZoomSprite(1, i, 60, i * 7.0, 1.5);
    for (int i = 0; i < 50; ++i) StretchSprite(1, i, 80, 12, 5);
    tvk::BuildBuiltinFont(0);
    SetFont(0);
    for (int i = 0; i < 50; ++i) PrintText("abc", i, 100, 0);
    EXPECT_EQ(Draws(), 2u) << "one draw for the sprites, one for the text";
    for (int i = 0; i < 10; ++i) DrawSprite(1 + i % 2, i * 8, 120);
    EXPECT_EQ(Draws(), 10u);
    DrawSprite(1, 0, 140);
    SetAlphaMode(-0.5);
    DrawSprite(1, 10, 140);
    EXPECT_EQ(Draws(), 2u);
}

TEST_F(GlLayer, WhateverReadsOrDrawsAfterwardsSeesTheWaitingQuads) {
    DrawSprite(1, 10, 10);
    EXPECT_EQ(GetPixel(12, 12), 0x0000FF);  // read straight from GL, no frame shown
    DrawSprite(2, 30, 10);
    DrawLine(30, 12, 37, 12, 0xFF0000);  // drawn after the sprite, so over it
    EXPECT_EQ(Rgb(34, 12), 0xFF0000u);
    EXPECT_EQ(Rgb(34, 14), 0x00FF00u);

    DrawSprite(2, 50, 10);
    ASSERT_TRUE(GrabSprite(3, 50, 10, 8, 8));
    RtIntArray pixels;
    ASSERT_TRUE(SpriteToArray(pixels, 3));
    EXPECT_EQ(pixels.data[0] & 0xFFFFFF, 0x00FF00);

    CreateScreen(0, 3, 16, 16);
    UseScreen(0);
    DrawSprite(1, 0, 0);
    UseScreen(-1);  // the sprite lands in the screen, not in the window
    ASSERT_TRUE(SpriteToArray(pixels, 3));
    EXPECT_EQ(pixels.data[0] & 0xFFFFFF, 0x0000FF);
    EXPECT_EQ(Rgb(2, 2), 0u);
}

TEST_F(GlLayer, AProgramsOwnGlCallsAreNotTrustedToTheRememberedState) {
    DrawSprite(1, 0, 0);
    SyncGraphicsState();
    // A program binds another texture and turns texturing off behind the runtime's back.
    glBindTexture(GL_TEXTURE_2D, tvk::FindSlot(2)->plainTexture);
    glDisable(GL_TEXTURE_2D);
    SyncGraphicsState();
    DrawSprite(1, 40, 40);
    EXPECT_EQ(Rgb(42, 42), 0x0000FFu);
}

}  // namespace

namespace {

TEST_F(GlLayer, AVertexBufferFeedsADrawAndGivesItsMemoryBack) {
    if (!tvk::gl::VertexBuffer::Available()) GTEST_SKIP() << "the driver has no buffer objects";
    const float triangle[] = {100, 100, 140, 100, 100, 140};
    tvk::gl::VertexBuffer buffer;
    ASSERT_TRUE(buffer.Upload(triangle, sizeof triangle, false));
    EXPECT_EQ(buffer.Bytes(), sizeof triangle);
    DrawSprite(1, 0, 0);  // waits in the batch: it must land before the triangle
    SyncGraphicsState();
    buffer.Bind();
    glColor3f(0, 1, 0);
    glDisable(GL_TEXTURE_2D);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, nullptr);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    glDisableClientState(GL_VERTEX_ARRAY);
    tvk::gl::VertexBuffer::Unbind();
    SyncGraphicsState();
    EXPECT_EQ(Rgb(105, 105), 0x00FF00u);
    EXPECT_EQ(Rgb(2, 2), 0x0000FFu);

    tvk::gl::VertexBuffer moved = std::move(buffer);
    EXPECT_FALSE(buffer.Holds());
    EXPECT_TRUE(moved.Holds());
    moved.Release();
    EXPECT_FALSE(moved.Holds());
}

}  // namespace
