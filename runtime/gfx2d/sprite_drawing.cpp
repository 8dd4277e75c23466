// Drawing sprites and animation frames: plain, stretched, zoomed and rotated.
#include <cmath>

#include "gfx2d/animation_frames.h"
#include "gfx2d/coordinate_clamp.h"
#include "gfx2d/quad.h"
#include "gfx2d/renderer.h"
#include "gfx2d/sprite_slots.h"
#include "gfx2d/texture_binding.h"
#include "tarnvik/gfx2d.h"

namespace tvk {
namespace {

// Binds the slot for drawing; null when there is nothing to draw into or the number is outside the table.
const SpriteSlot* Prepare(RtInt slot) {
    const SpriteSlot* s = FindSlot(slot);
    if (!s || !g_renderer || !g_renderer->window) return nullptr;
    BindTexture(g_renderer, slot, -1, false);
    ApplySmoothingFilter(g_renderer);
    return s;
}

// An animation frame's texture rectangle: s left to right, t bottom to top.
struct FrameRect {
    float sLeft, sRight, tBottom, tTop;
};

FrameRect FrameRectOf(const SpriteSlot& s, int32_t frame) {
    FrameCell cell = FrameCellOf(s, frame);
    float tw = s.textureWidth, th = s.textureHeight;
    FrameRect r;
    // In 64 bits: a frame number near the 32-bit limit times the frame size must not wrap.
    int64_t column = cell.column, row = cell.row;
    r.sLeft = ClampedCoordinate(column * s.frameWidth) / tw;
    r.sRight = ClampedCoordinate((column + 1) * s.frameWidth) / tw;
    r.tBottom = ClampedCoordinate(s.imageHeight - s.frameHeight * (row + 1)) / th;
    r.tTop = r.tBottom + static_cast<float>(s.frameHeight) / th;
    return r;
}

// A quad at whole-pixel corners, split as the GL quad it used to be sent as.
void IntegerQuad(int x0, int y0, int x1, int y1, float sl, float sr, float tb, float tt) {
    float fx0 = static_cast<float>(x0), fy0 = static_cast<float>(y0);
    float fx1 = static_cast<float>(x1), fy1 = static_cast<float>(y1);
    DrawRepeatingQuad({{fx1, fy0, 0, sr, tt}, {fx0, fy0, 0, sl, tt}, {fx0, fy1, 0, sl, tb}, {fx1, fy1, 0, sr, tb}},
                      gl::QuadSplit::Quad);
}

}  // namespace
}  // namespace tvk

using tvk::QuadVertex;

void DrawSprite(RtInt slot, RtInt x, RtInt y) {
    const tvk::SpriteSlot* s = tvk::Prepare(slot);
    if (!s) return;
    tvk::IntegerQuad(x, y, x + s->imageWidth, y + s->imageHeight, 0, s->sExtent, 0, s->tExtent);
}

void StretchSprite(RtInt slot, RtInt x, RtInt y, RtInt width, RtInt height) {
    const tvk::SpriteSlot* s = tvk::Prepare(slot);
    if (!s) return;
    float fx = x, fy = y, fw = width, fh = height;
    tvk::DrawQuad({{fx, fy + fh, 0, 0}, {fx + fw, fy + fh, s->sExtent, 0}, {fx + fw, fy, s->sExtent, s->tExtent},
                   {fx, fy, 0, s->tExtent}});
}

void ZoomSprite(RtInt slot, RtInt x, RtInt y, RtNumber zoomX, RtNumber zoomY) {
    const tvk::SpriteSlot* s = tvk::FindSlot(slot);
    if (!s) return;
    double iw = s->imageWidth, ih = s->imageHeight;
    // Scaled about the centre, then truncated toward zero.
    RtInt nx = static_cast<RtInt>(x - (zoomX * iw - iw) * 0.5);
    RtInt ny = static_cast<RtInt>(y - (zoomY * ih - ih) * 0.5);
    RtInt nw = static_cast<RtInt>(static_cast<float>(zoomX * iw));
    RtInt nh = static_cast<RtInt>(static_cast<float>(zoomY * ih));
    StretchSprite(slot, nx, ny, nw, nh);
}

void RotateSprite(RtInt slot, RtInt x, RtInt y, RtNumber angle) { RotoZoomSprite(slot, x, y, angle, 1); }

void RotoZoomSprite(RtInt slot, RtInt x, RtInt y, RtNumber angle, RtNumber zoom) {
    const tvk::SpriteSlot* s = tvk::Prepare(slot);
    if (!s) return;
    float iw = s->imageWidth, ih = s->imageHeight, tw = s->textureWidth, th = s->textureHeight;
    float hx = static_cast<float>(zoom * iw * 0.5), hy = static_cast<float>(zoom * ih * 0.5);
    float sMin = 0.5f / tw, sMax = (iw - 0.5f) / tw, tMin = 0.5f / th, tMax = (ih - 0.5f) / th;
    // The corners turn about the centre here rather than in a matrix of their own, so that
    // consecutive sprites go to GL as one draw. The rotation is the one GL builds for an angle
    // about the negative z axis, in single precision.
    const float cx = static_cast<float>(x + (s->imageWidth >> 1)), cy = static_cast<float>(y + (s->imageHeight >> 1));
    const float radians = static_cast<float>(static_cast<float>(angle) * (3.14159265358979323846 / 180.0));
    const float c = std::cos(radians), sn = std::sin(radians);
    auto corner = [&](float dx, float dy, float u, float v) {
        return QuadVertex{cx + (c * dx + sn * dy), cy + (-sn * dx + c * dy), u, v};
    };
    tvk::DrawQuad({corner(-hx, hy, sMin, tMin), corner(hx, hy, sMax, tMin), corner(hx, -hy, sMax, tMax),
                   corner(-hx, -hy, sMin, tMax)});
}

void DrawAnimFrame(RtInt slot, RtInt frame, RtInt x, RtInt y) {
    const tvk::SpriteSlot* s = tvk::FindSlot(slot);
    if (!s || s->frameWidth == 0 || s->frameHeight == 0 || !tvk::Prepare(slot)) return;
    tvk::FrameRect r = tvk::FrameRectOf(*s, frame);
    tvk::IntegerQuad(x, y, x + s->frameWidth, y + s->frameHeight, r.sLeft, r.sRight, r.tBottom, r.tTop);
}

void StretchAnimFrame(RtInt slot, RtInt frame, RtInt x, RtInt y, RtInt width, RtInt height) {
    const tvk::SpriteSlot* s = tvk::FindSlot(slot);
    if (!s || s->frameWidth == 0 || s->frameHeight == 0 || !tvk::Prepare(slot)) return;
    tvk::FrameRect r = tvk::FrameRectOf(*s, frame);
    // Right and bottom edges pushed out a little so that neighbouring frames leave no gap.
    float fx = x, fy = y, right = fx + width + 0.1f, bottom = fy + height + 0.1f;
    tvk::DrawQuad({{fx, fy, r.sLeft, r.tTop}, {fx, bottom, r.sLeft, r.tBottom}, {right, bottom, r.sRight, r.tBottom},
                   {right, fy, r.sRight, r.tTop}});
}

void RotoZoomAnimFrame(RtInt slot, RtInt frame, RtInt x, RtInt y, RtNumber angle, RtNumber zoom) {
    const tvk::SpriteSlot* s = tvk::FindSlot(slot);
    if (!s || s->frameWidth == 0 || s->frameHeight == 0 || !tvk::Prepare(slot)) return;
    tvk::FrameCell cell = tvk::FrameCellOf(*s, frame);
    float tw = s->textureWidth, th = s->textureHeight, fw = s->frameWidth, fh = s->frameHeight;
    float sLeft = cell.column * fw / tw + 0.5f / tw;
    float sRight = (static_cast<float>(cell.column) + 1) * fw / tw - 0.5f / tw;
    float tBottom = (s->imageHeight - fh * (static_cast<float>(cell.row) + 1)) / th + 0.5f / th;
    float tTop = tBottom + fh / th - 1.0f / th;
    float hx = static_cast<float>(fw * (zoom * 0.5)), hy = static_cast<float>(fh * (zoom * 0.5));
    double a = angle * 0.017453292;
    float c = static_cast<float>(std::cos(a)), sn = static_cast<float>(std::sin(a));
    float cx = static_cast<float>(x + s->frameWidth / 2), cy = static_cast<float>(y + s->frameHeight / 2);
    auto corner = [&](float dx, float dy, float u, float v) {
        return QuadVertex{cx + dx * c + dy * sn, cy - dx * sn + dy * c, u, v};
    };
    tvk::DrawQuad({corner(-hx, -hy, sLeft, tTop), corner(-hx, hy, sLeft, tBottom), corner(hx, hy, sRight, tBottom),
                   corner(hx, -hy, sRight, tTop)});
}
