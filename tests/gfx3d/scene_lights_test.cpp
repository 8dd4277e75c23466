// Lights, fog and face culling, seen in drawn pixels and in the GL state they leave.
#include "gfx3d/scene_fixture.h"

namespace {

using tvk::g_scene;
using SceneLights = tvk::test::SceneTest;

std::array<float, 4> LightVector(GLenum light, GLenum what) {
    std::array<float, 4> v{};
    glGetLightfv(light, what, v.data());
    return v;
}

TEST_F(SceneLights, ADirectionalLightLitsFacesTurnedToItInItsColour) {
    Start3D(1, 100, 60);
    SetLight(0, 0x0000FF, 0, 0, 0, 0, 0, -1, 180);  // shining along -z, onto the square's face
    Square(1, -5);
    auto centre = Project(60, 0, 0, -5);
    EXPECT_GT(Red(centre.x, centre.y), 150);
    EXPECT_LT(Green(centre.x, centre.y), 40);

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SetLight(0, 0x0000FF, 0, 0, 0, 0, 0, 1, 180);  // from behind: only the ambient remains
    Square(1, -5);
    EXPECT_LT(Red(centre.x, centre.y), 80);
}

TEST_F(SceneLights, SwitchingOffTheLastLightSwitchesLightingOff) {
    Start3D(1, 100, 60);
    SetLight(0, 0xFFFFFF, 0, 0, 0, 0, 0, 0, 120);
    SetLight(9, 0xFFFFFF, 0, 0, 0, 0, 0, 0, 120);  // light 9 is light 1
    EXPECT_EQ(g_scene->LightMask(), 3);
    EXPECT_TRUE(glIsEnabled(GL_LIGHT1));
    SetLight(0, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
    SetLight(1, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    Square(1, -5);
    auto centre = Project(60, 0, 0, -5);
    EXPECT_EQ(Rgb(centre.x, centre.y), 0xFFFFFFu) << "unlit drawing in the current colour";
}

TEST_F(SceneLights, LightPositionsAreTakenThroughTheCameraOfTheirCall) {
    Start3D(1, 100, 60);
    SetLight(1, 0xFFFFFF, 0, 10, 0, 0, -1, 0, 180);  // directional, from +y
    auto from = LightVector(GL_LIGHT1, GL_POSITION);
    EXPECT_EQ(from, (std::array<float, 4>{0, 1, 0, 0}));
    EXPECT_FLOAT_EQ(LightVector(GL_LIGHT1, GL_SPECULAR)[0], 0);

    SetCamera(0, 0, 0, 1, 0, 0);  // looking along +x: world +x is the view's -z
    SetLight(1, 0xFFFFFF, 0, 0, 0, 2, 0, 0, 180);
    from = LightVector(GL_LIGHT1, GL_POSITION);
    EXPECT_NEAR(from[0], 0, 1e-6);
    EXPECT_NEAR(from[2], 1, 1e-6);
    EXPECT_EQ(from[3], 0);
}

TEST_F(SceneLights, SpotAndPointLightsKeepTheirConeAndPosition) {
    Start3D(1, 100, 60);
    SetLight(2, 0x00FF00, 0, 10, 0, 0, -4, 0, 30);
    GLfloat cutoff = 0;
    glGetLightfv(GL_LIGHT2, GL_SPOT_CUTOFF, &cutoff);
    EXPECT_EQ(cutoff, 30);
    EXPECT_EQ(LightVector(GL_LIGHT2, GL_SPOT_DIRECTION)[1], -1) << "normalised";
    EXPECT_EQ(LightVector(GL_LIGHT2, GL_POSITION), (std::array<float, 4>{0, 10, 0, 1}));
    EXPECT_EQ(LightVector(GL_LIGHT2, GL_SPECULAR)[1], 1);

    SetLight(2, 0x00FF00, 0, 10, 0, 0, -4, 0, -20);  // a negative cone is a closed one
    glGetLightfv(GL_LIGHT2, GL_SPOT_CUTOFF, &cutoff);
    EXPECT_EQ(cutoff, 0);

    SetLight(2, 0x00FF00, 1, 2, 3, 0, -1, 0, 120);
    glGetLightfv(GL_LIGHT2, GL_SPOT_CUTOFF, &cutoff);
    EXPECT_EQ(cutoff, 180);
    EXPECT_EQ(LightVector(GL_LIGHT2, GL_POSITION), (std::array<float, 4>{1, 2, 3, 1}));
}

TEST_F(SceneLights, HeadLightShinesFromTheEyeTowardsTheOrigin) {
    Start3D(1, 100, 60);
    SetCamera(0, 0, 7, 0, 0, 0);
    SetHeadLight(3, 0xFFFFFF);
    auto from = LightVector(GL_LIGHT3, GL_POSITION);
    EXPECT_NEAR(from[2], 1, 1e-6);
    EXPECT_EQ(from[3], 0);
    Square(1, 0);
    auto centre = Project(60, 0, 0, -7);
    EXPECT_GT(Red(centre.x, centre.y), 150);
}

TEST_F(SceneLights, LinearFogTurnsFarDrawingIntoTheFogColour) {
    Start3D(1, 100, 60);
    SetFog(0x0000FF, 0, 2, 50);
    DrawPoint3D(0, 0, -80, 0xFFFFFF, 5);
    DrawPoint3D(-0.6, 0, -1.5, 0xFFFFFF, 5);
    auto far = Project(60, 0, 0, -80);
    auto near = Project(60, -0.6, 0, -1.5);
    EXPECT_EQ(Rgb(far.x, far.y), 0x0000FFu);
    EXPECT_EQ(Rgb(near.x, near.y), 0xFFFFFFu);

    SetFog(0x0000FF, 0, 0, 0);  // both 0: the clip distances
    GLfloat start = 0, end = 0;
    glGetFloatv(GL_FOG_START, &start);
    glGetFloatv(GL_FOG_END, &end);
    EXPECT_EQ(start, 1);
    EXPECT_EQ(end, 100);

    SetFog(-1, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    DrawPoint3D(0, 0, -80, 0xFFFFFF, 5);
    EXPECT_EQ(Rgb(far.x, far.y), 0xFFFFFFu);
}

TEST_F(SceneLights, ExponentialFogBlendsByDensity) {
    Start3D(1, 100, 60);
    SetFog(0x00FF00, 1, 0.1, 0);
    DrawPoint3D(0, 0, -10, 0xFF0000, 5);  // factor e^-1: about 37 % of the point's blue
    auto at = Project(60, 0, 0, -10);
    EXPECT_NEAR(Blue(at.x, at.y), 94, 6);
    EXPECT_NEAR(Green(at.x, at.y), 161, 6);
}

TEST_F(SceneLights, CullingHidesBackFacesOfTheChosenWinding) {
    Start3D(1, 100, 60);
    auto centre = Project(60, 0, 0, -5);
    SetCullMode(1);  // clockwise faces are the front: the counter-clockwise square is a back face
    Square(1, -5);
    EXPECT_EQ(Rgb(centre.x, centre.y), 0u);
    SetCullMode(-0.5);
    Square(1, -5);
    EXPECT_EQ(Rgb(centre.x, centre.y), 0xFFFFFFu);
    GLint front;
    glGetIntegerv(GL_FRONT_FACE, &front);
    EXPECT_EQ(front, GL_CCW);
    SetCullMode(0);
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
}

TEST_F(SceneLights, CullModeComesBackAfterAShadowPass) {
    Start3D(1, 100, 60);
    SetCullMode(1);
    SetLight(-3, 0, 0, 10, 0, 0, 0, 0, 1);
    glDisable(GL_CULL_FACE);  // as the volume drawing does
    SetLight(-3, 0, 0, 10, 0, 0, 0, 0, 0);
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    GLint front;
    glGetIntegerv(GL_FRONT_FACE, &front);
    EXPECT_EQ(front, GL_CW);
}

TEST_F(SceneLights, PointsAndLinesIgnoreLightingAndKeepItOn) {
    Start3D(1, 100, 60);
    SetLight(0, 0x0000FF, 0, 0, 0, 0, 0, 1, 180);  // would leave a lit point nearly black
    DrawPoint3D(0, 0, -5, 0x00FF00, 5);
    auto at = Project(60, 0, 0, -5);
    EXPECT_EQ(Rgb(at.x, at.y), 0x00FF00u);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
}

}  // namespace
