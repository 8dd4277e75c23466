#include "collision/frame_cell.h"

namespace tvk {

FrameCell FrameCellAt(int32_t imageWidth, int32_t frameWidth, int32_t frame) {
    const int32_t perRow = frameWidth > 0 ? imageWidth / frameWidth : 0;
    if (perRow > 0) return {frame % perRow, frame / perRow};
    return {frame, 0};
}

}  // namespace tvk
