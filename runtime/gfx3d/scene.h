// Dodurudo3D: the 3D scene, bound to the renderer.
#pragma once

#include "gfx2d/shaders.h"

namespace tvk {

class OpenGLDodurudo;

class Dodurudo3D {
public:
    explicit Dodurudo3D(OpenGLDodurudo* renderer) : renderer_(renderer) {}
    virtual ~Dodurudo3D() = default;
    Dodurudo3D(const Dodurudo3D&) = delete;
    Dodurudo3D& operator=(const Dodurudo3D&) = delete;

    void StencilDrawingOff() { stencilDrawing_ = false; }
    // The value the 3D commands share within one frame.
    void ResetSharedValue() { sharedValue_ = 0; }
    // The shader pairs the program loaded, for 2D and 3D drawing alike.
    ShaderTable& Shaders() { return shaders_; }

private:
    OpenGLDodurudo* renderer_;
    bool stencilDrawing_ = false;
    int sharedValue_ = 0;
    ShaderTable shaders_;
};

extern Dodurudo3D* g_scene;

}  // namespace tvk
