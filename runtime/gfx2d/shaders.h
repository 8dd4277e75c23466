// GLSL shader pairs loaded from program files (the GL side is gl/shader_programs.h).
#pragma once

#include "gl/shader_programs.h"

namespace tvk {

// The renderer's table; null without a renderer.
ShaderTable* ActiveShaderTable();

// Compiles and links a pair into entry `index` (an empty name leaves out that stage; a file that
// cannot be read does too, and is no error). True when everything that was tried succeeded.
bool LoadShaderPair(ShaderTable& table, int index, const char* vertexFile, const char* fragmentFile,
                    ShaderMessages messages);
// The messages of the commands: to the debug output while the debug flag is on.
void DebugShaderMessages(const char* text);
// Integer uniforms for the 3D drawing (its texture samplers).
void SetShaderInt(const char* name, int value);

}  // namespace tvk
