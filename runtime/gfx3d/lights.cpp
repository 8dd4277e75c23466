// Lights, fog and face culling of the scene.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "base/colour.h"
#include "gfx3d/scene.h"
#include "gl/quad_batch.h"

namespace tvk {
namespace {

constexpr float kTinySquaredLength = 1e-7f;
constexpr float kShadowLightThreshold = 0.00001f;
constexpr float kNoSpotCone = 180;

// Normalised when long enough to be a direction; tiny vectors are kept as they are.
void NormalizeDirection(float v[3]) {
    float squared = v[0] * v[0] + v[1] * v[1] + v[2] * v[2];
    if (squared <= kTinySquaredLength) return;
    float length = std::sqrt(squared);
    for (int i = 0; i < 3; ++i) v[i] /= length;
}

ShadowMode ShadowModeFor(int32_t id) {
    if (id == -1) return ShadowMode::BumpMapping;
    if (id == -3) return ShadowMode::StencilVolumes;
    return ShadowMode::Toon;
}

}  // namespace

void Dodurudo3D::SetLight(int32_t id, int32_t colour, const float position[3], const float direction[3],
                          float cutoff) {
    gl::FinishQuads();
    float rgb[3];
    ColourToFloats(colour, rgb);
    if (id < 0) {
        std::copy(position, position + 3, shadow_.position);
        std::copy(rgb, rgb + 3, shadow_.colour);
        shadow_.enabled = std::fabs(cutoff) >= kShadowLightThreshold;
        shadow_.mode = ShadowModeFor(id);
        if (id == -3) {
            if (shadow_.enabled) {
                BeginShadowPass();
            } else {
                EndShadowPass();
            }
        }
        return;
    }
    const int number = id & 7;
    const GLenum light = GL_LIGHT0 + number;
    if (cutoff == 0) {
        glDisable(light);
        lightMask_ &= static_cast<uint8_t>(~(1u << number));
        if (lightMask_ == 0) glDisable(GL_LIGHTING);
        return;
    }
    glEnable(GL_LIGHTING);
    glEnable(light);
    lightMask_ |= static_cast<uint8_t>(1u << number);
    glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();  // positions are taken through the modelview current now: lights follow the camera

    const float diffuse[4] = {rgb[0], rgb[1], rgb[2], 1};
    const float noSpecular[4] = {0, 0, 0, 1};
    float dir[3] = {direction[0], direction[1], direction[2]};
    const bool ambientOnly = std::all_of(position, position + 3, [](float v) { return v == 0; }) &&
                             std::all_of(dir, dir + 3, [](float v) { return v == 0; });
    glLightfv(light, GL_DIFFUSE, diffuse);
    if (ambientOnly) {
        const float overhead[4] = {0, 0, 1, 0};
        glLightfv(light, GL_POSITION, overhead);
        glLightfv(light, GL_SPECULAR, noSpecular);
        glLightf(light, GL_SPOT_CUTOFF, kNoSpotCone);
    } else if (cutoff == kNoSpotCone) {
        NormalizeDirection(dir);
        const float from[4] = {-dir[0], -dir[1], -dir[2], 0};
        glLightf(light, GL_SPOT_CUTOFF, kNoSpotCone);
        glLightfv(light, GL_POSITION, from);
        glLightfv(light, GL_SPECULAR, noSpecular);
    } else {
        const float at[4] = {position[0], position[1], position[2], 1};
        glLightfv(light, GL_POSITION, at);
        glLightfv(light, GL_SPECULAR, diffuse);
        if (cutoff > 90) {
            glLightf(light, GL_SPOT_CUTOFF, kNoSpotCone);
        } else {
            // GL refuses cones below 0 and would keep the previous one.
            glLightf(light, GL_SPOT_CUTOFF, std::max(cutoff, 0.0f));
            NormalizeDirection(dir);
            glLightfv(light, GL_SPOT_DIRECTION, dir);
        }
    }
    glPopMatrix();
}

void Dodurudo3D::SetHeadLight(int32_t id, int32_t colour) {
    const float toOrigin[3] = {-eye_[0], -eye_[1], -eye_[2]};
    SetLight(id, colour, eye_, toOrigin, kNoSpotCone);
}

void Dodurudo3D::SetFog(int32_t colour, bool exponential, float startOrDensity, float end) {
    gl::FinishQuads();
    if (colour == -1) {
        glDisable(GL_FOG);
        return;
    }
    glEnable(GL_FOG);
    if (exponential) {
        glFogi(GL_FOG_MODE, GL_EXP);
        glFogf(GL_FOG_DENSITY, startOrDensity);
    } else {
        glFogi(GL_FOG_MODE, GL_LINEAR);
        if (startOrDensity == 0 && end == 0) {
            startOrDensity = near_;
            end = far_;
        }
        glFogf(GL_FOG_START, startOrDensity);
        glFogf(GL_FOG_END, end);
    }
    float rgb[3];
    ColourToFloats(colour, rgb);
    const float fogColour[4] = {rgb[0], rgb[1], rgb[2], 0};
    glFogfv(GL_FOG_COLOR, fogColour);
}

void Dodurudo3D::SetCullMode(int mode) {
    cullMode_ = static_cast<int8_t>(mode > 0 ? 1 : (mode < 0 ? -1 : 0));
    ApplyCullMode();
}

void Dodurudo3D::ApplyCullMode() const {
    gl::FinishQuads();
    if (cullMode_ == 0) {
        glDisable(GL_CULL_FACE);
        return;
    }
    glFrontFace(cullMode_ > 0 ? GL_CW : GL_CCW);
    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);
}

}  // namespace tvk
