// How many sphere, box and ray tests per second the collision commands answer against a
// 10 000-triangle object (a closed sphere of radius 10 around the origin): for shapes that miss
// its bounding sphere, shapes that reach it (random, so some hit early, some late, some miss), and
// shapes inside the shell that reach the bounding sphere but touch no triangle, so every
// triangle is visited.
//   build/bench/collision/bench_collision [seconds per figure]
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "gfx3d/scene.h"
#include "tarnvik/gfx3d.h"

namespace {

constexpr int kStacks = 50, kSlices = 100;  // 2 x 50 x 100 = 10 000 triangles
constexpr double kRadius = 10;
constexpr int kBatch = 64;  // shapes drawn per round, so the random numbers stay out of the timing

struct Shape {
    double x, y, z, a, b, c;  // position, then radius/sizes/direction
};

double Seconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void BuildShell() {
    StartObject(0);
    auto corner = [](int stack, int slice) {
        const double theta = M_PI * stack / kStacks, phi = 2 * M_PI * slice / kSlices;
        AddObjectVertex(kRadius * std::sin(theta) * std::cos(phi), kRadius * std::cos(theta),
                        kRadius * std::sin(theta) * std::sin(phi), 0, 0, -1);
    };
    for (int stack = 0; stack < kStacks; ++stack)
        for (int slice = 0; slice < kSlices; ++slice) {
            corner(stack, slice), corner(stack + 1, slice), corner(stack + 1, slice + 1);
            corner(stack, slice), corner(stack + 1, slice + 1), corner(stack, slice + 1);
        }
    EndObject();
}

// Runs the test over the shapes for about `seconds`; returns tests per second and the hit share.
template <class Test>
void Measure(const char* name, const std::vector<Shape>& shapes, double seconds, Test test) {
    long tests = 0, hits = 0;
    const double start = Seconds();
    double now = start;
    while (now - start < seconds) {
        for (const Shape& s : shapes) hits += test(s) != 0;
        tests += long(shapes.size());
        now = Seconds();
    }
    std::printf("  %-40s %12.0f tests/s  (%3.0f%% hit)\n", name, double(tests) / (now - start),
                100.0 * double(hits) / double(tests));
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 1.0;
    tvk::g_scene = new tvk::Dodurudo3D(nullptr);  // no window: collision needs none
    BuildShell();
    std::printf("collision tests against %d triangles\n", GetObjectTriangleCount(0));

    std::mt19937 random(3);
    std::uniform_real_distribution<double> unit(-1, 1), size(0.2, 1.0);
    auto direction = [&](double length) {
        double x, y, z, n;
        do {
            x = unit(random), y = unit(random), z = unit(random);
            n = std::sqrt(x * x + y * y + z * z);
        } while (n < 0.1 || n > 1);
        return Shape{x / n * length, y / n * length, z / n * length, 0, 0, 0};
    };
    std::vector<Shape> away, reaching, inside;
    for (int n = 0; n < kBatch; ++n) {
        Shape s = direction(kRadius * 3);  // far outside the shell
        s.a = s.b = s.c = size(random);
        away.push_back(s);
        s = direction(kRadius + unit(random) * 1.2);  // around the shell
        s.a = s.b = s.c = size(random);
        reaching.push_back(s);
        s = direction(kRadius * 0.3 * std::fabs(unit(random)));  // well inside, touching nothing
        s.a = s.b = s.c = size(random);
        inside.push_back(s);
    }

    std::printf("spheres\n");
    auto sphere = [](const Shape& s) { return CollideSphere(0, 0, s.a, s.x, s.y, s.z); };
    Measure("missing the bounding sphere", away, seconds, sphere);
    Measure("reaching it, at the shell", reaching, seconds, sphere);
    Measure("reaching it, touching nothing", inside, seconds, sphere);
    std::printf("boxes\n");
    auto box = [](const Shape& s) { return CollideBox(0, 0, s.x, s.y, s.z, s.a, s.b, s.c); };
    Measure("missing the bounding sphere", away, seconds, box);
    Measure("reaching it, at the shell", reaching, seconds, box);
    Measure("reaching it, touching nothing", inside, seconds, box);
    std::printf("rays (every triangle of a frame the line passes is visited)\n");
    // Far away and pointing past the shell; from around the shell and from inside, any direction.
    std::vector<Shape> rays[3] = {away, reaching, inside};
    for (auto& set : rays)
        for (Shape& s : set) {
            const Shape d = direction(1);
            s.a = d.x, s.b = d.y, s.c = d.z;
        }
    for (Shape& s : rays[0]) {  // tangent to a circle of 3 radii: the line misses the sphere
        const double along = (s.a * s.x + s.b * s.y + s.c * s.z) / (kRadius * kRadius * 9);
        s.a -= along * s.x, s.b -= along * s.y, s.c -= along * s.z;
    }
    auto ray = [](const Shape& s) { return CollideRay(0, 0, s.x, s.y, s.z, s.a, s.b, s.c); };
    Measure("line missing the bounding sphere", rays[0], seconds, ray);
    Measure("starting at the shell", rays[1], seconds, ray);
    Measure("starting inside", rays[2], seconds, ray);

    delete tvk::g_scene;
    tvk::g_scene = nullptr;
    return 0;
}
