// Spheres, boxes and rays against triangles and mesh frames, without GL: the awkward cases one by
// one, then many random shapes against an independent reference written here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <vector>

#include "collision/frame_collision.h"
#include "collision/triangle_tests.h"

namespace {

using tvk::CollisionBox;
using tvk::Vec3;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// The right triangle (0,0,0) (4,0,0) (0,4,0) in the plane z = 0.
const Vec3 A{0, 0, 0}, B{4, 0, 0}, C{0, 4, 0};

CollisionBox Box(Vec3 centre, double hx, double hy, double hz) {
    return {centre, {Vec3{hx, 0, 0}, Vec3{0, hy, 0}, Vec3{0, 0, hz}}};
}

tvk::MeshFrame Frame(const std::vector<Vec3>& corners, float radius = kInf) {
    tvk::MeshFrame frame;
    for (const Vec3& p : corners) {
        tvk::MeshVertex v;
        v.position[0] = float(p.x);
        v.position[1] = float(p.y);
        v.position[2] = float(p.z);
        frame.triangles.push_back(v);
    }
    frame.radius = radius;
    return frame;
}

TEST(SphereAgainstTriangle, PlaneInsideEdgesAndCorners) {
    EXPECT_TRUE(tvk::SphereTouchesTriangle(A, B, C, {1, 1, 0}, 0.1)) << "centre on the plane, inside";
    EXPECT_TRUE(tvk::SphereTouchesTriangle(A, B, C, {1, 1, -0.5}, 0.6)) << "reaching from behind";
    EXPECT_FALSE(tvk::SphereTouchesTriangle(A, B, C, {1, 1, 0.5}, 0.5)) << "only touching the plane";
    EXPECT_FALSE(tvk::SphereTouchesTriangle(A, B, C, {1, 1, 3}, 2)) << "above, out of reach";
    // Beside the middle of an edge, out of the triangle: found through the edge's closest point.
    EXPECT_TRUE(tvk::SphereTouchesTriangle(A, B, C, {2, -0.5, 0}, 0.6));
    EXPECT_TRUE(tvk::SphereTouchesTriangle(A, B, C, {2, -0.5, 0.3}, 0.6));
    EXPECT_FALSE(tvk::SphereTouchesTriangle(A, B, C, {2, -0.7, 0}, 0.6));
    EXPECT_TRUE(tvk::SphereTouchesTriangle(A, B, C, {2.5, 2.5, 0}, 0.8)) << "beside the long edge";
    // Past a corner: the corner itself is the nearest point.
    EXPECT_TRUE(tvk::SphereTouchesTriangle(A, B, C, {4.3, -0.3, 0}, 0.43));
    EXPECT_FALSE(tvk::SphereTouchesTriangle(A, B, C, {4.3, -0.3, 0}, 0.42));
    EXPECT_FALSE(tvk::SphereTouchesTriangle(A, B, C, {-0.3, -0.3, 0.1}, 0.43));
}

TEST(SphereAgainstTriangle, DegenerateAndUnmeasurableInputsNeverHit) {
    EXPECT_FALSE(tvk::SphereTouchesTriangle(A, B, {8, 0, 0}, {1, 0, 0}, 1)) << "corners on one line";
    EXPECT_FALSE(tvk::SphereTouchesTriangle(A, A, A, A, 1));
    EXPECT_FALSE(tvk::SphereTouchesTriangle(A, B, C, {kNaN, 1, 0}, 1));
    EXPECT_FALSE(tvk::SphereTouchesTriangle(A, B, C, {1, 1, 0}, kNaN));
    EXPECT_FALSE(tvk::SphereTouchesTriangle(A, B, {0, kInf, 0}, {1, 1, 0}, 1));
    EXPECT_FALSE(tvk::SphereTouchesTriangle(A, B, C, {1, 1, 0}, -1)) << "negative radius";
}

TEST(SphereAgainstTriangle, TheAngleSumCountsPointsJustOutsideAnEdgeAsInside) {
    // A point 0.001 outside the middle of the edge A-B subtends nearly a full turn; 0.5 outside does not.
    EXPECT_TRUE(tvk::InsideByAngleSum({2, -0.001, 0}, A, B, C));
    EXPECT_FALSE(tvk::InsideByAngleSum({2, -0.5, 0}, A, B, C));
    EXPECT_TRUE(tvk::InsideByAngleSum({1, 1, 0}, A, B, C));
    EXPECT_FALSE(tvk::InsideByAngleSum({kNaN, 1, 0}, A, B, C));
}

TEST(BoxAgainstTriangle, FaceEdgeAndCrossAxisSeparation) {
    EXPECT_TRUE(tvk::BoxTouchesTriangle(Box({1, 1, 0}, 0.1, 0.1, 0.1), A, B, C))
        << "small box inside the face";
    EXPECT_TRUE(tvk::BoxTouchesTriangle(Box({1, 1, 0.5}, 10, 10, 0.6), A, B, C)) << "triangle inside a slab";
    EXPECT_FALSE(tvk::BoxTouchesTriangle(Box({1, 1, 0.5}, 10, 10, 0.4), A, B, C));
    EXPECT_TRUE(tvk::BoxTouchesTriangle(Box({1, 1, 1}, 1, 1, 1), A, B, C)) << "touching counts";
    // The box's corner region faces the long edge B-C: only the triangle normal or an edge cross
    // product tells these apart.
    EXPECT_FALSE(tvk::BoxTouchesTriangle(Box({2.6, 2.6, 0}, 0.5, 0.5, 0.5), A, B, C));
    EXPECT_TRUE(tvk::BoxTouchesTriangle(Box({2.4, 2.4, 0}, 0.5, 0.5, 0.5), A, B, C));
    // A large tilted triangle whose plane passes the box's edge: only its normal separates them.
    const Vec3 p{-5, 6.8, -5}, q{5, 6.8, -5}, r{0, -3.2, 5};
    EXPECT_FALSE(tvk::BoxTouchesTriangle(Box({0, 0, 0}, 1, 0.5, 0.5), p, q, r));
    EXPECT_TRUE(tvk::BoxTouchesTriangle(Box({0, 0, 0}, 1, 1, 1), p, q, r));
    // A triangle edge running past the box's edge along x: only x cross that edge separates them.
    const Vec3 far{5, 3, 3};
    EXPECT_FALSE(tvk::BoxTouchesTriangle(Box({0, 0, 0}, 1, 1, 1), {0, 4.2, -2}, {0, -2, 4.2}, far));
    EXPECT_TRUE(tvk::BoxTouchesTriangle(Box({0, 0, 0}, 1, 1, 1), {0, 3.8, -2}, {0, -2, 3.8}, far));
}

TEST(BoxAgainstTriangle, RotatedShearedAndFlatBoxes) {
    // A cube turned 45 degrees about z reaches sqrt(2) along x and y.
    const double h = std::sqrt(0.5);
    const CollisionBox turned{{-1.3, 1, 0}, {Vec3{h, h, 0}, Vec3{-h, h, 0}, Vec3{0, 0, 1}}};
    EXPECT_TRUE(tvk::BoxTouchesTriangle(turned, A, B, C));
    CollisionBox away = turned;
    away.centre.x = -1.5;
    EXPECT_FALSE(tvk::BoxTouchesTriangle(away, A, B, C));
    // A sheared box: its slanted face is not at right angles to any axis, and a small triangle
    // just beyond that face is told apart only by the face's own normal.
    const CollisionBox sheared{{0, 0, 0}, {Vec3{0.5, 0, 0}, Vec3{0.9, 0.5, 0}, Vec3{0, 0, 0.5}}};
    const Vec3 faceNormal = Vec3{0.5, -0.9, 0} * (1 / std::sqrt(0.5 * 0.5 + 0.9 * 0.9));
    const double normalAngle = std::atan2(faceNormal.y, faceNormal.x);
    auto smallTriangle = [&](double offset, Vec3 out[3]) {
        const Vec3 middle = Vec3{0.5, 0, 0} + faceNormal * offset;
        for (int k = 0; k < 3; ++k) {
            const double angle = normalAngle + M_PI / 2 + k * 2 * M_PI / 3;
            out[k] = middle + Vec3{std::cos(angle), std::sin(angle), 0} * 0.01;
        }
    };
    Vec3 beyond[3], within[3];
    smallTriangle(0.05, beyond);
    smallTriangle(-0.05, within);
    EXPECT_FALSE(tvk::BoxTouchesTriangle(sheared, beyond[0], beyond[1], beyond[2]));
    EXPECT_TRUE(tvk::BoxTouchesTriangle(sheared, within[0], within[1], within[2]));
    // A box of no depth in the triangle's own plane: only directions within the plane separate.
    EXPECT_FALSE(tvk::BoxTouchesTriangle(Box({3, 3, 0}, 0.5, 0.5, 0), A, B, C));
    EXPECT_TRUE(tvk::BoxTouchesTriangle(Box({2.2, 2.2, 0}, 0.5, 0.5, 0), A, B, C));
    EXPECT_FALSE(tvk::BoxTouchesTriangle(Box({5, 5, 0}, 0, 0, 0), A, B, C)) << "a point box";
    EXPECT_TRUE(tvk::BoxTouchesTriangle(Box({1, 1, 0}, 0, 0, 0), A, B, C));
}

TEST(BoxAgainstTriangle, DegenerateAndUnmeasurableInputsNeverHit) {
    EXPECT_FALSE(tvk::BoxTouchesTriangle(Box({0, 0, 0}, 9, 9, 9), A, B, {8, 0, 0}));
    EXPECT_FALSE(tvk::BoxTouchesTriangle(Box({kNaN, 0, 0}, 9, 9, 9), A, B, C));
    EXPECT_FALSE(tvk::BoxTouchesTriangle(Box({1, 1, 0}, kNaN, 9, 9), A, B, C));
    EXPECT_FALSE(tvk::BoxTouchesTriangle(Box({1, 1, 0}, 9, 9, 9), A, B, {0, kNaN, 0}));
    EXPECT_FALSE(tvk::BoxTouchesTriangle(Box({1, 1, 0}, kInf, 9, 9), A, B, C));
}

TEST(RayAgainstTriangle, SignedDistanceAlongTheLine) {
    EXPECT_DOUBLE_EQ(tvk::RayTriangleDistance(A, B, C, {1, 1, 5}, {1, 1, 4}), 5);
    EXPECT_DOUBLE_EQ(tvk::RayTriangleDistance(A, B, C, {1, 1, 5}, {1, 1, 6}), -5) << "pointing away";
    EXPECT_DOUBLE_EQ(tvk::RayTriangleDistance(A, B, C, {1, 1, 5}, {1, 1, 3}), 2.5)
        << "in units of end - start";
    EXPECT_EQ(tvk::RayTriangleDistance(A, B, C, {1, 1, 5}, {2, 1, 5}), 0) << "parallel";
    EXPECT_EQ(tvk::RayTriangleDistance(A, B, C, {3, 3, 5}, {3, 3, 4}), 0) << "past the long edge";
    EXPECT_EQ(tvk::RayTriangleDistance(A, B, C, {-0.1, 1, 5}, {-0.1, 1, 4}), 0);
    EXPECT_DOUBLE_EQ(tvk::RayTriangleDistance(A, B, C, {0, 0, 2}, {0, 0, 1}), 2) << "through a corner";
    EXPECT_EQ(tvk::RayTriangleDistance(A, B, {8, 0, 0}, {1, 0, 5}, {1, 0, 4}), 0) << "degenerate";
    EXPECT_EQ(tvk::RayTriangleDistance(A, B, C, {kNaN, 1, 5}, {1, 1, 4}), 0);
    EXPECT_EQ(tvk::RayTriangleDistance(A, B, C, {1, 1, 5}, {1, 1, 5}), 0) << "no direction";
}

TEST(MeshFrames, SphereAndBoxReportTheFirstTriangleTheyHit) {
    // Two triangles side by side in z = 0: x in 0..4, then x in 10..14.
    const tvk::MeshFrame frame = Frame({A, B, C, {10, 0, 0}, {14, 0, 0}, {10, 4, 0}});
    int32_t hit = -1;
    EXPECT_TRUE(tvk::SphereHitsFrame(frame, {11, 1, 0.2}, 0.5, hit));
    EXPECT_EQ(hit, 3);
    hit = -1;
    EXPECT_TRUE(tvk::SphereHitsFrame(frame, {1, 1, 0.2}, 0.5, hit));
    EXPECT_EQ(hit, 0);
    hit = -1;
    EXPECT_FALSE(tvk::SphereHitsFrame(frame, {7, 1, 0}, 0.5, hit));
    EXPECT_EQ(hit, -1);
    EXPECT_TRUE(tvk::SphereHitsFrame(frame, {0.1, 0, 0.1}, 0.2, hit)) << "holding the first corner";
    EXPECT_EQ(hit, 0);
    EXPECT_FALSE(tvk::SphereHitsFrame(frame, {1, 1, 0}, -0.5, hit));

    hit = -1;
    EXPECT_TRUE(tvk::BoxHitsFrame(frame, Box({12, 1, 0}, 0.5, 0.5, 0.5), hit));
    EXPECT_EQ(hit, 3);
    EXPECT_TRUE(tvk::BoxHitsFrame(frame, Box({7, 1, 0}, 3.6, 0.5, 0.5), hit)) << "reaching both";
    EXPECT_EQ(hit, 0);
    hit = -1;
    EXPECT_FALSE(tvk::BoxHitsFrame(frame, Box({7, 1, 0}, 2, 0.5, 0.5), hit));
    EXPECT_EQ(hit, -1);
}

TEST(MeshFrames, ShortFramesStrayVerticesAndBadCornersHitNothing) {
    int32_t hit = -1;
    EXPECT_FALSE(tvk::SphereHitsFrame(Frame({A, B}), A, 10, hit));
    EXPECT_FALSE(tvk::BoxHitsFrame(Frame({A, B}), Box(A, 10, 10, 10), hit));
    tvk::RayHits none;
    tvk::RayThroughFrame(Frame({A, B}), {1, 1, 1}, {1, 1, 0}, none);
    EXPECT_EQ(none.Answer(), 0);
    // A vertex past the last whole triangle is no triangle.
    const tvk::MeshFrame stray = Frame({A, B, C, {20, 0, 0}});
    EXPECT_FALSE(tvk::BoxHitsFrame(stray, Box({20, 0, 0}, 1, 1, 1), hit));
    // A corner that is not a number spoils only its own triangle.
    const tvk::MeshFrame spoilt = Frame({{kNaN, 0, 0}, B, C, {10, 0, 0}, {14, 0, 0}, {10, 4, 0}});
    EXPECT_FALSE(tvk::BoxHitsFrame(spoilt, Box({2, 1, 0}, 0.5, 0.5, 0.5), hit));
    EXPECT_FALSE(tvk::SphereHitsFrame(spoilt, {2, 1, 0}, 0.5, hit));
    EXPECT_TRUE(tvk::BoxHitsFrame(spoilt, Box({11, 1, 0}, 0.5, 0.5, 0.5), hit));
    EXPECT_EQ(hit, 3);
}

TEST(MeshFrames, TheBoundingSphereRejectsOnlyWhatCannotReachIt) {
    // Bounding sphere radius 1 around the origin; the corner (1, 0, 0) lies on it.
    tvk::MeshFrame frame = Frame({{1, 0, 0}, {-0.5f, 0.8f, 0}, {-0.5f, -0.8f, 0}}, 1);
    int32_t hit = -1;
    // A long thin box from x = 0.9 to 2.9 holds the corner although its centre is far away.
    EXPECT_TRUE(tvk::BoxHitsFrame(frame, Box({1.9, 0, 0}, 1, 0.1, 0.1), hit));
    EXPECT_TRUE(tvk::SphereHitsFrame(frame, {1.9, 0, 0}, 0.95, hit));
    // A bounding sphere that lies about its frame shows that the test trusts it.
    frame.radius = 0.1f;
    EXPECT_FALSE(tvk::SphereHitsFrame(frame, {1.9, 0, 0}, 0.95, hit));
    EXPECT_FALSE(tvk::BoxHitsFrame(frame, Box({1.9, 0, 0}, 1, 0.1, 0.1), hit));
    tvk::RayHits lied;
    tvk::RayThroughFrame(frame, {0.9, 0, 5}, {0.9, 0, 4}, lied);
    EXPECT_EQ(lied.Answer(), 0);
    frame.radius = 1;
    tvk::RayHits grazing;  // passes the centre 0.9 away, both ways along the line
    tvk::RayThroughFrame(frame, {0.9, 0, 5}, {0.9, 0, 6}, grazing);
    EXPECT_DOUBLE_EQ(grazing.Answer(), -5);
    frame.radius = float(kInf);
    EXPECT_TRUE(tvk::BoxHitsFrame(frame, Box({1.9, 0, 0}, 1, 0.1, 0.1), hit)) << "infinite: never rejected";
    tvk::RayHits endless;
    tvk::RayThroughFrame(frame, {0.9, 0, 5}, {0.9, 0, 6}, endless);
    EXPECT_DOUBLE_EQ(endless.Answer(), -5);
}

TEST(MeshFrames, RaysKeepTheNearestHitAheadElseTheNearestBehind) {
    // Triangles at z = 0, 2 and 6 over the same square, seen from z = 3.
    const tvk::MeshFrame frame = Frame(
        {{0, 0, 0}, {4, 0, 0}, {0, 4, 0}, {0, 0, 6}, {4, 0, 6}, {0, 4, 6}, {0, 0, 2}, {4, 0, 2}, {0, 4, 2}});
    tvk::RayHits down;
    tvk::RayThroughFrame(frame, {1, 1, 3}, {1, 1, 2}, down);
    EXPECT_DOUBLE_EQ(down.Answer(), 1);
    EXPECT_EQ(down.AnswerVertex(), 6);
    tvk::RayHits up;
    tvk::RayThroughFrame(frame, {1, 1, 3}, {1, 1, 4}, up);
    EXPECT_DOUBLE_EQ(up.Answer(), 3);
    EXPECT_EQ(up.AnswerVertex(), 3);
    tvk::RayHits away;  // from above everything, pointing up: only hits behind
    tvk::RayThroughFrame(frame, {1, 1, 9}, {1, 1, 10}, away);
    EXPECT_DOUBLE_EQ(away.Answer(), -3);
    EXPECT_EQ(away.AnswerVertex(), 3);
    tvk::RayHits flat;
    tvk::RayThroughFrame(frame, {1, 1, 1}, {2, 1, 1}, flat);
    EXPECT_EQ(flat.Answer(), 0);
    EXPECT_EQ(flat.AnswerVertex(), -1);
}

// ---- Random shapes against an independent reference in double precision. ----

Vec3 Sub(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec3 Add(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec3 Scale(Vec3 a, double s) {
    return {a.x * s, a.y * s, a.z * s};
}
double Dot3(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3 Cross3(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// The closest point of a triangle, by the Voronoi regions of its corners and edges.
Vec3 ClosestOnTriangle(Vec3 p, Vec3 a, Vec3 b, Vec3 c) {
    const Vec3 ab = Sub(b, a), ac = Sub(c, a), ap = Sub(p, a);
    const double d1 = Dot3(ab, ap), d2 = Dot3(ac, ap);
    if (d1 <= 0 && d2 <= 0) return a;
    const Vec3 bp = Sub(p, b);
    const double d3 = Dot3(ab, bp), d4 = Dot3(ac, bp);
    if (d3 >= 0 && d4 <= d3) return b;
    const double vc = d1 * d4 - d3 * d2;
    if (vc <= 0 && d1 >= 0 && d3 <= 0) return Add(a, Scale(ab, d1 / (d1 - d3)));
    const Vec3 cp = Sub(p, c);
    const double d5 = Dot3(ab, cp), d6 = Dot3(ac, cp);
    if (d6 >= 0 && d5 <= d6) return c;
    const double vb = d5 * d2 - d1 * d6;
    if (vb <= 0 && d2 >= 0 && d6 <= 0) return Add(a, Scale(ac, d2 / (d2 - d6)));
    const double va = d3 * d6 - d5 * d4;
    if (va <= 0 && d4 - d3 >= 0 && d5 - d6 >= 0)
        return Add(b, Scale(Sub(c, b), (d4 - d3) / ((d4 - d3) + (d5 - d6))));
    const double denom = 1 / (va + vb + vc);
    return Add(a, Add(Scale(ab, vb * denom), Scale(ac, vc * denom)));
}

// Box overlap by clipping: the triangle in the box's coordinates (the box is then [-1, 1]^3),
// clipped by the six faces; something left means they overlap.
bool ReferenceBoxOverlap(const CollisionBox& box, const Vec3 corners[3], double grow) {
    const Vec3 &u = box.axis[0], &v = box.axis[1], &w = box.axis[2];
    const double det = Dot3(u, Cross3(v, w));
    const Vec3 rows[3] = {Scale(Cross3(v, w), 1 / det), Scale(Cross3(w, u), 1 / det),
                          Scale(Cross3(u, v), 1 / det)};
    std::vector<std::array<double, 3>> polygon;
    for (int k = 0; k < 3; ++k) {
        const Vec3 d = Sub(corners[k], box.centre);
        polygon.push_back({Dot3(rows[0], d), Dot3(rows[1], d), Dot3(rows[2], d)});
    }
    for (int axis = 0; axis < 3; ++axis)
        for (double side : {1.0, -1.0}) {
            std::vector<std::array<double, 3>> kept;
            for (size_t i = 0; i < polygon.size(); ++i) {
                const auto& p = polygon[i];
                const auto& q = polygon[(i + 1) % polygon.size()];
                const double dp = side * p[axis] - grow, dq = side * q[axis] - grow;
                if (dp <= 0) kept.push_back(p);
                if ((dp < 0 && dq > 0) || (dp > 0 && dq < 0)) {
                    const double t = dp / (dp - dq);
                    kept.push_back(
                        {p[0] + (q[0] - p[0]) * t, p[1] + (q[1] - p[1]) * t, p[2] + (q[2] - p[2]) * t});
                }
            }
            polygon.swap(kept);
            if (polygon.empty()) return false;
        }
    return true;
}

// Moller-Trumbore over the whole line: the parameter t, or false.
bool MollerTrumbore(Vec3 origin, Vec3 direction, Vec3 a, Vec3 b, Vec3 c, double& t, double& edgeMargin) {
    const Vec3 e1 = Sub(b, a), e2 = Sub(c, a);
    const Vec3 p = Cross3(direction, e2);
    const double det = Dot3(e1, p);
    if (det == 0) return false;
    const Vec3 s = Sub(origin, a);
    const double u = Dot3(s, p) / det;
    const Vec3 q = Cross3(s, e1);
    const double v = Dot3(direction, q) / det;
    edgeMargin = std::min({std::fabs(u), std::fabs(v), std::fabs(1 - u - v)});
    if (u < 0 || v < 0 || u + v > 1) return false;
    t = Dot3(e2, q) / det;
    return true;
}

bool StrictlyInside(Vec3 q, Vec3 a, Vec3 b, Vec3 c) {
    const Vec3 n = Cross3(Sub(b, a), Sub(c, a));
    return Dot3(Cross3(Sub(b, a), Sub(q, a)), n) >= 0 && Dot3(Cross3(Sub(c, b), Sub(q, b)), n) >= 0 &&
           Dot3(Cross3(Sub(a, c), Sub(q, c)), n) >= 0;
}

constexpr int kRandomCases = 10000;

struct RandomShapes : ::testing::Test {
    std::mt19937_64 random{20261209};
    double Uniform(double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    }
    Vec3 Point(double reach) {
        return {Uniform(-reach, reach), Uniform(-reach, reach), Uniform(-reach, reach)};
    }
    void Triangle(Vec3 t[3]) {
        do {
            for (int k = 0; k < 3; ++k) t[k] = Point(1);
        } while (Dot3(Cross3(Sub(t[1], t[0]), Sub(t[2], t[0])), Cross3(Sub(t[1], t[0]), Sub(t[2], t[0]))) <
                 1e-4);
    }
    // Half the spheres graze an edge from just outside it, close to the plane, where the angle
    // sum's tolerance decides.
    void EdgeGrazing(const Vec3 t[3], Vec3& centre, double& radius) {
        const int k = int(random() % 3);
        const Vec3 a = t[k], b = t[(k + 1) % 3], opposite = t[(k + 2) % 3];
        const Vec3 edge = Sub(b, a);
        const double length = std::sqrt(Dot3(edge, edge));
        const Vec3 onEdge = Add(a, Scale(edge, Uniform(0.2, 0.8)));
        Vec3 out = Sub(onEdge, opposite);
        out = Sub(out, Scale(edge, Dot3(out, edge) / Dot3(edge, edge)));
        out = Scale(out, 1 / std::sqrt(Dot3(out, out)));
        Vec3 normal = Cross3(edge, Sub(opposite, a));
        normal = Scale(normal, 1 / std::sqrt(Dot3(normal, normal)));
        const double beyond = length * Uniform(0, 0.012), height = beyond * Uniform(-0.5, 0.5);
        centre = Add(Add(onEdge, Scale(out, beyond)), Scale(normal, height));
        radius = std::sqrt(beyond * beyond + height * height) * Uniform(0.8, 1.2);
    }
    // A point of the triangle, moved off it a little.
    Vec3 Near(const Vec3 t[3], double spread) {
        double u = Uniform(0, 1), v = Uniform(0, 1);
        if (u + v > 1) u = 1 - u, v = 1 - v;
        return Add(Add(t[0], Add(Scale(Sub(t[1], t[0]), u), Scale(Sub(t[2], t[0]), v))), Point(spread));
    }
};

TEST_F(RandomShapes, SpheresAgreeWithTheClosestPointExceptByTheAngleSumTolerance) {
    int hits = 0, byTolerance = 0, unexplained = 0;
    double widest = 0;
    for (int n = 0; n < kRandomCases; ++n) {
        Vec3 t[3];
        Triangle(t);
        Vec3 centre = Near(t, 0.6);
        double radius = Uniform(0.01, 0.6);
        if (n % 2) EdgeGrazing(t, centre, radius);
        const bool ours = tvk::SphereTouchesTriangle(t[0], t[1], t[2], centre, radius);
        const Vec3 closest = ClosestOnTriangle(centre, t[0], t[1], t[2]);
        const double distance = std::sqrt(Dot3(Sub(centre, closest), Sub(centre, closest)));
        const bool reference = distance <= radius;
        hits += reference;
        if (ours == reference || std::fabs(distance - radius) < 1e-12) continue;
        // The projection of the centre onto the plane, counted inside by the angle sum although
        // it lies outside an edge, while the sphere reaches the plane but not the triangle.
        Vec3 normal = Cross3(Sub(t[1], t[0]), Sub(t[2], t[0]));
        normal = Scale(normal, 1 / std::sqrt(Dot3(normal, normal)));
        const double s = Dot3(normal, Sub(centre, t[0]));
        const Vec3 q = Sub(centre, Scale(normal, s));
        // The tolerance is thin: q lies within 1/100 of the longest edge of the triangle.
        const Vec3 gap = Sub(q, ClosestOnTriangle(q, t[0], t[1], t[2]));
        double longest = 0;
        for (int k = 0; k < 3; ++k)
            longest =
                std::max(longest, std::sqrt(Dot3(Sub(t[(k + 1) % 3], t[k]), Sub(t[(k + 1) % 3], t[k]))));
        const double outside = std::sqrt(Dot3(gap, gap)) / longest;
        if (ours && std::fabs(s) < radius && !StrictlyInside(q, t[0], t[1], t[2]) && outside <= 0.01) {
            ++byTolerance;
            widest = std::max(widest, outside);
        } else {
            ++unexplained;
        }
    }
    std::printf(
        "spheres: %d cases (half grazing an edge), %d hits, %d disagreements from the angle-sum "
        "tolerance (out by at most %.4f of the longest edge), %d others\n",
        kRandomCases, hits, byTolerance, widest, unexplained);
    EXPECT_GT(hits, kRandomCases / 5);
    EXPECT_LT(hits, kRandomCases * 4 / 5);
    EXPECT_EQ(unexplained, 0);
}

TEST_F(RandomShapes, BoxesAgreeWithClippingExactly) {
    int hits = 0, ties = 0, unexplained = 0;
    for (int n = 0; n < kRandomCases; ++n) {
        Vec3 t[3];
        Triangle(t);
        CollisionBox box;
        box.centre = Near(t, 0.7);
        // Any three independent axes: turned, stretched and sheared boxes alike.
        do {
            for (Vec3& axis : box.axis) axis = Scale(Point(1), Uniform(0.05, 0.5));
        } while (std::fabs(Dot3(box.axis[0], Cross3(box.axis[1], box.axis[2]))) < 1e-3);
        const bool ours = tvk::BoxTouchesTriangle(box, t[0], t[1], t[2]);
        const bool reference = ReferenceBoxOverlap(box, t, 1);
        hits += reference;
        if (ours == reference) continue;
        // A case that a hair's growth or shrinkage of the box decides is a tie of rounding.
        if (ReferenceBoxOverlap(box, t, 1 + 1e-9) != ReferenceBoxOverlap(box, t, 1 - 1e-9))
            ++ties;
        else
            ++unexplained;
    }
    std::printf("boxes: %d cases, %d hits, %d rounding ties, %d others\n", kRandomCases, hits, ties,
                unexplained);
    EXPECT_GT(hits, kRandomCases / 5);
    EXPECT_LT(hits, kRandomCases * 4 / 5);
    EXPECT_EQ(unexplained, 0);
}

TEST_F(RandomShapes, RaysAgreeWithMollerTrumbore) {
    int hits = 0, ties = 0, unexplained = 0;
    for (int n = 0; n < kRandomCases; ++n) {
        Vec3 t[3];
        Triangle(t);
        const Vec3 start = Point(2);
        Vec3 direction = Sub(Near(t, 0.5), start);
        direction = Scale(direction, Uniform(0.2, 3) / std::sqrt(Dot3(direction, direction)));
        const double ours = tvk::RayTriangleDistance(t[0], t[1], t[2], start, Add(start, direction));
        double expected = 0, margin = 1;
        const bool reference = MollerTrumbore(start, direction, t[0], t[1], t[2], expected, margin);
        hits += reference;
        if (reference ? std::fabs(ours - expected) <= 1e-9 * (1 + std::fabs(expected)) : ours == 0) continue;
        if (margin < 1e-9)
            ++ties;
        else
            ++unexplained;
    }
    std::printf("rays: %d cases, %d hits, %d on an edge within rounding, %d others\n", kRandomCases, hits,
                ties, unexplained);
    EXPECT_GT(hits, kRandomCases / 5);
    EXPECT_EQ(unexplained, 0);
}

}  // namespace
