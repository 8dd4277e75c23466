#include "gl/gl_extensions.h"

#include <cstdio>
#include <cstring>

#include "platform/window.h"

namespace tvk::gl {

PFNGLACTIVETEXTUREARBPROC glActiveTextureARB = nullptr;
PFNGLMULTITEXCOORD2FARBPROC glMultiTexCoord2fARB = nullptr;
PFNGLCLIENTACTIVETEXTUREARBPROC glClientActiveTextureARB = nullptr;
PFNGLGENBUFFERSARBPROC glGenBuffersARB = nullptr;
PFNGLBINDBUFFERARBPROC glBindBufferARB = nullptr;
PFNGLBUFFERDATAARBPROC glBufferDataARB = nullptr;
PFNGLDELETEBUFFERSARBPROC glDeleteBuffersARB = nullptr;
PFNGLMAPBUFFERARBPROC glMapBufferARB = nullptr;
PFNGLUNMAPBUFFERARBPROC glUnmapBufferARB = nullptr;
PFNGLGETBUFFERPARAMETERIVARBPROC glGetBufferParameterivARB = nullptr;

PFNGLCREATEPROGRAMOBJECTARBPROC glCreateProgramObjectARB = nullptr;
PFNGLDELETEOBJECTARBPROC glDeleteObjectARB = nullptr;
PFNGLCREATESHADEROBJECTARBPROC glCreateShaderObjectARB = nullptr;
PFNGLSHADERSOURCEARBPROC glShaderSourceARB = nullptr;
PFNGLCOMPILESHADERARBPROC glCompileShaderARB = nullptr;
PFNGLGETOBJECTPARAMETERIVARBPROC glGetObjectParameterivARB = nullptr;
PFNGLATTACHOBJECTARBPROC glAttachObjectARB = nullptr;
PFNGLGETINFOLOGARBPROC glGetInfoLogARB = nullptr;
PFNGLLINKPROGRAMARBPROC glLinkProgramARB = nullptr;
PFNGLUSEPROGRAMOBJECTARBPROC glUseProgramObjectARB = nullptr;
PFNGLGETUNIFORMLOCATIONARBPROC glGetUniformLocationARB = nullptr;
PFNGLUNIFORM1FARBPROC glUniform1fARB = nullptr;
PFNGLUNIFORM1IARBPROC glUniform1iARB = nullptr;
PFNGLGETATTRIBLOCATIONARBPROC glGetAttribLocationARB = nullptr;
PFNGLVERTEXATTRIB1FARBPROC glVertexAttrib1fARB = nullptr;

PFNGLGENFRAMEBUFFERSEXTPROC glGenFramebuffersEXT = nullptr;
PFNGLBINDFRAMEBUFFEREXTPROC glBindFramebufferEXT = nullptr;
PFNGLDELETEFRAMEBUFFERSEXTPROC glDeleteFramebuffersEXT = nullptr;
PFNGLFRAMEBUFFERTEXTURE2DEXTPROC glFramebufferTexture2DEXT = nullptr;
PFNGLCHECKFRAMEBUFFERSTATUSEXTPROC glCheckFramebufferStatusEXT = nullptr;
PFNGLGENRENDERBUFFERSEXTPROC glGenRenderbuffersEXT = nullptr;
PFNGLBINDRENDERBUFFEREXTPROC glBindRenderbufferEXT = nullptr;
PFNGLDELETERENDERBUFFERSEXTPROC glDeleteRenderbuffersEXT = nullptr;
PFNGLRENDERBUFFERSTORAGEEXTPROC glRenderbufferStorageEXT = nullptr;
PFNGLFRAMEBUFFERRENDERBUFFEREXTPROC glFramebufferRenderbufferEXT = nullptr;

namespace {
template <typename Fn>
void Lookup(Fn& slot, const char* name) {
    slot = reinterpret_cast<Fn>(platform::GlProcAddress(name));
}
}  // namespace

void ProbeEntryPoints() {
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (!extensions) return;
    // Plain containment, as the groups were always probed.
    if (std::strstr(extensions, "GL_ARB_multitexture")) {
        Lookup(glActiveTextureARB, "glActiveTextureARB");
        Lookup(glMultiTexCoord2fARB, "glMultiTexCoord2fARB");
        Lookup(glClientActiveTextureARB, "glClientActiveTextureARB");
        Lookup(glGenBuffersARB, "glGenBuffersARB");
        Lookup(glBindBufferARB, "glBindBufferARB");
        Lookup(glBufferDataARB, "glBufferDataARB");
        Lookup(glDeleteBuffersARB, "glDeleteBuffersARB");
        Lookup(glMapBufferARB, "glMapBufferARB");
        Lookup(glUnmapBufferARB, "glUnmapBufferARB");
        Lookup(glGetBufferParameterivARB, "glGetBufferParameterivARB");
    }
    if (std::strstr(extensions, "GL_ARB_fragment_program")) {
        Lookup(glCreateProgramObjectARB, "glCreateProgramObjectARB");
        Lookup(glDeleteObjectARB, "glDeleteObjectARB");
        Lookup(glCreateShaderObjectARB, "glCreateShaderObjectARB");
        Lookup(glShaderSourceARB, "glShaderSourceARB");
        Lookup(glCompileShaderARB, "glCompileShaderARB");
        Lookup(glGetObjectParameterivARB, "glGetObjectParameterivARB");
        Lookup(glAttachObjectARB, "glAttachObjectARB");
        Lookup(glGetInfoLogARB, "glGetInfoLogARB");
        Lookup(glLinkProgramARB, "glLinkProgramARB");
        Lookup(glUseProgramObjectARB, "glUseProgramObjectARB");
        Lookup(glGetUniformLocationARB, "glGetUniformLocationARB");
        Lookup(glUniform1fARB, "glUniform1fARB");
        Lookup(glUniform1iARB, "glUniform1iARB");
        Lookup(glGetAttribLocationARB, "glGetAttribLocationARB");
        Lookup(glVertexAttrib1fARB, "glVertexAttrib1fARB");
    }
}

void ProbeFramebufferEntryPoints() {
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    const bool present = extensions && std::strstr(extensions, "GL_EXT_framebuffer_object");
    auto probe = [present](auto& slot, const char* name) {
        if (present) Lookup(slot, name);
        else slot = nullptr;
        std::printf("ext: %-35s   [%4s]\n", name, slot ? "OK" : "FAIL");
    };
    probe(glGenFramebuffersEXT, "glGenFramebuffersEXT");
    probe(glBindFramebufferEXT, "glBindFramebufferEXT");
    probe(glDeleteFramebuffersEXT, "glDeleteFramebuffersEXT");
    probe(glFramebufferTexture2DEXT, "glFramebufferTexture2DEXT");
    probe(glCheckFramebufferStatusEXT, "glCheckFramebufferStatusEXT");
    probe(glGenRenderbuffersEXT, "glGenRenderbuffersEXT");
    probe(glBindRenderbufferEXT, "glBindRenderbufferEXT");
    probe(glDeleteRenderbuffersEXT, "glDeleteRenderbuffersEXT");
    probe(glRenderbufferStorageEXT, "glRenderbufferStorageEXT");
    probe(glFramebufferRenderbufferEXT, "glFramebufferRenderbufferEXT");
    std::fflush(stdout);
}

}  // namespace tvk::gl

namespace tvk {

bool HasGLExtension(const char* name) {
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (!extensions || !name || !*name) return false;
    size_t n = std::strlen(name);
    for (const char* p = std::strstr(extensions, name); p; p = std::strstr(p + 1, name)) {
        bool starts = p == extensions || p[-1] == ' ';
        bool ends = p[n] == '\0' || p[n] == ' ';
        if (starts && ends) return true;
    }
    return false;
}

}  // namespace tvk
