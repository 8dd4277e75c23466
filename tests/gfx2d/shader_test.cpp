// Shader pairs loaded from files and used for drawing, on the software GL driver.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "gfx2d/renderer.h"
#include "gfx2d/shaders.h"
#include "gfx3d/scene.h"
#include "support/gl_display.h"
#include "tarnvik/core.h"
#include "tarnvik/gfx2d.h"

namespace {

using tvk::test::GlDisplayTest;

std::vector<std::string> g_messages;
void Collect(const char* text) { g_messages.emplace_back(text); }

class Shaders : public GlDisplayTest {
protected:
    void SetUp() override {
        GlDisplayTest::SetUp();
        tvk::g_scene = new tvk::Dodurudo3D(tvk::g_renderer);
        tvk::g_renderer->shaders = tvk::ShaderTable{};  // the window, and with it the table, serves the whole suite
        g_messages.clear();
    }
    void TearDown() override {
        UseShader(-1);
        delete tvk::g_scene;
        tvk::g_scene = nullptr;
    }
    static std::string Write(const std::string& name, const std::string& source) {
        std::string path = tempDir_ + "/" + name;
        std::ofstream(path) << source;
        return path;
    }
    static tvk::ShaderTable& Table() { return tvk::g_renderer->shaders; }
    static uint32_t Red(int x, int y) { return ReadRgba(x, y) & 0xFF; }
};

const char* kRedFragment = "void main() { gl_FragColor = vec4(1.0, 0.0, 0.0, 1.0); }\n";
const char* kLevelFragment =
    "uniform float level;\nuniform float unused;\n"
    "void main() { gl_FragColor = vec4(level, 0.0, 0.0, 1.0); }\n";

TEST_F(Shaders, AFragmentOnlyShaderDrawsUntilFixedFunctionReturns) {
    std::string fragment = Write("red.frag", kRedFragment);
    ASSERT_EQ(LoadShader(0, "", fragment.c_str()), 1);
    UseShader(0);
    DrawRect(10, 10, 20, 20, 0xFFFFFF);
    EXPECT_EQ(ReadRgba(15, 15) & 0xFFFFFF, 0x0000FFu);
    UseShader(-1);
    DrawRect(50, 10, 20, 20, 0xFFFFFF);
    EXPECT_EQ(ReadRgba(55, 15) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(Shaders, UniformsAreSetByNameAndUnknownOnesReported) {
    std::string fragment = Write("level.frag", kLevelFragment);
    ASSERT_TRUE(tvk::LoadShaderPair(Table(), 3, "", fragment.c_str(), Collect));
    tvk::SelectShader(Table(), 3);
    tvk::SetShaderUniform(Table(), "level", 0.5, Collect);
    DrawRect(10, 10, 20, 20, 0xFFFFFF);
    EXPECT_NEAR(static_cast<int>(Red(15, 15)), 128, 1);
    EXPECT_TRUE(g_messages.empty());
    tvk::SetShaderUniform(Table(), "unused", 1.0, Collect);  // optimised away by the compiler
    EXPECT_EQ(g_messages, (std::vector<std::string>{"undefined uniform:", "unused"}));
}

TEST_F(Shaders, CompileFailuresReportTheLogAndTheStage) {
    std::string broken = Write("broken.frag", "void main() { this is not GLSL }\n");
    EXPECT_FALSE(tvk::LoadShaderPair(Table(), 1, "", broken.c_str(), Collect));
    ASSERT_GE(g_messages.size(), 2u);
    EXPECT_FALSE(g_messages.front().empty()) << "the driver's log comes first";
    EXPECT_EQ(g_messages.back(), "fragment shader failed");
    EXPECT_EQ(LoadShader(1, "", broken.c_str()), 0);
}

TEST_F(Shaders, UnreadableFilesLeaveTheirStageOutAndIndicesBeyondTheTableFail) {
    std::string fragment = Write("red.frag", kRedFragment);
    EXPECT_EQ(LoadShader(2, (tempDir_ + "/missing.vert").c_str(), fragment.c_str()), 1);
    EXPECT_EQ(Table().entries[2].vertex, 0u);
    EXPECT_NE(Table().entries[2].fragment, 0u);
    EXPECT_EQ(LoadShader(255, "", fragment.c_str()), 0);
    EXPECT_EQ(LoadShader(-1, "", fragment.c_str()), 0);
}

TEST_F(Shaders, EveryFrameStartsWithFixedFunctionDrawing) {
    std::string fragment = Write("red.frag", kRedFragment);
    ASSERT_EQ(LoadShader(0, "", fragment.c_str()), 1);
    UseShader(0);
    EXPECT_EQ(Table().current, 0);
    ShowScreen();
    EXPECT_EQ(Table().current, -1);
    SetShaderFloat("level", 1.0);  // no shader current: nothing happens
}

}  // namespace
