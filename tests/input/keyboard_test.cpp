// The key state the program sees and the text-entry rules, driven by events.
#include <gtest/gtest.h>

#include <string>

#include "input/input_devices.h"
#include "input/input_events.h"
#include "platform/system.h"
#include "tarnvik/input.h"

namespace {

using namespace tvk::test;

class KeyboardTest : public testing::Test {
protected:
    void SetUp() override { tvk::g_input = &input; }
    void TearDown() override { tvk::g_input = nullptr; }
    void Send(const Event& e) { tvk::InputHandleEvent(&input, e); }
    std::string Typed() { return GetKeyChar().c_str(); }

    tvk::InputDevices input;
};

TEST_F(KeyboardTest, OnlyTheLowEightBitsOfACodeCount) {
    Send(KeyDown(kKeyRight));
    EXPECT_EQ(TestKey(kKeyRight), 1);
    EXPECT_EQ(TestKey(kKeyRight + 256), 1);
    EXPECT_EQ(TestKey(kKeyRight - 512), 1);
    EXPECT_EQ(TestKey(kKeyLeft), 0);
    tvk::BeginKeyboardFrame(&input);  // held into the next frame: no tap, so up at once
    Send(KeyUp(kKeyRight));
    EXPECT_EQ(TestKey(kKeyRight + 256), 0);
}

TEST_F(KeyboardTest, EventsReachTheProgramOnlyThroughASample) {
    Send(KeyDown(kKeyA, 'a'));
    EXPECT_FALSE(tvk::IsKeyDown(&input, kKeyA));
    tvk::SampleKeyboard(&input);
    EXPECT_TRUE(tvk::IsKeyDown(&input, kKeyA));
    EXPECT_FALSE(tvk::IsKeyDown(&input, 256 + kKeyA));  // the back end takes only 0..255
}

// A tap shorter than a frame is seen by every query, in any order and as often as asked,
// for the rest of its frame and all of the next; its character is typed once.
TEST_F(KeyboardTest, ATapReadsAsDownForEveryQueryUntilTheNextFrameEnds) {
    constexpr int kSpace = 57;
    Send(KeyDown(kKeyEscape));
    Send(KeyUp(kKeyEscape));
    Send(KeyDown(kSpace, ' '));
    Send(KeyUp(kSpace));
    EXPECT_EQ(Typed(), " ");  // the scan looks at Escape and Space first
    EXPECT_EQ(TestKey(kSpace), 1);
    EXPECT_EQ(TestKey(kSpace), 1);
    EXPECT_EQ(TestKey(kKeyEscape), 1);
    tvk::BeginKeyboardFrame(&input);
    EXPECT_EQ(Typed(), "");
    EXPECT_EQ(TestKey(kSpace), 1);
    EXPECT_EQ(TestKey(kKeyEscape), 1);
    EXPECT_EQ(TestKey(kKeyEscape), 1);
    tvk::BeginKeyboardFrame(&input);
    EXPECT_EQ(TestKey(kSpace), 0);
    EXPECT_EQ(TestKey(kKeyEscape), 0);
}

TEST_F(KeyboardTest, QuickTapsInSeparateFramesAreEachSeenByEveryQuery) {
    constexpr int kSpace = 57;
    int typed = 0, firstSeen = 0, secondSeen = 0;
    bool firstWas = false, secondWas = false;
    for (int frame = 0; frame < 30; ++frame) {
        tvk::BeginKeyboardFrame(&input);
        if (Typed() == " ") ++typed;
        bool first = TestKey(kSpace) == 1, second = TestKey(kSpace) == 1;
        firstSeen += first && !firstWas;
        secondSeen += second && !secondWas;
        firstWas = first;
        secondWas = second;
        if (frame % 6 == 0) {  // between two frames, down and up at once
            Send(KeyDown(kSpace, ' '));
            Send(KeyUp(kSpace));
        }
    }
    EXPECT_EQ(typed, 5);
    EXPECT_EQ(firstSeen, 5);
    EXPECT_EQ(secondSeen, 5);
}

TEST_F(KeyboardTest, WithoutFramesATapEndsSoonAfterItsRelease) {
    Send(KeyDown(kKeyTab));
    Send(KeyUp(kKeyTab));
    EXPECT_EQ(TestKey(kKeyTab), 1);
    tvk::platform::SleepMs(tvk::kTapHoldMs + 20);
    EXPECT_EQ(TestKey(kKeyTab), 0);
    // A key still held is not a tap and stays down.
    Send(KeyDown(kKeyTab));
    tvk::platform::SleepMs(tvk::kTapHoldMs + 20);
    EXPECT_EQ(TestKey(kKeyTab), 1);
}

TEST_F(KeyboardTest, ATapBehindAHeldLowerKeyTypesOnceThatKeyIsUp) {
    Send(KeyDown(kKeyA, 'a'));
    Send(KeyDown(kKeyS, 's'));
    Send(KeyUp(kKeyS));
    EXPECT_EQ(Typed(), "a");
    EXPECT_EQ(Typed(), "");
    Send(KeyUp(kKeyA));
    EXPECT_EQ(Typed(), "s");
    EXPECT_EQ(Typed(), "");
}

TEST_F(KeyboardTest, KeyStateStandsStillWithoutFocus) {
    Send(KeyDown(kKeyA, 'a'));
    EXPECT_EQ(TestKey(kKeyA), 1);
    Send(Plain(EventType::FocusLost));
    Send(KeyDown(kKeyS, 's'));  // pressed while another window has the keyboard
    EXPECT_EQ(TestKey(kKeyA), 1);
    EXPECT_EQ(TestKey(kKeyS), 0);
    Send(Plain(EventType::FocusGained));
    EXPECT_EQ(TestKey(kKeyA), 0);  // released elsewhere
    EXPECT_EQ(TestKey(kKeyS), 0);
    Send(KeyDown(kKeyS, 's'));
    EXPECT_EQ(TestKey(kKeyS), 1);
}

TEST_F(KeyboardTest, AHeldKeyTypesItsCharacterOnce) {
    Send(KeyDown(kKeyA, 'a'));
    EXPECT_EQ(Typed(), "a");
    for (int i = 0; i < 20; ++i) ASSERT_EQ(Typed(), "") << "call " << i;
    Send(KeyUp(kKeyA));
    EXPECT_EQ(Typed(), "");
    Send(KeyDown(kKeyA, 'a'));
    EXPECT_EQ(Typed(), "a");
}

TEST_F(KeyboardTest, ShiftRaisesLettersButAddsNoNewPress) {
    Send(KeyDown(kKeyRightShift));
    Send(KeyDown(kKeyA, 'a'));
    EXPECT_EQ(Typed(), "A");
    Send(KeyUp(kKeyA));
    Send(KeyUp(kKeyRightShift));
    EXPECT_EQ(Typed(), "");
    tvk::BeginKeyboardFrame(&input);
    tvk::BeginKeyboardFrame(&input);  // the Shift tap is over
    // A first, then Shift while A is held: the same letter, so nothing new.
    Send(KeyDown(kKeyA, 'a'));
    EXPECT_EQ(Typed(), "a");
    Send(KeyDown(kKeyLeftShift));
    EXPECT_EQ(Typed(), "");
}

TEST_F(KeyboardTest, TheLowerCodeWinsAndBlocksOthersWhileHeld) {
    Send(KeyDown(kKeyA, 'a'));
    Send(KeyDown(kKeyS, 's'));
    EXPECT_EQ(Typed(), "a");
    EXPECT_EQ(Typed(), "");
    EXPECT_EQ(Typed(), "");
    Send(KeyUp(kKeyA));
    EXPECT_EQ(Typed(), "s");
}

TEST_F(KeyboardTest, EnterKeysGiveLineFeedAndBackspaceGivesEight) {
    Send(KeyDown(kKeyEnter, 13));
    EXPECT_EQ(Typed(), "\n");
    Send(KeyUp(kKeyEnter));
    EXPECT_EQ(Typed(), "");
    Send(KeyDown(kKeyKeypadEnter));  // the layout gives the keypad's Enter no character of its own
    EXPECT_EQ(Typed(), "\n");
    Send(KeyUp(kKeyKeypadEnter));
    Typed();
    Send(KeyDown(kKeyBackspace, 8));
    EXPECT_EQ(Typed(), "\b");
}

TEST_F(KeyboardTest, ControlAndModifierKeysTypeNothing) {
    for (auto [code, character] : {std::pair{kKeyTab, 9}, {kKeyEscape, 27}, {kKeyLeftCtrl, 0}, {kKeyLeftShift, 0}}) {
        Send(KeyDown(code, character));
        EXPECT_EQ(Typed(), "") << "key " << code;
        Send(KeyUp(code));
    }
    tvk::BeginKeyboardFrame(&input);
    tvk::BeginKeyboardFrame(&input);
    // A modifier held does not hide the key typed with it.
    Send(KeyDown(kKeyLeftCtrl));
    Send(KeyDown(kKeyA, 'a'));
    EXPECT_EQ(Typed(), "a");
}

TEST_F(KeyboardTest, TheWindowSystemsTextForAPressWins) {
    Send(KeyDown(kKeyQ, 'q'));
    Send(TextTyped('@'));  // AltGr + Q on a German layout
    EXPECT_EQ(Typed(), "@");
    Send(KeyUp(kKeyQ));
    Typed();
    Send(KeyDown(kKeyLeftShift));
    Send(KeyDown(kKey1, '1'));
    Send(TextTyped('!'));
    EXPECT_EQ(Typed(), "!");
}

TEST_F(KeyboardTest, AShiftPressedAfterATypedLetterLeavesItsCase) {
    Send(KeyDown(kKeyS, 's'));
    Send(TextTyped('s'));
    Send(KeyUp(kKeyS));
    Send(KeyDown(kKeyLeftShift));  // already on its way to the next character
    EXPECT_EQ(Typed(), "s");
}

TEST_F(KeyboardTest, TextArrivingAfterItsKeyWasReleasedIsDropped) {
    Send(KeyDown(kKeyA, 'a'));
    Send(KeyUp(kKeyA));
    Send(TextTyped('x'));
    Send(KeyDown(kKeyS, 's'));
    EXPECT_EQ(Typed(), "a");  // the tap still counts once, without the late text
    EXPECT_EQ(Typed(), "s");
    Send(KeyUp(kKeyS));
    Typed();
    Send(KeyDown(kKeyA, 'a'));  // a new press starts from the layout's character again
    EXPECT_EQ(Typed(), "a");
}

TEST_F(KeyboardTest, TextOfAKeyWithoutCodeIsNotPinnedOnAHeldKey) {
    Send(KeyDown(kKeyA, 'a'));
    EXPECT_EQ(Typed(), "a");
    Send(KeyDown(0));  // a key the table does not know
    Send(TextTyped('z'));
    EXPECT_EQ(Typed(), "");
}

TEST_F(KeyboardTest, HasKeyCharConsumesTheCharacter) {
    Send(KeyDown(kKeyA, 'a'));
    EXPECT_TRUE(tvk::HasKeyChar(&input));
    EXPECT_FALSE(tvk::HasKeyChar(&input));
}

TEST(KeyboardWithoutInput, CommandsAnswerNeutrally) {
    tvk::g_input = nullptr;
    EXPECT_EQ(TestKey(kKeyEscape), 0);
    EXPECT_STREQ(GetKeyChar().c_str(), "");
}

}  // namespace
