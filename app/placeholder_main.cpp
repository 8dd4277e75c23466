// Stand-in for the demo program until its drawing commands exist: a window of the
// demo's size with its grey frame and centre cross, running its frame loop until
// Escape, Alt+F4 or the close button.
#include <GL/gl.h>
#include <tarnvik.h>

void ApplySettings() {
    RuntimeSettings& s = GetRuntimeSettings();
    s.screenWidth = 800;
    s.screenHeight = 640;
    s.frameRate = 60;
    s.debugFlag = 1;
    s.windowTitle = "Zelmor";
}

namespace {
void DrawFrameAndCross() {
    const float w = 800, h = 640;
    glColor3ub(100, 100, 100);
    glBegin(GL_LINES);
    const float lines[][4] = {{1, 1, w - 1, 1},         {w - 1, 1, w - 1, h - 1}, {w - 1, h - 1, 1, h - 1},
                              {1, h - 1, 1, 1},         {w / 2, 0, w / 2, h},     {0, h / 2, w, h / 2}};
    for (const auto& l : lines) {
        glVertex2f(l[0] + 0.375f, l[1] + 0.375f);
        glVertex2f(l[2] + 0.375f, l[3] + 0.375f);
    }
    glEnd();
    glColor3ub(255, 255, 255);
}
}  // namespace

int AppMain() {
    for (;;) {
        DrawFrameAndCross();
        ShowScreen();
    }
    return 0;
}

const NameEntry AppNameTable[] = {{nullptr, nullptr}};

int main(int argc, char** argv) { RunProgram(argc, argv); }
