// Off-screen screens: drawing redirected into a sprite, through a GL frame buffer object when the
// driver has them, else drawn in the back buffer and copied out. Also grabbing and saving pictures
// of the current target.
#pragma once

#include <cstdint>

namespace tvk {

class OpenGLDodurudo;
struct RgbaImage;
struct SpriteSlot;

constexpr int32_t kOffscreenScreenCount = 32;
// The last program slot: scratch space where the fallback keeps the back buffer it draws over.
constexpr int32_t kFallbackScratchSlot = 65503;

// A frame buffer object with an optional depth render buffer.
struct FramebufferRecord {
    uint32_t framebuffer = 0;
    uint32_t depthBuffer = 0;
    uint32_t savedBinding = 0;  // what was bound before Bind
    int32_t width = 0;          // non-zero once created
    int32_t height = 0;
};
// Replaces whatever the record held. `texture` is attached to check that the result is usable.
// False (record empty) when the driver has no frame buffer objects or refuses this one.
bool CreateFramebuffer(FramebufferRecord& record, uint32_t texture, int32_t width, int32_t height,
                       bool withDepth);
// Makes the record's frame buffer the target with `texture` as its colour; false (and the old
// binding back) when the driver will not draw into it.
bool BindFramebuffer(FramebufferRecord& record, uint32_t texture);
void UnbindFramebuffer(const FramebufferRecord& record);
void DestroyFramebuffer(FramebufferRecord& record);

// If an off-screen screen is the current target, finishes it and returns drawing to the window.
void FinishOffscreenTarget(OpenGLDodurudo* renderer);
// Drawing and reading go to the window's back buffer.
void SelectBackBuffer(OpenGLDodurudo* renderer);
// Looks up the frame buffer entry points and what the window's pixels hold (once per display).
void PrepareFramebufferSupport(OpenGLDodurudo* renderer);
// Forgets every screen (shutdown); GL objects are deleted while the context lives.
void ReleaseOffscreenScreens();
// The current screen id, -1 for the window.
int32_t CurrentOffscreenScreen();
// Height of what is drawn into: the window, or the sprite behind a frame buffer screen.
int CurrentTargetHeight(const OpenGLDodurudo* renderer);

// Tests switch off what the driver offers to exercise the other paths: frame buffer objects,
// copying with alpha straight from the frame buffer, and copying window tiles without reading
// them back. True means "use it when the driver has it".
void LimitOffscreenSupport(bool framebuffers, bool alphaCopy, bool tileCopy);

// A w × h picture in a textureW × textureH texture: the slot's sizes and extents.
void SetPictureSizes(SpriteSlot& slot, int32_t w, int32_t h, int32_t textureW, int32_t textureH);
// Copies the w × h rectangle at (x, y) of the current target into the slot's plain texture.
bool GrabRectangle(OpenGLDodurudo* renderer, int32_t slot, int32_t x, int32_t y, int32_t w, int32_t h);
// The window's back buffer as a picture, top row first, every pixel opaque. False when there is
// no display or memory runs out.
bool ReadBackBuffer(const OpenGLDodurudo* renderer, RgbaImage& image);
// The window cut into the tiles of background image `index`.
bool GrabScreenToBackground(const OpenGLDodurudo* renderer, int32_t index);

// Internal to the off-screen code: whether drawing currently goes into a frame buffer object.
bool DrawingIntoFramebuffer();
bool AlphaCopyAvailable();
bool TileCopyAvailable(const OpenGLDodurudo* renderer);
// While it lives, reads come from the window even when a frame buffer screen is current.
class WindowReading {
public:
    WindowReading();
    ~WindowReading();
    WindowReading(const WindowReading&) = delete;
    WindowReading& operator=(const WindowReading&) = delete;

private:
    bool switched_ = false;
};

}  // namespace tvk
