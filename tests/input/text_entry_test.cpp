// The line editor behind InputText, one frame at a time.
#include <gtest/gtest.h>

#include <string>

#include "input/text_entry.h"

namespace {

using tvk::LineEditor;

void Type(LineEditor& editor, const std::string& keys) {
    for (char c : keys) editor.Take(c);
}

TEST(LineEditor, TypingBackspaceAndEnter) {
    LineEditor editor;
    editor.text = "go";
    Type(editor, "ab\bc");
    EXPECT_EQ(editor.text, "goac");
    EXPECT_FALSE(editor.done);
    editor.Take(10);
    EXPECT_TRUE(editor.done);
    EXPECT_EQ(editor.text, "goac") << "Enter adds nothing";

    LineEditor empty;
    Type(empty, "\b\b");
    EXPECT_EQ(empty.text, "");
    Type(empty, "x\b\b");
    EXPECT_EQ(empty.text, "");
}

TEST(LineEditor, CursorShowsAfter21IdleFramesAndBlinksEvery21) {
    LineEditor editor;
    editor.text = "hi";
    for (int frame = 1; frame <= 20; ++frame) editor.Take(0);
    EXPECT_EQ(editor.Shown(), "hi");
    editor.Take(0);
    EXPECT_EQ(editor.Shown(), "hi_");
    for (int frame = 1; frame <= 20; ++frame) editor.Take(0);
    EXPECT_EQ(editor.Shown(), "hi_");
    editor.Take(0);
    EXPECT_EQ(editor.Shown(), "hi");
}

TEST(LineEditor, TypingDoesNotRestartTheBlinkCount) {
    LineEditor editor;
    for (int frame = 1; frame <= 15; ++frame) editor.Take(0);
    editor.Take('a');
    for (int frame = 1; frame <= 6; ++frame) editor.Take(0);
    EXPECT_EQ(editor.Shown(), "a_");
}

}  // namespace
