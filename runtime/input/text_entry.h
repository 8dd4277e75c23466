// The on-screen line editor behind InputText: what one frame's character does to the line.
#pragma once

#include <string>

namespace tvk {

// Frames without a typed character before the cursor first shows, and between its blinks.
constexpr int kCursorBlinkFrames = 21;

struct LineEditor {
    std::string text;
    bool cursorShown = false;
    int idleFrames = 0;
    bool done = false;

    // One frame: c is the character typed in it, 0 when none. Enter (10) ends the input,
    // Backspace (8) removes the last character, any other character is appended.
    void Take(char c);
    // What the frame shows: the text, with "_" after it while the cursor is shown.
    std::string Shown() const { return cursorShown ? text + "_" : text; }
};

}  // namespace tvk
