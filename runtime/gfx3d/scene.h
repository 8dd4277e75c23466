// Dodurudo3D: the 3D scene, bound to the renderer. It switches the renderer to perspective
// drawing for the rest of a frame and holds the camera, lights, fog, culling and the object
// transforms that object drawing multiplies onto the camera.
#pragma once

#include <array>
#include <cstdint>

#include "gfx3d/matrix4.h"
#include "gfx3d/object_table.h"
#include "gfx3d/object_transform.h"

namespace tvk {

class OpenGLDodurudo;

enum class ShadowMode : int8_t { BumpMapping = 1, Toon = 2, StencilVolumes = 3 };

struct ShadowLight {
    float position[3] = {0, 0, 0};
    float colour[3] = {0, 0, 0};
    ShadowMode mode = ShadowMode::BumpMapping;
    bool enabled = false;
};

class Dodurudo3D {
public:
    explicit Dodurudo3D(OpenGLDodurudo* renderer) : renderer_(renderer) {}
    virtual ~Dodurudo3D() = default;
    Dodurudo3D(const Dodurudo3D&) = delete;
    Dodurudo3D& operator=(const Dodurudo3D&) = delete;

    OpenGLDodurudo* Renderer() const { return renderer_; }

    // Entering and leaving 3D drawing.
    void Start(float nearClip, float farClip, float fov);
    void ClearDepth();
    void End();

    // Camera.
    void SetCameraUp(float x, float y, float z);
    void SetCamera(float eyeX, float eyeY, float eyeZ, float targetX, float targetY, float targetZ);
    const Matrix4& CameraMatrix() const { return cameraMatrix_; }
    const float* Eye() const { return eye_; }
    const float* Target() const { return target_; }
    // Objects within the view; used to skip drawing what cannot be seen.
    bool SphereVisible(float x, float y, float z, float radius) const;
    float ViewConeTangent() const { return viewConeTangent_; }
    float NearClip() const { return near_; }
    float FarClip() const { return far_; }

    // Lights (id >= 0: GL light id & 7; id < 0: the shadow light), fog, culling.
    void SetLight(int32_t id, int32_t colour, const float position[3], const float direction[3], float cutoff);
    void SetHeadLight(int32_t id, int32_t colour);
    uint8_t LightMask() const { return lightMask_; }
    const ShadowLight& Shadow() const { return shadow_; }
    void SetFog(int32_t colour, bool exponential, float startOrDensity, float end);
    void SetCullMode(int mode);
    int8_t CullMode() const { return cullMode_; }
    void ApplyCullMode() const;

    // The stencil shadow pass: object drawing draws the volumes while it is active.
    void BeginShadowPass();
    void EndShadowPass();
    bool ShadowPassActive() const { return shadowPassActive_; }
    // The frame ends any pending shadow pass, which darkens the shadowed pixels.
    void StencilDrawingOff() { EndShadowPass(); }

    // Textures for 3D draws.
    void SetTexture(int32_t slot, int32_t secondSlot);
    void BindTextures();  // the stored pair again, as object drawing does before each object
    void SetMipmapping(bool on) { mipmapping_ = on; }
    bool Mipmapping() const { return mipmapping_; }
    // The value the 3D commands share within one frame: the mipmapping switch.
    void ResetSharedValue() { mipmapping_ = false; }
    void SetTextureOffset(float u, float v) {
        textureOffset_[0] = u;
        textureOffset_[1] = v;
    }
    const float* TextureOffset() const { return textureOffset_; }
    void SetEnvironmentMapping(bool on) { environmentMapping_ = on; }
    bool EnvironmentMapping() const { return environmentMapping_; }

    // Object transforms; Apply multiplies the composed current level onto the modelview.
    ObjectTransformStack& Transforms() { return transforms_; }
    void ApplyObjectTransform();

    // The objects the program built or loaded.
    ObjectTable& Objects() { return objects_; }

    // 3D points, lines and the axes marker.
    void DrawPoint(const float p[3], int32_t colour, float size);
    void DrawLine(const float a[3], const float b[3], int32_t colour, float width);
    void DrawAxes(float x, float y, float z);

private:
    void SetProjection(float fov);
    void StoreCamera(const Matrix4& view);
    void SetSamplerUniforms();
    bool ShaderInUse() const;
    template <class Draw>
    void DrawFlat(int32_t colour, Draw draw);

    OpenGLDodurudo* renderer_;
    float near_ = 1, far_ = 1000;
    float viewConeTangent_ = 1;
    float eye_[3] = {0, 0, 0};
    float target_[3] = {0, 0, -1};
    float up_[3] = {0, 1, 0};
    Matrix4 cameraMatrix_ = IdentityMatrix();
    std::array<Plane, 6> frustum_{};
    float textureOffset_[2] = {0, 0};
    uint8_t lightMask_ = 0;
    bool environmentMapping_ = false;
    int8_t cullMode_ = 0;
    ShadowLight shadow_;
    bool shadowPassActive_ = false;
    int32_t textureSlot_ = -1, secondTextureSlot_ = -1;
    bool textureMipmapped_ = false;  // the switch as it was when the pair was set
    bool mipmapping_ = false;
    ObjectTransformStack transforms_;
    ObjectTable objects_;
};

extern Dodurudo3D* g_scene;

}  // namespace tvk
