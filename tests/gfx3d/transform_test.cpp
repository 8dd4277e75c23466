// Matrix helpers and the object transform stack, checked by where they move points.
#include <gtest/gtest.h>

#include <cmath>

#include "gfx2d/renderer.h"
#include "gfx3d/matrix4.h"
#include "gfx3d/object_transform.h"
#include "gfx3d/scene.h"
#include "tarnvik/gfx3d.h"

namespace {

using tvk::Matrix4;

struct Vec {
    float x, y, z;
};

Vec Apply(const Matrix4& m, Vec v) {
    return {m[0] * v.x + m[4] * v.y + m[8] * v.z + m[12], m[1] * v.x + m[5] * v.y + m[9] * v.z + m[13],
            m[2] * v.x + m[6] * v.y + m[10] * v.z + m[14]};
}

void ExpectNear(Vec got, Vec want) {
    EXPECT_NEAR(got.x, want.x, 1e-4);
    EXPECT_NEAR(got.y, want.y, 1e-4);
    EXPECT_NEAR(got.z, want.z, 1e-4);
}

TEST(ObjectTransform, VertexIsScaledThenTurnedByEachRotationInOrderThenMoved) {
    tvk::ObjectTransformStack stack;
    stack.SetPosition(10, 0, 0);
    stack.SetScale(2, 1, 1);  // keeps the position
    stack.Rotate(90, 0, 0, 1);
    stack.Rotate(90, 1, 0, 0);
    // (1,0,0) -> scaled (2,0,0) -> about z (0,2,0) -> about x (0,0,2) -> moved (10,0,2)
    ExpectNear(Apply(stack.Compose(), {1, 0, 0}), {10, 0, 2});
}

TEST(ObjectTransform, PositionAndScaleRestartTheLevelButKeepEachOther) {
    tvk::ObjectTransformStack stack;
    stack.SetScale(3, 3, 3);
    stack.Rotate(90, 0, 0, 1);
    stack.MultiplyMatrix(tvk::TranslationMatrix(100, 0, 0));
    stack.SetPosition(0, 1, 0);  // drops the rotation and the matrix, keeps the scale
    ExpectNear(Apply(stack.Compose(), {1, 0, 0}), {3, 1, 0});
}

TEST(ObjectTransform, OnlyTheFirstSixteenRotationsOfALevelCount) {
    tvk::ObjectTransformStack stack;
    for (int i = 0; i < 17; ++i) stack.Rotate(10, 0, 0, 1);
    EXPECT_EQ(stack.Current().rotationCount, 16);
    const float a = 160 * 3.14159265f / 180;
    ExpectNear(Apply(stack.Compose(), {1, 0, 0}), {std::cos(a), std::sin(a), 0});
}

TEST(ObjectTransform, ExtraMatricesComeBeforeThePositionInTheOrderAdded) {
    tvk::ObjectTransformStack stack;
    stack.SetPosition(1, 0, 0);
    stack.MultiplyMatrix(tvk::TranslationMatrix(1, 0, 0));
    stack.MultiplyMatrix(tvk::ScaleMatrix(3, 3, 3));
    // moved to (2,0,0), scaled by 3 -> (6,0,0), moved by the first matrix -> (7,0,0)
    ExpectNear(Apply(stack.Compose(), {1, 0, 0}), {7, 0, 0});
}

TEST(ObjectTransform, ChildLevelsBuildOnTheirParentAndPopReturnsToIt) {
    tvk::ObjectTransformStack stack;
    stack.SetPosition(5, 0, 0);
    stack.Rotate(90, 0, 0, 1);
    stack.Push();
    EXPECT_EQ(stack.Depth(), 1);
    ExpectNear(Apply(stack.Compose(), {1, 0, 0}), {5, 1, 0});  // a new level starts at its parent
    stack.SetPosition(0, 3, 0);  // restarts from the parent, not from identity
    ExpectNear(Apply(stack.Compose(), {0, 0, 0}), {2, 0, 0});
    stack.Pop();
    EXPECT_EQ(stack.Depth(), 0);
    ExpectNear(Apply(stack.Compose(), {1, 0, 0}), {5, 1, 0});
}

TEST(ObjectTransform, DepthStopsAtFifteenAndPopAtTheBottomResetsToIdentity) {
    tvk::ObjectTransformStack stack;
    for (int i = 0; i < 40; ++i) stack.Push();
    EXPECT_EQ(stack.Depth(), tvk::kTransformLevels - 1);
    stack.SetPosition(1, 1, 1);
    ExpectNear(Apply(stack.Compose(), {0, 0, 0}), {1, 1, 1});
    for (int i = 0; i < 40; ++i) stack.Pop();
    EXPECT_EQ(stack.Depth(), 0);
    stack.SetPosition(4, 5, 6);
    stack.Pop();
    EXPECT_EQ(stack.Compose(), tvk::IdentityMatrix());
}

TEST(ObjectTransform, CommandsReachTheScenesStackAndReadSixteenArrayElements) {
    tvk::g_scene = new tvk::Dodurudo3D(nullptr);
    RtNumberArray m;
    DimArray(m, 16);
    const double scale2[16] = {2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1};
    for (int i = 0; i < 16; ++i) ArrayElement(m, i) = scale2[i];
    SetObjectPosition(0, 0, 1);
    MultiplyObjectMatrix(m);
    RotateObject(180, 0, 1, 0);
    PushObjectTransform();
    ExpectNear(Apply(tvk::g_scene->Transforms().Compose(), {1, 0, 0}), {-2, 0, 2});
    PopObjectTransform();
    PopObjectTransform();
    EXPECT_EQ(tvk::g_scene->Transforms().Compose(), tvk::IdentityMatrix());
    delete tvk::g_scene;
    tvk::g_scene = nullptr;
    PushObjectTransform();  // no scene: nothing happens
}

TEST(ObjectTransform, DrawingCommandsWithoutAWindowLeaveTheSceneAlone) {
    tvk::OpenGLDodurudo noWindow;
    tvk::g_scene = new tvk::Dodurudo3D(&noWindow);
    Start3D(1, 100, 60);
    SetCamera(1, 2, 3, 0, 0, 0);
    SetLight(0, 255, 0, 0, 0, 0, -1, 0, 180);
    SetLight(-3, 255, 0, 0, 0, 0, -1, 0, 1);
    SetFog(255, 0, 0, 0);
    SetCullMode(1);
    SetTexture3D(0, 1);
    DrawPoint3D(0, 0, -1, 255, 3);
    DrawLine3D(0, 0, -1, 1, 1, -1, 255, 3);
    DrawAxes(0, 0, 0);
    ClearDepthBuffer();
    End3D();
    EXPECT_EQ(tvk::g_scene->Eye()[0], 0);
    EXPECT_EQ(tvk::g_scene->LightMask(), 0);
    EXPECT_FALSE(tvk::g_scene->ShadowPassActive());
    EXPECT_FALSE(noWindow.clearDepthOnce);
    delete tvk::g_scene;
    tvk::g_scene = nullptr;
}

TEST(Matrices, ProjectionTangentFollowsTanOverTheUsefulAngles) {
    for (float degrees = 0; degrees <= 45; degrees += 2.5f) {
        float x = degrees * 3.14159265f / 180;
        EXPECT_NEAR(tvk::ProjectionTangent(x), std::tan(x), 2e-5) << degrees;
    }
}

TEST(Matrices, LookAtPutsTheEyeAtTheOriginAndTheTargetAheadOnMinusZ) {
    const float eye[3] = {3, 4, 5}, target[3] = {-1, 2, 0}, up[3] = {0, 1, 0};
    Matrix4 view = tvk::LookAtMatrix(eye, target, up);
    ExpectNear(Apply(view, {3, 4, 5}), {0, 0, 0});
    float distance = std::sqrt(16.0f + 4 + 25);
    ExpectNear(Apply(view, {-1, 2, 0}), {0, 0, -distance});
}

TEST(Matrices, SpheresOutsideAnyPlaneByMoreThanTheirRadiusAreRejected) {
    // Identity projection and view: the clip volume is the cube -1..1.
    auto planes = tvk::ExtractFrustumPlanes(tvk::IdentityMatrix(), tvk::IdentityMatrix());
    EXPECT_TRUE(tvk::SphereInFrustum(planes, 0, 0, 0, 0));
    EXPECT_TRUE(tvk::SphereInFrustum(planes, 1.5f, 0, 0, 0.6f));
    EXPECT_FALSE(tvk::SphereInFrustum(planes, 1.5f, 0, 0, 0.4f));
    EXPECT_FALSE(tvk::SphereInFrustum(planes, 0, 0, -3, 1));
}

}  // namespace
