// Every include under runtime/ keeps to the layer order that docs/ARCHITECTURE.md states.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "include_layers.h"

namespace {

namespace fs = std::filesystem;
using tvk::test::LayerRules;
using tvk::test::SourceFile;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<SourceFile> RuntimeSources() {
    const fs::path runtime = fs::path(TVK_SOURCE_DIR) / "runtime";
    std::vector<SourceFile> files;
    for (const auto& entry : fs::recursive_directory_iterator(runtime)) {
        std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp")) continue;
        fs::path relative = fs::relative(entry.path(), runtime);
        std::string folder = relative.begin()->string();
        if (folder == "include") folder = "tarnvik";  // the public headers
        files.push_back({folder, relative.string(), ReadText(entry.path())});
    }
    return files;
}

LayerRules DocumentedRules() {
    return tvk::test::ParseLayerTable(ReadText(fs::path(TVK_SOURCE_DIR) / "docs" / "ARCHITECTURE.md"));
}

TEST(IncludeLayers, EveryRuntimeIncludeKeepsToTheDocumentedOrder) {
    LayerRules rules = DocumentedRules();
    ASSERT_GE(rules.size(), 10u) << "the layer table of docs/ARCHITECTURE.md was not found";
    std::vector<SourceFile> files = RuntimeSources();
    ASSERT_GT(files.size(), 100u);
    std::string report;
    for (const std::string& v : tvk::test::LayerViolations(rules, files)) report += v + "\n";
    EXPECT_TRUE(report.empty()) << report;
}

TEST(IncludeLayers, AWrongWayIncludeAndAnUnlistedFolderAreCaught) {
    LayerRules rules = DocumentedRules();
    std::vector<SourceFile> files;
    files.push_back({"core", "core/top.cpp", "#include \"gfx3d/scene.h\"\n#include \"net/session.h\"\n"});
    files.push_back({"platform", "platform/added.cpp", "#include \"platform/window.h\"\n#include \"core/lifecycle.h\"\n"});
    files.push_back({"base", "base/added.h", "// #include \"gfx2d/renderer.h\" in a comment is no include\n"});
    files.push_back({"elsewhere", "elsewhere/x.cpp", ""});
    std::vector<std::string> found = tvk::test::LayerViolations(rules, files);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0], "platform/added.cpp:2: platform includes core/lifecycle.h");
    EXPECT_EQ(found[1], "elsewhere/x.cpp: folder elsewhere has no row in the layer table");
}

TEST(IncludeLayers, TheTableIsReadOnlyUnderItsHeading) {
    LayerRules rules = tvk::test::ParseLayerTable(
        "## Other\n| `a` | `b` |\n## Layer order\n| folder | may include |\n|---|---|\n"
        "| `gl` | `base`, `platform` |\n| `core` | `*` |\n## Next\n| `c` | `d` |\n");
    ASSERT_EQ(rules.size(), 2u);
    EXPECT_EQ(rules["gl"], (std::set<std::string>{"base", "platform"}));
    EXPECT_EQ(rules["core"], (std::set<std::string>{"*"}));
}

}  // namespace
