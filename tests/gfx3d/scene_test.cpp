// Entering 3D, the projection and camera, drawing points and lines, and returning to 2D.
#include "gfx3d/scene_fixture.h"

#include "gfx2d/sprite_slots.h"
#include "gl/gl_extensions.h"
#include "tarnvik/arrays.h"
#include "tarnvik/core.h"

#include <fstream>

namespace {

using tvk::g_renderer;
using tvk::g_scene;
using Scene3D = tvk::test::SceneTest;

TEST_F(Scene3D, PerspectiveProjectionSpansTheViewportAspectAndTheVerticalAngle) {
    Start3D(1, 1000, 45);
    auto p = Matrix(GL_PROJECTION_MATRIX);
    double h = std::tan(22.5 * M_PI / 180), aspect = double(kWidth) / kHeight;
    EXPECT_NEAR(p[0], 1 / (aspect * h), 1e-4);
    EXPECT_NEAR(p[5], 1 / h, 1e-4);
    EXPECT_NEAR(p[10], -1001.0 / 999, 1e-5);
    EXPECT_NEAR(p[14], -2000.0 / 999, 1e-4);
    EXPECT_FLOAT_EQ(p[11], -1);
    EXPECT_NEAR(g_scene->ViewConeTangent(), std::tan(50 * M_PI / 180), 1e-5);
    EXPECT_TRUE(g_renderer->clearDepthOnce) << "the frame must clear depth after it is shown";
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(Matrix(GL_MODELVIEW_MATRIX), tvk::IdentityMatrix());
}

TEST_F(Scene3D, NegativeAngleGivesAnOrthographicViewAHundredTimesTheNearPlane) {
    Start3D(1, 1000, -45);
    auto p = Matrix(GL_PROJECTION_MATRIX);
    double h = std::tan(22.5 * M_PI / 180) * 100, aspect = double(kWidth) / kHeight;
    EXPECT_NEAR(p[0], 1 / (aspect * h), 1e-6);
    EXPECT_NEAR(p[5], 1 / h, 1e-6);
    EXPECT_NEAR(p[10], -2.0 / 999, 1e-6);
    EXPECT_FLOAT_EQ(p[11], 0);
    EXPECT_FLOAT_EQ(p[15], 1);
    EXPECT_NEAR(g_scene->ViewConeTangent(), std::tan(1.553343), 1e-2);
}

TEST_F(Scene3D, TheViewportOfTwoDimensionalDrawingIsKept) {
    SetViewport(10, 20, 100, 50);
    Start3D(1, 100, 60);
    GLint v[4];
    glGetIntegerv(GL_VIEWPORT, v);
    EXPECT_EQ(v[0], 10);
    EXPECT_EQ(v[1], kHeight - 50 - 20);
    EXPECT_EQ(v[2], 100);
    EXPECT_EQ(v[3], 50);
    auto p = Matrix(GL_PROJECTION_MATRIX);
    EXPECT_NEAR(p[5] / p[0], 2.0, 1e-5) << "aspect of the 100 x 50 viewport";
}

TEST_F(Scene3D, CameraLooksFromTheEyeAtTheTargetWithTheUpVector) {
    Start3D(1, 100, 60);
    SetCameraUp(0, 0, 1);
    SetCamera(3, 4, 5, -1, 2, 0);
    // The same view built from the viewing direction instead of its reverse.
    const double eye[3] = {3, 4, 5}, target[3] = {-1, 2, 0}, up[3] = {0, 0, 1};
    double f[3], s[3], u[3];
    for (int i = 0; i < 3; ++i) f[i] = target[i] - eye[i];
    auto normalize = [](double v[3]) {
        double l = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
        for (int i = 0; i < 3; ++i) v[i] /= l;
    };
    auto cross = [](const double a[3], const double b[3], double o[3]) {
        o[0] = a[1] * b[2] - a[2] * b[1];
        o[1] = a[2] * b[0] - a[0] * b[2];
        o[2] = a[0] * b[1] - a[1] * b[0];
    };
    normalize(f);
    cross(f, up, s);
    normalize(s);
    cross(s, f, u);
    auto m = Matrix(GL_MODELVIEW_MATRIX);
    for (int c = 0; c < 3; ++c) {
        EXPECT_NEAR(m[c * 4 + 0], s[c], 1e-5);
        EXPECT_NEAR(m[c * 4 + 1], u[c], 1e-5);
        EXPECT_NEAR(m[c * 4 + 2], -f[c], 1e-5);
    }
    auto dot = [&eye](const double v[3]) { return v[0] * eye[0] + v[1] * eye[1] + v[2] * eye[2]; };
    EXPECT_NEAR(m[12], -dot(s), 1e-4);
    EXPECT_NEAR(m[13], -dot(u), 1e-4);
    EXPECT_NEAR(m[14], dot(f), 1e-4);
    EXPECT_EQ(g_scene->CameraMatrix(), m);

    Start3D(1, 100, 60);  // the next frame starts with the default view and the usual up
    SetCamera(0, 0, 5, 0, 0, 0);
    auto fresh = Matrix(GL_MODELVIEW_MATRIX);
    EXPECT_FLOAT_EQ(fresh[5], 1);
    EXPECT_FLOAT_EQ(fresh[14], -5);
}

TEST_F(Scene3D, SpheresAreTestedAgainstTheViewOfTheCurrentCamera) {
    Start3D(1, 100, 60);
    EXPECT_TRUE(g_scene->SphereVisible(2, 1, -10, 0.1f));
    EXPECT_FALSE(g_scene->SphereVisible(0, 0, 10, 1)) << "behind the camera";
    EXPECT_FALSE(g_scene->SphereVisible(0, 0, -200, 1)) << "beyond the far plane";
    EXPECT_TRUE(g_scene->SphereVisible(0, 0, -200, 150));
    EXPECT_FALSE(g_scene->SphereVisible(30, 0, -10, 1)) << "far to the right";
    SetCamera(0, 0, 0, 1, 0, 0);  // turn to +x
    EXPECT_TRUE(g_scene->SphereVisible(30, 0, -10, 1));
    EXPECT_FALSE(g_scene->SphereVisible(2, 1, -10, 0.1f));
}

TEST_F(Scene3D, APointLandsWhereTheProjectionPutsIt) {
    Start3D(1, 100, 60);
    DrawPoint3D(2, 1, -10, 0x00FF00, 5);
    auto at = Project(60, 2, 1, -10);
    EXPECT_EQ(Rgb(at.x, at.y), 0x00FF00u);
    EXPECT_EQ(Rgb(at.x + 6, at.y), 0u);
    EXPECT_EQ(Rgb(at.x, at.y + 6), 0u);
    // The camera moved back by 10 sees the point at half the distance from the centre.
    SetCamera(0, 0, 10, 0, 0, 0);
    DrawPoint3D(2, 1, -10, 0x0000FF, 3);
    auto moved = Project(60, 2, 1, -20);
    EXPECT_EQ(Rgb(moved.x, moved.y), 0x0000FFu);
}

TEST_F(Scene3D, ObjectTransformIsMultipliedOntoTheCamera) {
    Start3D(1, 100, 60);
    SetCamera(0, 0, 10, 0, 0, 0);
    SetObjectPosition(1, 2, 3);
    g_scene->ApplyObjectTransform();
    auto m = Matrix(GL_MODELVIEW_MATRIX);
    EXPECT_FLOAT_EQ(m[12], 1);
    EXPECT_FLOAT_EQ(m[13], 2);
    EXPECT_FLOAT_EQ(m[14], 3 - 10);
    SetCamera(0, 0, 10, 0, 0, 0);  // a new camera drops the object transform
    EXPECT_EQ(g_scene->Transforms().Compose(), tvk::IdentityMatrix());
}

TEST_F(Scene3D, LinesDrawBetweenTheirEndsAndLeaveTheStateAsTheyFoundIt) {
    Start3D(1, 100, 60);
    DrawLine3D(-1, 0.5, -5, 1, 0.5, -5, 0xFF0000, 3);
    auto mid = Project(60, 0, 0.5, -5);
    EXPECT_EQ(Blue(mid.x, mid.y), 255);
    auto beyond = Project(60, 1.5, 0.5, -5);
    EXPECT_EQ(Rgb(beyond.x, beyond.y), 0u);
    GLfloat width = 0, colour[4];
    glGetFloatv(GL_LINE_WIDTH, &width);
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(width, 1);
    EXPECT_EQ(colour[0] + colour[1] + colour[2] + colour[3], 4);
    EXPECT_FALSE(glIsEnabled(GL_LINE_SMOOTH));
    EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
}

TEST_F(Scene3D, NearerDrawingHidesFartherDrawingUntilTheDepthBufferIsCleared) {
    Start3D(1, 100, 60);
    DrawPoint3D(0, 0, -5, 0x0000FF, 9);
    DrawPoint3D(0, 0, -9, 0x00FF00, 9);
    auto at = Project(60, 0, 0, -5);
    EXPECT_EQ(Rgb(at.x, at.y), 0x0000FFu);
    ClearDepthBuffer();
    DrawPoint3D(0, 0, -9, 0x00FF00, 9);
    EXPECT_EQ(Rgb(at.x, at.y), 0x00FF00u);
}

TEST_F(Scene3D, AxesRunRedAlongXAndGreenUpFromThePoint) {
    Start3D(1, 1000, 60);
    SetCamera(0, 0, 100, 0, 0, 0);
    SetObjectPosition(500, 0, 0);  // the marker ignores the object transform
    DrawAxes(0, 0, 0);
    auto onX = Project(60, 10, 0, -100);
    auto onY = Project(60, 0, 10, -100);
    int red = 0, green = 0;
    for (int d = -1; d <= 1; ++d) {
        red = std::max(red, Red(onX.x, onX.y + d));
        green = std::max(green, Green(onY.x + d, onY.y));
    }
    EXPECT_GT(red, 200);
    EXPECT_GT(green, 200);
    EXPECT_EQ(Rgb(onX.x, onX.y - 10), 0u);
}

TEST_F(Scene3D, EndingThreeDimensionalDrawingRestoresTheTwoDimensionalState) {
    SetViewport(10, 10, 50, 50);
    Start3D(1, 100, 60);
    SetLight(0, 0xFFFFFF, 0, 0, 1, 0, 0, 0, 120);
    SetCullMode(1);
    SetFog(0xFF, 0, 0, 0);
    End3D();
    GLint v[4];
    glGetIntegerv(GL_VIEWPORT, v);
    EXPECT_EQ(v[2], kWidth);
    EXPECT_EQ(v[3], kHeight);
    auto p = Matrix(GL_PROJECTION_MATRIX);
    EXPECT_FLOAT_EQ(p[0], 2.0f / kWidth);
    EXPECT_FLOAT_EQ(p[5], -2.0f / kHeight);
    for (GLenum cap : {GL_DEPTH_TEST, GL_LIGHTING, GL_CULL_FACE, GL_FOG})
        EXPECT_FALSE(glIsEnabled(cap)) << std::hex << cap;
    GLint front;
    glGetIntegerv(GL_FRONT_FACE, &front);
    EXPECT_EQ(front, GL_CCW);
    DrawRect(5, 5, 4, 4, 0xFFFFFF);
    EXPECT_EQ(Rgb(6, 6), 0xFFFFFFu) << "2D drawing is unaffected by what 3D left behind";
}

TEST_F(Scene3D, StartResetsCullingTexturesAndTheCameraButKeepsLights) {
    Start3D(1, 100, 60);
    SetLight(0, 0xFFFFFF, 0, 0, 0, 0, 0, 0, 120);
    SetCullMode(-5);
    SetEnvironmentMapping(1);
    SetCamera(1, 2, 3, 0, 0, 0);
    PushObjectTransform();
    Start3D(1, 100, 60);
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    EXPECT_EQ(g_scene->CullMode(), 0);
    EXPECT_FALSE(g_scene->EnvironmentMapping());
    EXPECT_EQ(g_scene->Transforms().Depth(), 0);
    EXPECT_EQ(g_scene->Eye()[0], 0);
    EXPECT_EQ(g_scene->Target()[2], -1);
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    EXPECT_EQ(g_scene->LightMask(), 1);
}

TEST_F(Scene3D, ShadowPassDarkensTheStencilledPixelsByHalfWhenItEnds) {
    DrawRect(0, 0, kWidth, kHeight, 0xFFFFFF);
    Start3D(1, 100, 60);
    SetLight(-3, 0xFFFFFF, 0, 10, 0, 0, 0, 0, 1);
    EXPECT_TRUE(g_scene->ShadowPassActive());
    Square(1, -5);  // a "volume": only the stencil changes
    auto centre = Project(60, 0, 0, -5);
    EXPECT_EQ(Rgb(centre.x, centre.y), 0xFFFFFFu);
    SetLight(-3, 0xFFFFFF, 0, 10, 0, 0, 0, 0, 0);
    EXPECT_FALSE(g_scene->ShadowPassActive());
    EXPECT_NEAR(Red(centre.x, centre.y), 128, 2);
    EXPECT_EQ(Rgb(5, 5), 0xFFFFFFu);
    EXPECT_FALSE(glIsEnabled(GL_STENCIL_TEST));
    GLboolean mask[4];
    glGetBooleanv(GL_COLOR_WRITEMASK, mask);
    EXPECT_TRUE(mask[0] && mask[3]);
    EXPECT_EQ(Matrix(GL_MODELVIEW_MATRIX), g_scene->CameraMatrix()) << "3D drawing goes on";
    EXPECT_FLOAT_EQ(g_renderer->currentAlpha, 1);

    // A second pass counts afresh, and the frame's end finishes a pass left open.
    SetLight(-3, 0xFFFFFF, 0, 10, 0, 0, 0, 0, 1);
    Square(1, -5);
    g_scene->StencilDrawingOff();
    EXPECT_NEAR(Red(centre.x, centre.y), 64, 2);
}

TEST_F(Scene3D, ChangingTheViewportEndsAPendingShadowPass) {
    DrawRect(0, 0, kWidth, kHeight, 0xFFFFFF);
    Start3D(1, 100, 60);
    SetLight(-3, 0, 0, 10, 0, 0, 0, 0, 1);
    Square(1, -5);
    SetViewport(0, 0, 0, 0);
    EXPECT_FALSE(g_scene->ShadowPassActive());
    auto centre = Project(60, 0, 0, -5);
    EXPECT_NEAR(Red(centre.x, centre.y), 128, 2);
}

TEST_F(Scene3D, OtherNegativeIdsSetTheShadowLightWithoutAPass) {
    Start3D(1, 100, 60);
    SetLight(-1, 0xFF0000, 1, 2, 3, 0, 0, 0, 1);
    EXPECT_EQ(g_scene->Shadow().mode, tvk::ShadowMode::BumpMapping);
    EXPECT_TRUE(g_scene->Shadow().enabled);
    EXPECT_FLOAT_EQ(g_scene->Shadow().colour[2], 1);
    EXPECT_FLOAT_EQ(g_scene->Shadow().position[1], 2);
    SetLight(-7, 0, 0, 0, 0, 0, 0, 0, 0.000001);
    EXPECT_EQ(g_scene->Shadow().mode, tvk::ShadowMode::Toon);
    EXPECT_FALSE(g_scene->Shadow().enabled);
    EXPECT_FALSE(g_scene->ShadowPassActive());
}

TEST_F(Scene3D, MipmappingIsRememberedWithTheTexturePairAndTheFrameTurnsItOff) {
    Start3D(1, 100, 60);
    SetMipmapping(1);
    SetTexture3D(123456789, -1);  // a slot that was never loaded binds nothing
    EXPECT_TRUE(g_renderer->boundMipmapped);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    g_scene->ResetSharedValue();
    EXPECT_FALSE(g_scene->Mipmapping());
    SetTexture3D(1e300, -1e300);  // numbers beyond any slot are harmless
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

// A whole power-of-two picture, so that the texture holds nothing but the picture.
RtInt SolidSprite(RtInt colour, RtInt slot) {
    RtIntArray pixels;
    DimArray(pixels, 64 * 64);
    for (int i = 0; i < 64 * 64; ++i) ArrayElement(pixels, i) = colour;
    return CreateSpriteFromArray(pixels, slot, 64, 64);
}

GLint BoundTextureOn(GLenum unit) {
    tvk::gl::glActiveTextureARB(unit);
    GLint name = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
    bool on = glIsEnabled(GL_TEXTURE_2D);
    tvk::gl::glActiveTextureARB(GL_TEXTURE0_ARB);
    return on ? name : -1;
}

TEST_F(Scene3D, ATexturePairGoesFirstToUnitOneAndKeepsTheMipmappingItWasSetWith) {
    ASSERT_NE(tvk::gl::glActiveTextureARB, nullptr);
    RtIntArray pixels;
    const RtInt white[4] = {-1, -1, -1, -1};
    FillArray(pixels, 4, white);
    ASSERT_EQ(CreateSpriteFromArray(pixels, 100, 2, 2), 1);
    ASSERT_EQ(CreateSpriteFromArray(pixels, 101, 2, 2), 1);
    const tvk::SpriteSlot* a = tvk::FindSlot(100);
    const tvk::SpriteSlot* b = tvk::FindSlot(101);
    ASSERT_NE(a->mipmappedTexture, 0u);

    Start3D(1, 100, 60);
    SetMipmapping(1);
    SetTexture3D(100, 101);
    EXPECT_EQ(BoundTextureOn(GL_TEXTURE1_ARB), GLint(a->mipmappedTexture));
    EXPECT_EQ(BoundTextureOn(GL_TEXTURE0_ARB), GLint(b->mipmappedTexture));
    g_scene->ResetSharedValue();  // the next frame: later pairs use the plain textures
    SetTexture3D(-1, -1);
    g_scene->BindTextures();
    EXPECT_EQ(BoundTextureOn(GL_TEXTURE0_ARB), -1);
    SetTexture3D(100, -1);
    EXPECT_EQ(BoundTextureOn(GL_TEXTURE0_ARB), GLint(a->plainTexture));
    EXPECT_EQ(BoundTextureOn(GL_TEXTURE1_ARB), -1);

    SetTexture3D(100, 101);
    Start3D(1, 100, 60);  // a new frame starts untextured
    EXPECT_EQ(BoundTextureOn(GL_TEXTURE0_ARB), -1);
    EXPECT_EQ(BoundTextureOn(GL_TEXTURE1_ARB), -1);
    g_scene->BindTextures();
    EXPECT_EQ(BoundTextureOn(GL_TEXTURE0_ARB), -1) << "the stored pair was reset too";
}

TEST_F(Scene3D, AShaderInUseSamplesTheFirstSlotOfAPairThroughTextureId2) {
    ASSERT_EQ(SolidSprite(-16776961, 110), 1);  // opaque red
    ASSERT_EQ(SolidSprite(-16711936, 111), 1);  // opaque green
    std::string path = tempDir_ + "/second.frag";
    std::ofstream(path) << "uniform sampler2D TextureID2;\n"
                           "void main() { gl_FragColor = texture2D(TextureID2, vec2(0.5, 0.5)); }\n";
    ASSERT_EQ(LoadShader(7, "", path.c_str()), 1);
    UseShader(7);
    Start3D(1, 100, 60);
    SetMipmapping(1);  // complete textures whatever filter the plain ones were given
    SetTexture3D(110, 111);  // red on unit 1, green on unit 0
    Square(1, -5);
    UseShader(-1);
    auto centre = Project(60, 0, 0, -5);
    EXPECT_EQ(Rgb(centre.x, centre.y), 0x0000FFu);
}

TEST_F(Scene3D, ShowingTheFrameClearsDepthEndsTheShadowPassAndMipmapping) {
    Start3D(1, 100, 60);
    SetMipmapping(1);
    DrawPoint3D(0, 0, -5, 0x0000FF, 9);
    auto drawn = Project(60, 0, 0, -5);
    GLfloat before = 1;
    glReadPixels(drawn.x, kHeight - 1 - drawn.y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &before);
    ASSERT_LT(before, 1.0f);
    SetLight(-3, 0, 0, 10, 0, 0, 0, 0, 1);
    ShowScreen();
    EXPECT_FALSE(g_scene->ShadowPassActive());
    EXPECT_FALSE(g_scene->Mipmapping());
    EXPECT_FALSE(g_renderer->clearDepthOnce);
    GLfloat depth = 0;
    glReadPixels(drawn.x, kHeight - 1 - drawn.y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_EQ(depth, 1.0f);
}

TEST_F(Scene3D, AxesAreNotTintedByABoundTexturePairWhichComesBackAfterwards) {
    ASSERT_EQ(SolidSprite(-16777216, 120), 1);  // opaque black
    Start3D(1, 1000, 60);
    SetCamera(0, 0, 100, 0, 0, 0);
    SetMipmapping(1);
    SetTexture3D(120, 120);
    DrawAxes(0, 0, 0);
    auto onX = Project(60, 10, 0, -100);
    int red = 0;
    for (int d = -1; d <= 1; ++d) red = std::max(red, Red(onX.x, onX.y + d));
    EXPECT_GT(red, 200);
    const GLint name = GLint(tvk::FindSlot(120)->mipmappedTexture);
    EXPECT_EQ(BoundTextureOn(GL_TEXTURE1_ARB), name);
    EXPECT_EQ(BoundTextureOn(GL_TEXTURE0_ARB), name);
}

}  // namespace
