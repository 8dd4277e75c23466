// The collision, picking and projection commands through a scene with a known camera: objects
// placed by the object transform, the last-hit query, the debug drawing, and projection checked
// against where the drawing lands.
#include <GL/gl.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "gfx3d/scene_fixture.h"
#include "mesh/mesh_finish.h"
#include "mesh/mesh_vector.h"
#include "tarnvik/core.h"

namespace {

using tvk::test::SceneTest;
using Corner = tvk::meshmath::Vec3;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

class Collisions : public SceneTest {
  protected:
    void SetUp() override {
        SceneTest::SetUp();
        Start3D(1, 100, 60);
        SetCamera(0, 0, 10, 0, 0, 0);
    }
    void TearDown() override {
        GetRuntimeSettings().debugFlag = 0;
        SceneTest::TearDown();
    }
    // The triangle (-1,-1) (1,-1) (0,1) in z = 0, moved by dx.
    static void Triangle(int index, float dx = 0) {
        StartObject(index);
        AddObjectVertex(-1 + dx, -1, 0, 0, 0, -1);
        AddObjectVertex(1 + dx, -1, 0, 0, 0, -1);
        AddObjectVertex(dx, 1, 0, 0, 0, -1);
        EndObject();
    }
    // Two of them: the first at x = -3, the second at x = 3.
    static void Pair(int index) {
        StartObject(index);
        for (float dx : {-3.0f, 3.0f}) {
            AddObjectVertex(-1 + dx, -1, 0, 0, 0, -1);
            AddObjectVertex(1 + dx, -1, 0, 0, 0, -1);
            AddObjectVertex(dx, 1, 0, 0, 0, -1);
        }
        EndObject();
    }
    // An object made directly: one mesh per entry, each a list of frames of corner lists.
    static void Meshes(int index, const std::vector<std::vector<std::vector<Corner>>>& meshes) {
        tvk::SceneObject* object = tvk::g_scene->Objects().Make(index);
        object->inUse = true;
        for (const auto& frames : meshes) {
            tvk::ObjectMesh& mesh = object->meshes.emplace_back();
            for (const auto& corners : frames) {
                tvk::MeshFrame& frame = mesh.mesh->frames.emplace_back();
                for (const Corner& p : corners) {
                    tvk::MeshVertex v;
                    v.position[0] = float(p.x), v.position[1] = float(p.y), v.position[2] = float(p.z);
                    frame.triangles.push_back(v);
                }
            }
            ASSERT_TRUE(tvk::FinishMesh(*mesh.mesh, tvk::kKeepNormals));
        }
    }
};

TEST_F(Collisions, ObjectsAndFramesThatAreNotThereHitNothing) {
    Triangle(0);
    EXPECT_EQ(CollideSphere(0, 0, 0.5, 0, 0, 0), 1);
    for (double index : {-1.0, 1.0, 70000.0, kNaN, 1e300}) {
        EXPECT_EQ(CollideSphere(index, 0, 0.5, 0, 0, 0), 0) << index;
        EXPECT_EQ(CollideBox(index, 0, 0, 0, 0, 1, 1, 1), 0) << index;
        EXPECT_EQ(CollideRay(index, 0, 0, 0, 5, 0, 0, -1), 0) << index;
    }
    EXPECT_EQ(CollideSphere(0.9, 0.9, 0.5, 0, 0, 0), 1) << "numbers truncated";
    EXPECT_EQ(CollideSphere(0, -0.5, 0.5, 0, 0, 0), 1);
    EXPECT_EQ(CollideSphere(0, 1, 0.5, 0, 0, 0), 0) << "no such frame";
    EXPECT_EQ(CollideSphere(0, -1, 0.5, 0, 0, 0), 0);
    EXPECT_EQ(CollideRay(0, 1e12, 0, 0, 5, 0, 0, -1), 0);
    Meshes(2, {});  // in use, without meshes
    EXPECT_EQ(CollideSphere(2, 0, 50, 0, 0, 0), 0);
    StartObject(3);  // still being built
    AddObjectVertex(-1, -1, 0, 0, 0, -1);
    AddObjectVertex(1, -1, 0, 0, 0, -1);
    AddObjectVertex(0, 1, 0, 0, 0, -1);
    EXPECT_EQ(CollideSphere(3, 0, 0.5, 0, 0, 0), 0);
    EndObject();
    EXPECT_EQ(CollideSphere(3, 0, 0.5, 0, 0, 0), 1);
    // Arguments that are not numbers, and a negative size, hit nothing.
    EXPECT_EQ(CollideSphere(0, 0, kNaN, 0, 0, 0), 0);
    EXPECT_EQ(CollideSphere(0, 0, -0.5, 0, 0, 0), 0);
    EXPECT_EQ(CollideSphere(0, 0, 0.5, 0, INFINITY, 0), 0);
    EXPECT_EQ(CollideBox(0, 0, 0, 0, 0, 1, kNaN, 1), 0);
    EXPECT_EQ(CollideBox(0, 0, 0, 0, 0, -1, 1, 1), 0);
    EXPECT_EQ(CollideRay(0, 0, 0, 0, 5, 0, kNaN, -1), 0);
}

TEST_F(Collisions, SpheresOnThePlaneAndOutOfReach) {
    Triangle(0);
    EXPECT_EQ(CollideSphere(0, 0, 0.1, 0, -0.5, 0), 1) << "centre on the plane, inside";
    EXPECT_EQ(CollideSphere(0, 0, 0.5, 0, 0, 0.4), 1);
    EXPECT_EQ(CollideSphere(0, 0, 0.5, 0, 0, 0.6), 0);
    EXPECT_EQ(CollideSphere(0, 0, 0.3, 0, -1.2, 0), 1) << "beside an edge";
    EXPECT_EQ(CollideSphere(0, 0, 1, 5, 5, 5), 0);
    EXPECT_EQ(GetLastHitTriangle(), 0);
}

TEST_F(Collisions, TheLastHitTriangleFollowsEveryTest) {
    Pair(0);
    EXPECT_EQ(CollideSphere(0, 0, 0.5, 3, 0, 0.2), 1);
    EXPECT_EQ(GetLastHitTriangle(), 1);
    EXPECT_EQ(CollideSphere(0, 0, 0.5, -3, 0, 0.2), 1);
    EXPECT_EQ(GetLastHitTriangle(), 0);
    EXPECT_EQ(CollideBox(0, 0, 3, 0, 0, 0.5, 0.5, 0.5), 1);
    EXPECT_EQ(GetLastHitTriangle(), 1);
    EXPECT_EQ(CollideBox(0, 0, 0, 0, 0, 0.5, 0.5, 0.5), 0);
    EXPECT_EQ(GetLastHitTriangle(), 0);
    EXPECT_DOUBLE_EQ(CollideRay(0, 0, 3, 0, 5, 0, 0, -1), 5);
    EXPECT_EQ(GetLastHitTriangle(), 1);
    EXPECT_EQ(CollideRay(0, 0, 3, 0, 5, 1, 0, 0), 0);
    EXPECT_EQ(GetLastHitTriangle(), 0);
    // A test on an object that is not there also forgets the last hit.
    EXPECT_EQ(CollideSphere(0, 0, 0.5, 3, 0, 0.2), 1);
    EXPECT_EQ(CollideSphere(9, 0, 0.5, 3, 0, 0.2), 0);
    EXPECT_EQ(GetLastHitTriangle(), 0);
}

TEST_F(Collisions, RaysAheadBehindAndAlongside) {
    // Triangles at z = 0 and z = 4 over the same place.
    Meshes(0, {{{{-1, -1, 0}, {1, -1, 0}, {0, 1, 0}, {-1, -1, 4}, {1, -1, 4}, {0, 1, 4}}}});
    EXPECT_DOUBLE_EQ(CollideRay(0, 0, 0, 0, 2, 0, 0, -3), 2) << "ahead and behind: the one ahead";
    EXPECT_DOUBLE_EQ(CollideRay(0, 0, 0, 0, 2, 0, 0, 3), 2);
    EXPECT_EQ(GetLastHitTriangle(), 1);
    EXPECT_DOUBLE_EQ(CollideRay(0, 0, 0, 0, 7, 0, 0, 1), -3) << "pointing away: behind, negative";
    EXPECT_EQ(GetLastHitTriangle(), 1);
    EXPECT_EQ(CollideRay(0, 0, 0, 0, 2, 1, 1, 0), 0) << "parallel to both";
    EXPECT_EQ(CollideRay(0, 0, 0, 0, 2, 0, 0, 0), 0) << "no direction";
}

TEST_F(Collisions, MeshesAreTestedInTurnAndTheAnswerNamesItsOwnTriangle) {
    // Mesh 0 (two frames): a triangle at z = 6, then a pair at z = 6 of which the second lies at
    // x = 3. Mesh 1 (one frame): two triangles at z = 2, the second at x = 3.
    const std::vector<Corner> far = {{-1, -1, 6}, {1, -1, 6}, {0, 1, 6}};
    const std::vector<Corner> farPair = {{-9, -1, 6}, {-8, -1, 6}, {-9, 1, 6},
                                         {2, -1, 6},  {4, -1, 6},  {3, 1, 6}};
    const std::vector<Corner> nearPair = {{-9, -1, 2}, {-8, -1, 2}, {-9, 1, 2},
                                          {2, -1, 2},  {4, -1, 2},  {3, 1, 2}};
    Meshes(0, {{far, farPair}, {nearPair}});
    EXPECT_DOUBLE_EQ(CollideRay(0, 0, 3, 0, 0, 0, 0, 1), 2) << "the nearer mesh wins";
    EXPECT_EQ(GetLastHitTriangle(), 1);
    EXPECT_DOUBLE_EQ(CollideRay(0, 1, 3, 0, 4, 0, 0, 1), 2) << "frame 1 of mesh 0 only";
    EXPECT_EQ(GetLastHitTriangle(), 1);
    EXPECT_DOUBLE_EQ(CollideRay(0, 0, 0, 0, 4, 0, 0, 1), 2);
    EXPECT_EQ(GetLastHitTriangle(), 0);
    EXPECT_DOUBLE_EQ(CollideRay(0, 0, 0, 0, 7, 0, 0, 1), -1) << "mesh 0 behind, mesh 1 farther behind";
    EXPECT_EQ(CollideSphere(0, 0, 0.5, 3, 0, 2), 1);
    EXPECT_EQ(GetLastHitTriangle(), 1);
    EXPECT_EQ(CollideSphere(0, 1, 0.5, 0, 0, 2), 0) << "mesh 1 has no frame 1";
}

TEST_F(Collisions, ShapesFollowAScaledRotatedAndMovedObject) {
    Triangle(0);
    SetObjectPosition(3, -2, 1);
    SetObjectScale(2, 2, 2);
    RotateObject(90, 0, 1, 0);  // position and scale restart the level's rotations: they come first
    // The object's point (px, py, 0) is now at (3, -2 + 2 py, 1 - 2 px): the triangle stands in x = 3.
    EXPECT_NEAR(CollideRay(0, 0, -7, -1, 0.6, 1, 0, 0), 10, 1e-4)
        << "local (0.2, 0.5): distance in scene units";
    EXPECT_NEAR(CollideRay(0, 0, -7, -1, 0.6, 5, 0, 0), 10, 1e-4);
    EXPECT_NEAR(CollideRay(0, 0, 13, -1, 0.6, 1, 0, 0), -10, 1e-4);
    EXPECT_EQ(CollideRay(0, 0, -7, -1, 0.2, 1, 0, 0), 0) << "local (0.4, 0.5) is outside";
    EXPECT_EQ(CollideRay(0, 0, -7, -1, 0.6, 0, 0, 1), 0) << "along the triangle's plane";
    // The box's sizes are scene units: a box reaching x = 3 touches, one stopping short does not.
    EXPECT_EQ(CollideBox(0, 0, 2, -1, 0.6, 2.2, 0.2, 0.2), 1);
    EXPECT_EQ(CollideBox(0, 0, 2, -1, 0.6, 1.8, 0.2, 0.2), 0);
    EXPECT_EQ(CollideBox(0, 0, 3, -1, 0.2, 0.2, 0.2, 0.2), 0);
    // The sphere's centre moves with the object; its radius is in the object's own units.
    EXPECT_EQ(CollideSphere(0, 0, 0.3, 3.5, -1, 0.6), 1);  // 0.25 object units from the plane
    EXPECT_EQ(CollideSphere(0, 0, 0.2, 3.5, -1, 0.6), 0);
}

TEST_F(Collisions, ASingularTransformHitsNothing) {
    Triangle(0);
    SetObjectScale(0, 1, 1);
    EXPECT_EQ(CollideSphere(0, 0, 0.5, 0, 0, 0), 0);
    EXPECT_EQ(CollideBox(0, 0, 0, 0, 0, 1, 1, 1), 0);
    EXPECT_EQ(CollideRay(0, 0, 0, 0, 5, 0, 0, -1), 0);
    EXPECT_EQ(SphereInBox(0, 0, 0, 1, 1, 1, 1), 0);
    EXPECT_EQ(GetLastHitTriangle(), 0);
}

TEST_F(Collisions, SphereInBoxWorksInTheTransformsSpace) {
    EXPECT_EQ(SphereInBox(0.2, 0.3, -0.4, 0, 1, 1, 1), 1) << "inside, radius 0";
    EXPECT_EQ(SphereInBox(0.5, 0.5, 0.5, 0, 1, 1, 1), 1) << "on a corner";
    EXPECT_EQ(SphereInBox(2.5, 0, 0, 1, 1, 1, 1), 0);
    EXPECT_EQ(SphereInBox(2.5, 0, 0, 2, 1, 1, 1), 1);
    EXPECT_EQ(SphereInBox(1.5, 1.5, 0, 1.4, 1, 1, 1), 0) << "past the edge, sqrt 2 away";
    EXPECT_EQ(SphereInBox(1.5, 1.5, 0, 1.42, 1, 1, 1), 1);
    EXPECT_EQ(SphereInBox(0, 0, 0, -1, 1, 1, 1), 0);
    EXPECT_EQ(SphereInBox(kNaN, 0, 0, 1, 1, 1, 1), 0);
    EXPECT_EQ(SphereInBox(0, 0, 0, 1, 1, 1, -1), 0);
    // A long box along the transform's x, turned to lie along the scene's y and moved up by 10.
    SetObjectPosition(0, 10, 0);
    RotateObject(90, 0, 0, 1);
    EXPECT_EQ(SphereInBox(0, 13, 0, 0, 8, 1, 1), 1);
    EXPECT_EQ(SphereInBox(3, 10, 0, 0, 8, 1, 1), 0);
}

TEST_F(Collisions, TheDebugFlagDrawsTheShapeWithoutChangingTheAnswer) {
    Triangle(0);
    const int spheres = CollideSphere(0, 0, 2, 0, 0, 0);
    const bool rays = CollideRay(0, 0, -0.2, 0, 5, 0, 0, -1) != 0;
    const int boxes = CollideBox(0, 0, 4, 0, 0, 2, 2, 2);
    EXPECT_EQ(spheres, 1);
    EXPECT_TRUE(rays);
    EXPECT_EQ(boxes, 0);
    EXPECT_EQ(Rgb(kWidth / 2, kHeight / 4), 0u) << "nothing drawn without the flag";
    GetRuntimeSettings().debugFlag = 1;
    // A hit: the sphere's circle in z = 0 through (2, 0, 0) in thick red.
    EXPECT_EQ(CollideSphere(0, 0, 2, 0, 0, 0), spheres);
    auto p = Project(60, 2, 0, -10);
    EXPECT_GT(Red(p.x, p.y), 200);
    EXPECT_LT(Green(p.x, p.y), 50);
    // A miss: the box around (4, 0, 0) in thin green; its front top edge at y = 1, z = 1.
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_EQ(CollideBox(0, 0, 4, 0, 0, 2, 2, 2), boxes);
    p = Project(60, 4, 1, -9);
    int green = 0;
    for (int dy = -1; dy <= 1; ++dy) green = std::max(green, Green(p.x, p.y + dy));
    EXPECT_GT(green, 100);
    EXPECT_EQ(Red(p.x, p.y), 0);
    // A ray from (-0.2, 0, 5) down to the triangle, red, passing (-0.2, 0, 2).
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_EQ(CollideRay(0, 0, -0.2, 0, 5, 0, 0, -1) != 0, rays);
    p = Project(60, -0.2, 0, -8);
    EXPECT_GT(Red(p.x, p.y), 200);
    // Shapes that cannot be measured are neither hit nor drawn.
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_EQ(CollideSphere(0, 0, kNaN, 0, 0, 0), 0);
    EXPECT_EQ(CollideBox(0, 0, 0, INFINITY, 0, 1, 1, 1), 0);
    EXPECT_EQ(CollideRay(0, 0, 0, 0, 5, kNaN, 0, -1), 0);
}

TEST_F(Collisions, ProjectingAndUnprojectingReturnThePoint) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> across(-1, 1), depth(-20, 5);
    int projected = 0;
    double worst = 0;
    constexpr double kSceneSize = 30;  // the tested points span about this
    for (int n = 0; n < 1000; ++n) {
        // A point in view: within the 60-degree cone, 5 to 30 units before the eye.
        const double z = depth(random), distance = 10 - z;
        const double x = across(random) * distance * 0.5, y = across(random) * distance * 0.5;
        RtNumber sx = -1, sy = -1, sz = -1;
        ASSERT_EQ(ProjectToScreen(x, y, z, sx, sy, sz), 1);
        ASSERT_TRUE(sx >= 0 && sx <= kWidth && sy >= 0 && sy <= kHeight && sz > 0 && sz < 1)
            << sx << " " << sy;
        RtNumber bx = 0, by = 0, bz = 0;
        ASSERT_EQ(UnprojectFromScreen(sx, sy, sz, bx, by, bz), 1);
        worst = std::max({worst, std::fabs(bx - x), std::fabs(by - y), std::fabs(bz - z)});
        ++projected;
    }
    EXPECT_EQ(projected, 1000);
    EXPECT_LT(worst, 1e-3 * kSceneSize);
    // The eye itself has no screen position; the outputs stay as they were.
    RtNumber sx = 7, sy = 8, sz = 9;
    EXPECT_EQ(ProjectToScreen(0, 0, 10, sx, sy, sz), 0);
    EXPECT_EQ(sx, 7);
    EXPECT_EQ(sy, 8);
    EXPECT_EQ(sz, 9);
    // Rows count from the top: a point above the centre has a smaller row.
    ASSERT_EQ(ProjectToScreen(0, 2, 0, sx, sy, sz), 1);
    EXPECT_NEAR(sx, kWidth / 2.0, 1e-3);
    EXPECT_LT(sy, kHeight / 2.0);
}

TEST_F(Collisions, ScreenPositionsCountInWindowPixelsInsideASmallerViewport) {
    SetViewport(40, 30, 160, 120);
    Start3D(1, 100, 60);
    SetCamera(0, 0, 10, 0, 0, 0);
    RtNumber sx = 0, sy = 0, sz = 0;
    ASSERT_EQ(ProjectToScreen(0, 0, 0, sx, sy, sz), 1);
    EXPECT_NEAR(sx, 40 + 80, 1e-3) << "the viewport's centre";
    EXPECT_NEAR(sy, 30 + 60, 1e-3);
    RtNumber x = 9, y = 9, z = 9;
    ASSERT_EQ(UnprojectFromScreen(sx, sy, sz, x, y, z), 1);
    EXPECT_NEAR(x, 0, 1e-4);
    EXPECT_NEAR(y, 0, 1e-4);
    EXPECT_NEAR(z, 0, 1e-4);
    SetViewport(0, 0, 0, 0);
}

TEST_F(Collisions, AProjectedPointNamesThePixelWhereItIsDrawn) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> across(-3, 3);
    std::vector<uint8_t> pixels(size_t(kWidth) * kHeight * 4);
    for (int n = 0; n < 20; ++n) {
        const double x = across(random), y = across(random), z = across(random);
        RtNumber sx = 0, sy = 0, sz = 0;
        ASSERT_EQ(ProjectToScreen(x, y, z, sx, sy, sz), 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        DrawPoint3D(x, y, z, 0xFFFFFF, 6);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        // The drawn disc's centre: its pixels' centres weighted by their brightness.
        double weight = 0, cx = 0, cy = 0;
        for (int row = 0; row < kHeight; ++row)
            for (int col = 0; col < kWidth; ++col) {
                const double v = pixels[(size_t(row) * kWidth + col) * 4];
                weight += v;
                cx += v * (col + 0.5);
                cy += v * (kHeight - row - 0.5);
            }
        ASSERT_GT(weight, 0) << "point not drawn";
        EXPECT_NEAR(cx / weight, sx, 0.3) << x << " " << y << " " << z;
        EXPECT_NEAR(cy / weight, sy, 0.3) << x << " " << y << " " << z;
    }
}

}  // namespace
