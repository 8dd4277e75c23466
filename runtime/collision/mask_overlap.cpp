#include "collision/mask_overlap.h"

#include <algorithm>

namespace tvk {
namespace {

bool Opaque(const PlacedMask& p, int64_t sx, int64_t sy) {
    const int64_t dx = sx - p.x, dy = sy - p.y;
    if (dx < 0 || dy < 0 || dx >= p.width || dy >= p.height) return false;
    return p.mask->Opaque(dx + p.offsetX, dy + p.offsetY);
}

// The screen area where the placed mask may be opaque: its rectangle, cut to its picture.
struct Area {
    int64_t left, top, right, bottom;
};

Area Visible(const PlacedMask& p) {
    const int64_t pictureLeft = p.x - p.offsetX, pictureTop = p.y - p.offsetY;
    return {std::max(p.x, pictureLeft), std::max(p.y, pictureTop),
            std::min(p.x + p.width, pictureLeft + p.mask->Width()),
            std::min(p.y + p.height, pictureTop + p.mask->Height())};
}

}  // namespace

bool MasksOverlap(const PlacedMask& a, const PlacedMask& b) {
    if (!a.mask || !b.mask) return false;
    // Cutting to the pictures first costs nothing in the result (outside is transparent) and
    // keeps a frame past the end of its sheet from scanning an empty rectangle.
    const Area va = Visible(a), vb = Visible(b);
    const int64_t left = std::max(va.left, vb.left), right = std::min(va.right, vb.right);
    const int64_t top = std::max(va.top, vb.top), bottom = std::min(va.bottom, vb.bottom);
    if (right <= left || bottom <= top) return false;
    auto both = [&](int64_t x, int64_t y) { return Opaque(a, x, y) && Opaque(b, x, y); };
    if (both(left + (right - left) / 2, top + (bottom - top) / 2)) return true;
    // Every second row and column first, so that large overlaps are found after few tests.
    for (int64_t oy = 0; oy < 2; ++oy)
        for (int64_t ox = 0; ox < 2; ++ox)
            for (int64_t y = top + oy; y < bottom; y += 2)
                for (int64_t x = left + ox; x < right; x += 2)
                    if (both(x, y)) return true;
    return false;
}

}  // namespace tvk
