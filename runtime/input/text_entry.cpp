// InputText, InputInt and InputNumber: a line typed over a still picture of the screen.
#include "input/text_entry.h"

#include <cstdlib>

#include "gfx2d/frame_assets.h"
#include "gfx2d/offscreen.h"
#include "gfx2d/renderer.h"
#include "input/input_devices.h"
#include "tarnvik/core.h"
#include "tarnvik/gfx2d.h"
#include "tarnvik/input.h"

namespace tvk {
namespace {

// The screen as it was when the input began is kept in background image 3.
constexpr int kEntryBackground = 3;

void ShowLine(const std::string& shown, RtInt x, RtInt y) {
    DrawBackgroundImage(kEntryBackground);
    PrintText(RtString(shown.c_str()), x, y, 0);
    ShowScreen();
}

}  // namespace

void LineEditor::Take(char c) {
    if (c == 10) {
        done = true;
    } else if (c == 8) {
        if (!text.empty()) text.pop_back();
    } else if (c != 0) {
        text.push_back(c);
    } else if (++idleFrames >= kCursorBlinkFrames) {
        cursorShown = !cursorShown;
        idleFrames = 0;
    }
}

}  // namespace tvk

void InputText(RtString& text, RtInt x, RtInt y) {
    using namespace tvk;
    // Without a keyboard nothing could ever end the input.
    if (!g_input) return;
    if (g_renderer) GrabScreenToBackground(g_renderer, kEntryBackground);
    LineEditor editor;
    editor.text.assign(text.c_str(), text.Length());
    ShowLine(editor.text, x, y);
    while (!editor.done) {
        SampleKeyboard(g_input);
        editor.Take(ReadKeyChar(g_input));
        ShowLine(editor.Shown(), x, y);
    }
    text.Assign(editor.text.c_str(), static_cast<uint32_t>(editor.text.size()));
    FreeBackgroundImage(kEntryBackground);
}

void InputInt(RtInt& value, RtInt x, RtInt y) {
    RtString text;
    InputText(text, x, y);
    value = std::atoi(text.c_str());
}

void InputNumber(RtNumber& value, RtInt x, RtInt y) {
    RtString text;
    InputText(text, x, y);
    value = std::atof(text.c_str());
}
