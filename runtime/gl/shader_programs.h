// GLSL shader pairs compiled and linked from source text, selected for drawing, given float and
// integer uniforms. Where the sources come from is the caller's business.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tvk {

constexpr int kShaderSlots = 255;

struct ShaderEntry {
    uint32_t program = 0, vertex = 0, fragment = 0;  // 0 = none
};

// Every failure text goes to a message callback; null drops them.
using ShaderMessages = void (*)(const char* text);

struct ShaderTable {
    std::array<ShaderEntry, kShaderSlots> entries{};
    int current = -1;  // -1: fixed-function drawing
};

// Builds entry `index` (0..254) from the two sources; a null source leaves out that stage.
// False for an index outside the table, without shader support, or when a compile or the link
// failed (each failure reported with the driver's log).
bool BuildShaderPair(ShaderTable& table, int index, const std::string* vertexSource,
                     const std::string* fragmentSource, ShaderMessages messages);
// index < 255 selects that entry; anything else returns to fixed-function drawing.
void SelectShader(ShaderTable& table, uint32_t index);
void SetShaderUniform(ShaderTable& table, const char* name, double value, ShaderMessages messages);
void SetShaderUniformInt(ShaderTable& table, const char* name, int value, ShaderMessages messages);

}  // namespace tvk
