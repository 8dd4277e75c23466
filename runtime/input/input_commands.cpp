// The keyboard and mouse commands of the language.
#include <algorithm>

#include "gfx2d/renderer.h"
#include "input/input_devices.h"
#include "tarnvik/input.h"

using tvk::g_input;

namespace {

// Samples the mouse and keeps the program's pointer on the screen.
tvk::MouseRecord SampleClamped() {
    tvk::MouseRecord record;
    tvk::SampleMouse(g_input, record);
    if (tvk::g_renderer && tvk::g_renderer->width > 0 && tvk::g_renderer->height > 0) {
        g_input->pointerX = std::clamp(g_input->pointerX, 0, tvk::g_renderer->width - 1);
        g_input->pointerY = std::clamp(g_input->pointerY, 0, tvk::g_renderer->height - 1);
    }
    return record;
}

}  // namespace

RtInt TestKey(RtInt code) {
    tvk::SampleKeyboard(g_input);
    return tvk::IsKeyDown(g_input, code & 255) ? 1 : 0;
}

RtString GetKeyChar() {
    char c = tvk::ReadKeyChar(g_input);
    if (c == 0) return RtString();
    RtString text;
    text.Assign(&c, 1);
    return text;
}

void GetMouseState(RtInt& x, RtInt& y, RtInt& left, RtInt& right) {
    if (!g_input) {
        x = y = left = right = 0;
        return;
    }
    tvk::MouseRecord record = SampleClamped();
    x = g_input->pointerX;
    y = g_input->pointerY;
    left = record.left ? 1 : 0;
    right = record.right ? 1 : 0;
}

void GetMouseState(RtNumber& x, RtNumber& y, RtNumber& left, RtNumber& right) {
    RtInt ix, iy, il, ir;
    GetMouseState(ix, iy, il, ir);
    x = ix;
    y = iy;
    left = il;
    right = ir;
}

RtInt GetMouseAxis(RtInt axis) {
    if (!g_input) return 0;
    tvk::MouseRecord record;
    tvk::SampleMouse(g_input, record);
    switch (axis) {
        case 0: return record.dx;
        case 1: return record.dy;
        case 2: return record.wheel;
        case 3: return record.left ? 1 : 0;
        case 4: return record.right ? 1 : 0;
        case 5: return record.middle ? 1 : 0;
        default: return 0;
    }
}

void ShowSystemPointer(RtNumber on) {
    if (g_input) tvk::SetPointerShown(g_input, on != 0);
}

void SetMousePosition(RtInt x, RtInt y) {
    if (!g_input) return;
    g_input->pointerX = x;
    g_input->pointerY = y;
}

RtInt CountMice() { return 1; }

void SelectMouse(RtInt) {}
