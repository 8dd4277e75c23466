// The table of sprite slots: every picture the runtime draws, and the font textures.
#pragma once

#include <cstdint>
#include <memory>

#include "collision/alpha_mask.h"

namespace tvk {

constexpr int32_t kSpriteSlotCount = 65536;
constexpr int32_t kFirstFontSlot = 65504;  // fonts 0..31 live in slots 65504..65535
constexpr int32_t kProgramSlotCount = kFirstFontSlot;

struct SpriteSlot {
    uint32_t plainTexture = 0;
    uint32_t mipmappedTexture = 0;  // only below the font slots
    float sExtent = 1.0f;           // image width / texture width
    float tExtent = 1.0f;
    int16_t textureWidth = -1;      // power of two; -1 when empty
    int16_t textureHeight = -1;
    int16_t imageWidth = 0;         // 0 = empty
    int16_t imageHeight = 0;
    int16_t frameWidth = 0;         // animation frame size; 0 = not a strip
    int16_t frameHeight = 0;
    // Collision mask: made from the decoded picture at upload; dropped when drawing or a grab
    // changes the pixels on the GPU, and then read back once on the next collision test.
    std::unique_ptr<AlphaMask> alphaMask;

    bool Loaded() const { return imageWidth != 0; }
};

// The slot for a number from a program, or null when the number is outside the table.
SpriteSlot* FindSlot(int32_t slot);
// Deletes the slot's textures (when the GL context lives) and empties it.
void ResetSlot(int32_t slot);
// Empties every slot (shutdown).
void ResetAllSlots();

}  // namespace tvk
