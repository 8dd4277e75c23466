#include "core/software_gl_check.h"

#include <GL/gl.h>

#include <cstring>
#include <string>

#include "files/file_stream.h"
#include "platform/dialogs.h"
#include "tarnvik/core.h"

namespace tvk {
namespace {
bool g_warningGiven = false;

constexpr const char* kBuiltinDriverText =
    "Please update your GFX adapter's driver\nso it can render OpenGL by HARDWARE\n\n\n"
    "Bitte aktualisieren Sie Ihren\nGrafkkartentreiber, damit er OpenGL\nper HARDWARE unterst\xfctzt!";

// The optional notice a program ships next to itself; at most 2047 bytes are shown.
bool ReadDriverNotice(std::string& text) {
    FileStream in;
    if (!in.OpenRead("opengldriver.txt")) return false;
    char buffer[2048];
    size_t n = in.ReadUpTo(buffer, sizeof(buffer) - 1);
    text.assign(buffer, n);
    return true;
}
}  // namespace

bool IsSoftwareRenderer(const char* r) {
    if (!r) return false;
    return std::strstr(r, "llvmpipe") || std::strstr(r, "softpipe") || std::strstr(r, "swrast") ||
           std::strcmp(r, "Mesa Windows GDI Driver") == 0;
}

void CheckSoftwareRenderer() {
    if (g_warningGiven) return;
    static const char* rendererString = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    if (!IsSoftwareRenderer(rendererString)) return;
    g_warningGiven = true;
    WriteErrorLog("*** OpenGL Software Emulation - update driver!");
    std::string notice;
    if (ReadDriverNotice(notice))
        platform::ShowWarningBox("No OpenGL Hardware Drivers", notice.empty() ? kBuiltinDriverText : notice.c_str());
}

}  // namespace tvk
