#include "gfx3d/scene.h"

#include <GL/gl.h>

#include <cmath>
#include <initializer_list>

#include "gfx2d/renderer.h"
#include "gfx2d/texture_binding.h"
#include "gl/quad_batch.h"
#include "gl/gl_state.h"

namespace tvk {

Dodurudo3D* g_scene = nullptr;

namespace {

constexpr float kDegreesToRadians = 0.017453292f;
constexpr float kPi = 3.1415927f;
constexpr float kWidestConeAngle = 1.5533430576324463f;  // 89 degrees
constexpr float kOrthographicScale = 100;

Matrix4 CurrentMatrix(GLenum which) {
    gl::FinishQuads();
    Matrix4 m{};
    glGetFloatv(which, m.data());
    return m;
}

}  // namespace

void Dodurudo3D::SetProjection(float fov) {
    gl::FinishQuads();
    OpenGLDodurudo* r = renderer_;
    int32_t vw = r->viewW > 0 ? r->viewW : r->width;
    int32_t vh = r->viewH > 0 ? r->viewH : r->height;
    if (vw <= 0 || vh <= 0) vw = vh = 1;
    glViewport(r->viewX, r->height - vh - r->viewY, vw, vh);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    float aspect = static_cast<float>(vw) / static_cast<float>(vh);
    if (fov > 0) {
        float h = near_ * ProjectionTangent(fov * kPi / 360);
        glFrustum(-aspect * h, aspect * h, -h, h, near_, far_);
    } else {
        float h = near_ * ProjectionTangent(-fov * kPi / 360) * kOrthographicScale;
        glOrtho(-aspect * h, aspect * h, -h, h, near_, far_);
        viewConeTangent_ = std::tan(kWidestConeAngle);
    }
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void Dodurudo3D::Start(float nearClip, float farClip, float fov) {
    gl::FinishQuads();
    EndShadowPass();
    glClear(GL_DEPTH_BUFFER_BIT);
    renderer_->clearDepthOnce = true;

    float cone = fov + 5;
    viewConeTangent_ = cone > 89 ? std::tan(kWidestConeAngle) : std::tan(cone * kDegreesToRadians);
    up_[0] = 0, up_[1] = 1, up_[2] = 0;
    near_ = nearClip;
    far_ = farClip;
    SetProjection(fov);

    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    gl::SetAlphaTest(true);
    gl::SetAlphaFunction(GL_GREATER, 0.05f);
    gl::SetColour(1, 1, 1, renderer_->currentAlpha);
    for (GLenum cap : {GL_FOG, GL_POINT_SMOOTH, GL_LINE_SMOOTH, GL_POLYGON_SMOOTH, GL_POLYGON_OFFSET_POINT,
                       GL_AUTO_NORMAL, GL_STENCIL_TEST, GL_NORMALIZE, GL_LIGHTING})
        glDisable(cap);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DITHER);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);

    environmentMapping_ = false;
    shadow_.enabled = false;
    SetCullMode(0);
    textureSlot_ = secondTextureSlot_ = -1;
    BindTexture(renderer_, -1, -1, false);

    const float eye[3] = {0, 0, 0}, target[3] = {0, 0, -1};
    SetCamera(eye[0], eye[1], eye[2], target[0], target[1], target[2]);
    if (ShaderInUse()) SetSamplerUniforms();
}

void Dodurudo3D::ClearDepth() {
    gl::FinishQuads();
    EndShadowPass();
    glClear(GL_DEPTH_BUFFER_BIT);
}

void Dodurudo3D::End() {
    EndShadowPass();
    SetViewport(renderer_, 0, 0, 0, 0);
}

void Dodurudo3D::SetCameraUp(float x, float y, float z) {
    up_[0] = x, up_[1] = y, up_[2] = z;
}

void Dodurudo3D::SetCamera(float eyeX, float eyeY, float eyeZ, float targetX, float targetY, float targetZ) {
    eye_[0] = eyeX, eye_[1] = eyeY, eye_[2] = eyeZ;
    target_[0] = targetX, target_[1] = targetY, target_[2] = targetZ;
    StoreCamera(LookAtMatrix(eye_, target_, up_));
}

void Dodurudo3D::StoreCamera(const Matrix4& view) {
    gl::FinishQuads();
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(view.data());
    cameraMatrix_ = view;
    transforms_.Reset();
    frustum_ = ExtractFrustumPlanes(CurrentMatrix(GL_PROJECTION_MATRIX), view);
}

bool Dodurudo3D::SphereVisible(float x, float y, float z, float radius) const {
    return SphereInFrustum(frustum_, x, y, z, radius);
}

void Dodurudo3D::SetSamplerUniforms() {
    SetShaderInt("TextureID1", 0);
    SetShaderInt("TextureID2", 1);
}

void Dodurudo3D::SetTexture(int32_t slot, int32_t secondSlot) {
    textureSlot_ = slot;
    secondTextureSlot_ = secondSlot;
    textureMipmapped_ = mipmapping_;
    BindTextures();
    if (ShaderInUse()) SetSamplerUniforms();
}

bool Dodurudo3D::ShaderInUse() const { return renderer_ && renderer_->shaders.current >= 0; }

void Dodurudo3D::BindTextures() { BindTexture(renderer_, textureSlot_, secondTextureSlot_, textureMipmapped_); }

void Dodurudo3D::ApplyObjectTransform() {
    gl::FinishQuads();
    glMatrixMode(GL_MODELVIEW);
    glMultMatrixf(transforms_.Compose().data());
}

}  // namespace tvk
