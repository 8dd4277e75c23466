#include "gfx2d/offscreen.h"

#include <GL/gl.h>

#include <cstdio>

#include "gfx2d/renderer.h"
#include "gfx2d/sprite_slots.h"
#include "gfx2d/sprite_upload.h"
#include "gl/gl_extensions.h"
#include "tarnvik/gfx2d.h"
#include "gl/gl_state.h"
#include "gl/quad_batch.h"

namespace tvk {
namespace {

struct OffscreenScreen {
    FramebufferRecord framebuffer;
    int32_t slot = -1;  // -1 until created
};

struct Support {
    bool framebuffers = true;
    bool alphaCopy = true;
    bool tileCopy = true;
};

OffscreenScreen g_screens[kOffscreenScreenCount];
int32_t g_current = -1;
bool g_currentUsesFramebuffer = false;
bool g_alphaBits = false;  // the window's pixels keep the alpha drawing writes
Support g_allowed;

bool ContextLive() { return g_renderer && g_renderer->window; }

bool FramebuffersAvailable() {
    return g_allowed.framebuffers && gl::glGenFramebuffersEXT && gl::glBindFramebufferEXT &&
           gl::glDeleteFramebuffersEXT && gl::glFramebufferTexture2DEXT && gl::glCheckFramebufferStatusEXT &&
           gl::glGenRenderbuffersEXT && gl::glBindRenderbufferEXT && gl::glDeleteRenderbuffersEXT &&
           gl::glRenderbufferStorageEXT && gl::glFramebufferRenderbufferEXT;
}

GLuint CurrentFramebufferBinding() {
    GLint binding = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &binding);
    return static_cast<GLuint>(binding);
}

void Attach(const FramebufferRecord& record, uint32_t texture) {
    gl::glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D, texture, 0);
    if (record.depthBuffer)
        gl::glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT,
                                         record.depthBuffer);
}

// The smallest power of two of at least 2 that holds n.
int32_t ScreenTextureDimension(int32_t n) {
    int32_t size = 1;
    do size *= 2;
    while (size < n);
    return size;
}

// Largest side of a screen: what the driver can texture, and what a slot can record.
int32_t MaxScreenDimension() {
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    return maxSize < 16384 ? maxSize : 16384;
}

// The slot as an empty w × h picture in a zeroed texture of power-of-two size, without a twin.
bool MakeScreenSprite(int32_t slot, int32_t w, int32_t h) {
    ResetSlot(slot);
    SpriteSlot* s = FindSlot(slot);
    const int32_t textureW = ScreenTextureDimension(w), textureH = ScreenTextureDimension(h);
    RgbaImage zeros;
    if (!s || !zeros.Allocate(textureW, textureH)) return false;
    while (glGetError() != GL_NO_ERROR) {
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    s->plainTexture = NewRepeatingTexture(GL_LINEAR, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, textureW, textureH, 0, GL_RGBA, GL_UNSIGNED_BYTE, zeros.pixels);
    gl::BindTextureName(0, 0);
    if (glGetError() != GL_NO_ERROR) {
        ResetSlot(slot);
        return false;
    }
    SetPictureSizes(*s, w, h, textureW, textureH);
    return true;
}

// The screen's sprite, when the screen exists and its slot still holds a picture.
SpriteSlot* ScreenSprite(const OffscreenScreen& screen) {
    SpriteSlot* s = FindSlot(screen.slot);
    return s && s->Loaded() && s->plainTexture ? s : nullptr;
}

// Without frame buffer objects the screen's area of the window stands in for the sprite: what the
// window showed there goes to scratch, and the sprite's picture is laid over a see-through fill.
void BeginFallback(OpenGLDodurudo* r, int32_t slot, const SpriteSlot& s) {
    SetViewport(r, 0, 0, s.imageWidth, s.imageHeight);
    GrabRectangle(r, kFallbackScratchSlot, 0, 0, s.imageWidth, s.imageHeight);
    DrawRect(0, 0, s.imageWidth, s.imageHeight, r->transparentColour);
    DrawSprite(slot, 0, 0);
}

void EndFallback(OpenGLDodurudo* r, int32_t slot) {
    const SpriteSlot* s = FindSlot(slot);
    if (!s || !s->Loaded()) return;
    GrabRectangle(r, slot, 0, 0, s->imageWidth, s->imageHeight);
    // Put back what the window showed, in the default state whatever the program left set.
    SetViewport(r, 0, 0, s->imageWidth, s->imageHeight);
    DrawRect(0, 0, s->textureWidth, s->textureHeight, 0);
    DrawSprite(kFallbackScratchSlot, 0, 0);
}

}  // namespace

void SetPictureSizes(SpriteSlot& s, int32_t w, int32_t h, int32_t textureW, int32_t textureH) {
    s.textureWidth = static_cast<int16_t>(textureW);
    s.textureHeight = static_cast<int16_t>(textureH);
    s.imageWidth = static_cast<int16_t>(w);
    s.imageHeight = static_cast<int16_t>(h);
    s.sExtent = static_cast<float>(w) / static_cast<float>(textureW);
    s.tExtent = static_cast<float>(h) / static_cast<float>(textureH);
}

bool CreateFramebuffer(FramebufferRecord& record, uint32_t texture, int32_t width, int32_t height,
                       bool withDepth) {
    DestroyFramebuffer(record);
    if (!ContextLive() || !FramebuffersAvailable()) return false;
    const GLuint previous = CurrentFramebufferBinding();
    gl::glGenFramebuffersEXT(1, &record.framebuffer);
    if (record.framebuffer == 0) {
        std::puts("glGenFramebuffersExt failed");
        return false;
    }
    if (withDepth) {
        gl::glGenRenderbuffersEXT(1, &record.depthBuffer);
        if (record.depthBuffer == 0) {
            std::puts("glGenRenderbuffersExt failed");
            DestroyFramebuffer(record);
            return false;
        }
        gl::glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, record.depthBuffer);
        gl::glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_DEPTH_COMPONENT24, width, height);
        gl::glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, 0);
    }
    gl::glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, record.framebuffer);
    Attach(record, texture);
    const GLenum status = gl::glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT);
    gl::glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, previous);
    if (status != GL_FRAMEBUFFER_COMPLETE_EXT) {
        std::puts("glCheckFramebufferStatusExt failed");
        DestroyFramebuffer(record);
        return false;
    }
    record.width = width;
    record.height = height;
    return true;
}

bool BindFramebuffer(FramebufferRecord& record, uint32_t texture) {
    gl::FinishQuads();
    if (!ContextLive() || !FramebuffersAvailable() || record.framebuffer == 0) return false;
    record.savedBinding = CurrentFramebufferBinding();
    gl::glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, record.framebuffer);
    Attach(record, texture);
    if (gl::glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT) == GL_FRAMEBUFFER_COMPLETE_EXT) return true;
    UnbindFramebuffer(record);
    return false;
}

void UnbindFramebuffer(const FramebufferRecord& record) {
    if (ContextLive() && gl::glBindFramebufferEXT) gl::glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, record.savedBinding);
}

void DestroyFramebuffer(FramebufferRecord& record) {
    if (ContextLive()) {
        if (record.framebuffer && gl::glDeleteFramebuffersEXT) gl::glDeleteFramebuffersEXT(1, &record.framebuffer);
        if (record.depthBuffer && gl::glDeleteRenderbuffersEXT) gl::glDeleteRenderbuffersEXT(1, &record.depthBuffer);
    }
    record = FramebufferRecord{};
}

void FinishOffscreenTarget(OpenGLDodurudo* r) {
    gl::FinishQuads();  // into the target they were drawn for
    if (g_current < 0) return;
    const int32_t id = g_current;
    const bool usedFramebuffer = g_currentUsesFramebuffer;
    g_current = -1;
    g_currentUsesFramebuffer = false;
    if (!r || !r->window) return;
    OffscreenScreen& screen = g_screens[id];
    if (usedFramebuffer) {
        UnbindFramebuffer(screen.framebuffer);
    } else {
        EndFallback(r, screen.slot);
    }
    SetViewport(r, 0, 0, 0, 0);
}

void SelectBackBuffer(OpenGLDodurudo* r) {
    if (!r || !r->window) return;
    gl::FinishQuads();
    if (gl::glBindFramebufferEXT) gl::glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    glDrawBuffer(GL_BACK);
    glReadBuffer(GL_BACK);
}

void PrepareFramebufferSupport(OpenGLDodurudo* r) {
    if (!r || !r->window) return;
    gl::ProbeFramebufferEntryPoints();
    GLint alphaBits = 0;
    glGetIntegerv(GL_ALPHA_BITS, &alphaBits);
    g_alphaBits = alphaBits > 0;
}

void ReleaseOffscreenScreens() {
    g_current = -1;
    g_currentUsesFramebuffer = false;
    for (OffscreenScreen& screen : g_screens) {
        DestroyFramebuffer(screen.framebuffer);
        screen.slot = -1;
    }
}

int32_t CurrentOffscreenScreen() { return g_current; }

int CurrentTargetHeight(const OpenGLDodurudo* r) {
    if (g_current >= 0 && g_currentUsesFramebuffer)
        if (const SpriteSlot* s = FindSlot(g_screens[g_current].slot)) return s->imageHeight;
    return r->height;
}

void LimitOffscreenSupport(bool framebuffers, bool alphaCopy, bool tileCopy) {
    g_allowed = Support{framebuffers, alphaCopy, tileCopy};
}

bool DrawingIntoFramebuffer() { return g_current >= 0 && g_currentUsesFramebuffer; }
bool AlphaCopyAvailable() { return g_allowed.alphaCopy && g_alphaBits; }
bool TileCopyAvailable(const OpenGLDodurudo* r) { return g_allowed.tileCopy && r->bgraSupported; }

WindowReading::WindowReading() {
    gl::FinishQuads();
    if (!DrawingIntoFramebuffer() || !ContextLive()) return;
    gl::glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    switched_ = true;
}

WindowReading::~WindowReading() {
    if (switched_) gl::glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, g_screens[g_current].framebuffer.framebuffer);
}

}  // namespace tvk

void CreateScreen(RtInt id, RtInt slot, RtInt width, RtInt height) {
    using namespace tvk;
    OpenGLDodurudo* r = g_renderer;
    if (id < 0 || id >= kOffscreenScreenCount || !FindSlot(slot) || !r || !r->window) return;
    const int32_t limit = MaxScreenDimension();
    if (width <= 0 || height <= 0 || width > limit || height > limit) return;
    if (g_current == id) FinishOffscreenTarget(r);
    OffscreenScreen& screen = g_screens[id];
    DestroyFramebuffer(screen.framebuffer);
    screen.slot = -1;
    if (!MakeScreenSprite(slot, width, height)) return;
    screen.slot = slot;
    const SpriteSlot* s = FindSlot(slot);
    // Without a frame buffer the screen still works, through the back buffer.
    CreateFramebuffer(screen.framebuffer, s->plainTexture, s->textureWidth, s->textureHeight, true);
}

void UseScreen(RtInt id) {
    using namespace tvk;
    OpenGLDodurudo* r = g_renderer;
    if (!r || !r->window) return;
    FinishOffscreenTarget(r);
    if (id < 0 || id >= kOffscreenScreenCount) return;
    OffscreenScreen& screen = g_screens[id];
    SpriteSlot* s = ScreenSprite(screen);
    if (!s) return;  // never created, or its sprite was freed: the window stays the target
    g_current = id;
    g_currentUsesFramebuffer = screen.framebuffer.width != 0 && BindFramebuffer(screen.framebuffer, s->plainTexture);
    if (g_currentUsesFramebuffer) {
        SetViewport(r, 0, 0, s->imageWidth, s->imageHeight);
        glViewport(0, 0, s->imageWidth, s->imageHeight);  // the sprite's corner, not the window's
    } else {
        BeginFallback(r, screen.slot, *s);
    }
    s->alphaMask.reset();  // its pixels are about to change
}
