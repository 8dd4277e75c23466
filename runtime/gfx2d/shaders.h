// GLSL shader pairs loaded from files, selected for drawing, given float and integer uniforms.
#pragma once

#include <array>
#include <cstdint>

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

// The renderer's table; null without a renderer.
ShaderTable* ActiveShaderTable();

// Compiles and links a pair into entry `index` (an empty name leaves out that stage; a file that
// cannot be read does too, and is no error). True when everything that was tried succeeded.
bool LoadShaderPair(ShaderTable& table, int index, const char* vertexFile, const char* fragmentFile,
                    ShaderMessages messages);
// index < 255 selects that entry; anything else returns to fixed-function drawing.
void SelectShader(ShaderTable& table, uint32_t index);
void SetShaderUniform(ShaderTable& table, const char* name, double value, ShaderMessages messages);
void SetShaderUniformInt(ShaderTable& table, const char* name, int value, ShaderMessages messages);
// The messages of the commands: to the debug output while the debug flag is on.
void DebugShaderMessages(const char* text);
// Integer uniforms for the 3D drawing (its texture samplers).
void SetShaderInt(const char* name, int value);

}  // namespace tvk
