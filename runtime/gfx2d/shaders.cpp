#include "gfx2d/shaders.h"

#include <string>

#include "files/file_stream.h"
#include "files/resolver.h"
#include "gfx2d/frame_assets.h"
#include "gfx2d/renderer.h"
#include "tarnvik/core.h"
#include "tarnvik/gfx2d.h"

namespace tvk {
namespace {

// The whole file, through the memory resolver (so mem:// names and packed files work).
// False when it cannot be read.
bool ReadSource(const char* name, std::string& source) {
    const char* resolved = ResolveFileName(g_memoryResolver, name);
    FileStream in;
    if (!in.OpenRead(resolved ? resolved : name)) return false;
    const int64_t size = in.Size();
    if (size < 0 || size > (64 << 20)) return false;  // no shader is that large
    source.resize(static_cast<size_t>(size));
    source.resize(in.ReadUpTo(source.data(), source.size()));
    return true;
}

}  // namespace

ShaderTable* ActiveShaderTable() { return g_renderer ? &g_renderer->shaders : nullptr; }

bool LoadShaderPair(ShaderTable& table, int index, const char* vertexFile, const char* fragmentFile,
                    ShaderMessages messages) {
    std::string vertex, fragment;
    const bool hasVertex = vertexFile && *vertexFile && ReadSource(vertexFile, vertex);
    const bool hasFragment = fragmentFile && *fragmentFile && ReadSource(fragmentFile, fragment);
    return BuildShaderPair(table, index, hasVertex ? &vertex : nullptr, hasFragment ? &fragment : nullptr, messages);
}

void DebugShaderMessages(const char* text) {
    if (GetRuntimeSettings().debugFlag == 0) return;
    DebugPrint(RtString((std::string(text) + "\n").c_str()));
}

void SetShaderInt(const char* name, int value) {
    if (ShaderTable* table = ActiveShaderTable()) SetShaderUniformInt(*table, name, value, DebugShaderMessages);
}

void DisableActiveShader() {
    if (ShaderTable* table = ActiveShaderTable()) SelectShader(*table, 0xFFFFFFFFu);
}

}  // namespace tvk

RtInt LoadShader(RtInt index, const RtString& vertexFile, const RtString& fragmentFile) {
    tvk::ShaderTable* table = tvk::ActiveShaderTable();
    if (!table) return 0;
    return tvk::LoadShaderPair(*table, index, vertexFile.c_str(), fragmentFile.c_str(), tvk::DebugShaderMessages) ? 1 : 0;
}

void UseShader(RtInt index) {
    if (tvk::ShaderTable* table = tvk::ActiveShaderTable()) tvk::SelectShader(*table, static_cast<uint32_t>(index));
}

void SetShaderFloat(const RtString& name, RtNumber value) {
    if (tvk::ShaderTable* table = tvk::ActiveShaderTable())
        tvk::SetShaderUniform(*table, name.c_str(), value, tvk::DebugShaderMessages);
}
