#include "gl/shader_programs.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <vector>

#include "gl/gl_extensions.h"
#include "gl/quad_batch.h"

namespace tvk {
namespace {

void Report(ShaderMessages messages, const char* text) {
    if (messages) messages(text);
}

void ReportInfoLog(GLhandleARB object, ShaderMessages messages) {
    gl::FinishQuads();
    if (!messages || !gl::glGetObjectParameterivARB || !gl::glGetInfoLogARB) return;
    GLint length = 0;
    gl::glGetObjectParameterivARB(object, GL_OBJECT_INFO_LOG_LENGTH_ARB, &length);
    if (length <= 0) return;
    std::vector<GLcharARB> log(static_cast<size_t>(length) + 1, 0);
    gl::glGetInfoLogARB(object, length, nullptr, log.data());
    messages(log.data());
}

// One stage: 0 without a source (no shader, no error), else the compiled object; a failed
// compile reports and sets `failed`.
GLhandleARB CompileStage(const std::string* source, GLenum type, const char* failure, ShaderMessages messages,
                         bool& failed) {
    gl::FinishQuads();
    if (!source) return 0;
    GLhandleARB shader = gl::glCreateShaderObjectARB(type);
    const GLcharARB* text = source->c_str();
    gl::glShaderSourceARB(shader, 1, &text, nullptr);
    gl::glCompileShaderARB(shader);
    GLint compiled = 0;
    if (gl::glGetObjectParameterivARB) gl::glGetObjectParameterivARB(shader, GL_OBJECT_COMPILE_STATUS_ARB, &compiled);
    if (!compiled) {
        ReportInfoLog(shader, messages);
        Report(messages, failure);
        failed = true;
    }
    return shader;
}

void DeleteEntry(ShaderEntry& entry) {
    gl::FinishQuads();
    for (uint32_t object : {entry.program, entry.vertex, entry.fragment})
        if (object) gl::glDeleteObjectARB(object);
    entry = ShaderEntry{};
}

int UniformLocation(ShaderTable& table, const char* name, ShaderMessages messages) {
    gl::FinishQuads();
    if (!gl::glGetUniformLocationARB || table.current < 0 || !name) return -1;
    int location = gl::glGetUniformLocationARB(table.entries[static_cast<size_t>(table.current)].program, name);
    if (location == -1) {
        Report(messages, "undefined uniform:");
        Report(messages, name);
    }
    return location;
}

bool g_missingSupportReported = false;

}  // namespace

bool BuildShaderPair(ShaderTable& table, int index, const std::string* vertexSource,
                     const std::string* fragmentSource, ShaderMessages messages) {
    if (index < 0 || index >= kShaderSlots) return false;
    if (!gl::glCreateShaderObjectARB || !gl::glCompileShaderARB || !gl::glLinkProgramARB ||
        !gl::glShaderSourceARB || !gl::glCreateProgramObjectARB || !gl::glAttachObjectARB) {
        if (!g_missingSupportReported) Report(messages, "No OpenGL 2.0 Shader Support");
        g_missingSupportReported = true;
        return false;
    }
    ShaderEntry& entry = table.entries[static_cast<size_t>(index)];
    if (gl::glDeleteObjectARB) DeleteEntry(entry);
    bool failed = false;
    entry.vertex = CompileStage(vertexSource, GL_VERTEX_SHADER_ARB, "vertex shader failed", messages, failed);
    entry.fragment = CompileStage(fragmentSource, GL_FRAGMENT_SHADER_ARB, "fragment shader failed", messages, failed);
    if (!failed && (entry.vertex || entry.fragment)) {
        entry.program = gl::glCreateProgramObjectARB();
        if (entry.vertex) gl::glAttachObjectARB(entry.program, entry.vertex);
        if (entry.fragment) gl::glAttachObjectARB(entry.program, entry.fragment);
        gl::glLinkProgramARB(entry.program);
        GLint linked = 0;
        if (gl::glGetObjectParameterivARB) gl::glGetObjectParameterivARB(entry.program, GL_OBJECT_LINK_STATUS_ARB, &linked);
        if (!linked) {
            ReportInfoLog(entry.program, messages);
            Report(messages, "link shader failed");
            failed = true;
        }
    }
    return !failed;
}

void SelectShader(ShaderTable& table, uint32_t index) {
    gl::FinishQuads();
    if (!gl::glUseProgramObjectARB) return;
    if (index < static_cast<uint32_t>(kShaderSlots)) {
        table.current = static_cast<int>(index);
        gl::glUseProgramObjectARB(table.entries[index].program);
    } else {
        gl::glUseProgramObjectARB(0);
        table.current = -1;
    }
}

void SetShaderUniform(ShaderTable& table, const char* name, double value, ShaderMessages messages) {
    gl::FinishQuads();
    int location = UniformLocation(table, name, messages);
    if (location != -1 && gl::glUniform1fARB) gl::glUniform1fARB(location, static_cast<float>(value));
}

void SetShaderUniformInt(ShaderTable& table, const char* name, int value, ShaderMessages messages) {
    gl::FinishQuads();
    int location = UniformLocation(table, name, messages);
    if (location != -1 && gl::glUniform1iARB) gl::glUniform1iARB(location, value);
}

}  // namespace tvk
