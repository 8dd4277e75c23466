// Loading sprites into slots and asking about them.
#include "base/error_codes.h"
#include "gfx2d/renderer.h"
#include "gfx2d/sprite_slots.h"
#include "gfx2d/sprite_upload.h"
#include "tarnvik/core.h"
#include "tarnvik/gfx2d.h"

namespace tvk {
namespace {

void LoadSlot(const RtString& file, RtInt slot, bool normalMap) {
    if (!FindSlot(slot)) {
        SetErrorCode(kErrorOutOfRange);
        return;
    }
    ResetSlot(slot);
    RgbaImage image;
    int32_t key = g_renderer ? g_renderer->transparentColour : kNoColour;
    if (!DecodeProgramFile(file.c_str(), key, image) || !UploadImageToSlot(slot, image, normalMap))
        SetErrorCode(kErrorNoSuchFile);
}

}  // namespace
}  // namespace tvk

void LoadSprite(const RtString& file, RtInt slot) { tvk::LoadSlot(file, slot, false); }
void LoadNormalMapSprite(const RtString& file, RtInt slot) { tvk::LoadSlot(file, slot, true); }

void LoadAnimSprite(const RtString& file, RtInt slot, RtInt frameWidth, RtInt frameHeight) {
    LoadSprite(file, slot);
    SetSpriteFrameSize(slot, frameWidth, frameHeight);
}

void SetSpriteFrameSize(RtInt slot, RtInt frameWidth, RtInt frameHeight) {
    tvk::SpriteSlot* s = tvk::FindSlot(slot);
    if (!s || s->imageWidth <= 0) return;
    s->frameWidth = static_cast<int16_t>(frameWidth);
    s->frameHeight = static_cast<int16_t>(frameHeight);
}

void GetSpriteSize(RtInt slot, RtInt& width, RtInt& height) {
    const tvk::SpriteSlot* s = tvk::FindSlot(slot);
    width = s ? s->imageWidth : 0;
    height = s ? s->imageHeight : 0;
}

void GetSpriteSize(RtInt slot, RtNumber& width, RtNumber& height) {
    RtInt w, h;
    GetSpriteSize(slot, w, h);
    width = w;
    height = h;
}

RtInt GetSpriteTexture(RtInt slot) {
    const tvk::SpriteSlot* s = tvk::FindSlot(slot);
    return s ? static_cast<RtInt>(s->plainTexture) : 0;
}

RtInt FindFreeSprite() {
    for (int32_t i = 0; i < tvk::kProgramSlotCount; ++i)
        if (tvk::FindSlot(i)->imageWidth == 0) return i;
    return -1;
}
