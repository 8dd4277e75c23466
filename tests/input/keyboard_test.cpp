// The key state the program sees and the text-entry rules, driven by events.
#include <gtest/gtest.h>

#include <string>

#include "input/input_devices.h"
#include "input/input_events.h"
#include "platform/system.h"
#include "tarnvik/input.h"

namespace {

using namespace tvk::test;

constexpr int kTab = 15, kEscape = 1, kEnter = 28, kKeypadEnter = 156, kBackspace = 14;
constexpr int kLeftShift = 42, kRightShift = 54, kLeftCtrl = 29, kA = 30, kS = 31, kQ = 16, kDigit1 = 2;
constexpr int kRight = 205, kLeft = 203;

class KeyboardTest : public testing::Test {
protected:
    void SetUp() override { tvk::g_input = &input; }
    void TearDown() override { tvk::g_input = nullptr; }
    void Send(const Event& e) { tvk::InputHandleEvent(&input, e); }
    std::string Typed() { return GetKeyChar().c_str(); }

    tvk::InputDevices input;
};

TEST_F(KeyboardTest, OnlyTheLowEightBitsOfACodeCount) {
    Send(KeyDown(kRight));
    EXPECT_EQ(TestKey(kRight), 1);
    EXPECT_EQ(TestKey(kRight + 256), 1);
    EXPECT_EQ(TestKey(kRight - 512), 1);
    EXPECT_EQ(TestKey(kLeft), 0);
    tvk::BeginKeyboardFrame(&input);  // held into the next frame: no tap, so up at once
    Send(KeyUp(kRight));
    EXPECT_EQ(TestKey(kRight + 256), 0);
}

TEST_F(KeyboardTest, EventsReachTheProgramOnlyThroughASample) {
    Send(KeyDown(kA, 'a'));
    EXPECT_FALSE(tvk::IsKeyDown(&input, kA));
    tvk::SampleKeyboard(&input);
    EXPECT_TRUE(tvk::IsKeyDown(&input, kA));
    EXPECT_FALSE(tvk::IsKeyDown(&input, 256 + kA));  // the back end takes only 0..255
}

// A tap shorter than a frame is seen by every query, in any order and as often as asked,
// for the rest of its frame and all of the next; its character is typed once.
TEST_F(KeyboardTest, ATapReadsAsDownForEveryQueryUntilTheNextFrameEnds) {
    constexpr int kSpace = 57;
    Send(KeyDown(kEscape));
    Send(KeyUp(kEscape));
    Send(KeyDown(kSpace, ' '));
    Send(KeyUp(kSpace));
    EXPECT_EQ(Typed(), " ");  // the scan looks at Escape and Space first
    EXPECT_EQ(TestKey(kSpace), 1);
    EXPECT_EQ(TestKey(kSpace), 1);
    EXPECT_EQ(TestKey(kEscape), 1);
    tvk::BeginKeyboardFrame(&input);
    EXPECT_EQ(Typed(), "");
    EXPECT_EQ(TestKey(kSpace), 1);
    EXPECT_EQ(TestKey(kEscape), 1);
    EXPECT_EQ(TestKey(kEscape), 1);
    tvk::BeginKeyboardFrame(&input);
    EXPECT_EQ(TestKey(kSpace), 0);
    EXPECT_EQ(TestKey(kEscape), 0);
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
    Send(KeyDown(kTab));
    Send(KeyUp(kTab));
    EXPECT_EQ(TestKey(kTab), 1);
    tvk::platform::SleepMs(tvk::kTapHoldMs + 20);
    EXPECT_EQ(TestKey(kTab), 0);
    // A key still held is not a tap and stays down.
    Send(KeyDown(kTab));
    tvk::platform::SleepMs(tvk::kTapHoldMs + 20);
    EXPECT_EQ(TestKey(kTab), 1);
}

TEST_F(KeyboardTest, ATapBehindAHeldLowerKeyTypesOnceThatKeyIsUp) {
    Send(KeyDown(kA, 'a'));
    Send(KeyDown(kS, 's'));
    Send(KeyUp(kS));
    EXPECT_EQ(Typed(), "a");
    EXPECT_EQ(Typed(), "");
    Send(KeyUp(kA));
    EXPECT_EQ(Typed(), "s");
    EXPECT_EQ(Typed(), "");
}

TEST_F(KeyboardTest, KeyStateStandsStillWithoutFocus) {
    Send(KeyDown(kA, 'a'));
    EXPECT_EQ(TestKey(kA), 1);
    Send(Plain(EventType::FocusLost));
    Send(KeyDown(kS, 's'));  // pressed while another window has the keyboard
    EXPECT_EQ(TestKey(kA), 1);
    EXPECT_EQ(TestKey(kS), 0);
    Send(Plain(EventType::FocusGained));
    EXPECT_EQ(TestKey(kA), 0);  // released elsewhere
    EXPECT_EQ(TestKey(kS), 0);
    Send(KeyDown(kS, 's'));
    EXPECT_EQ(TestKey(kS), 1);
}

TEST_F(KeyboardTest, AHeldKeyTypesItsCharacterOnce) {
    Send(KeyDown(kA, 'a'));
    EXPECT_EQ(Typed(), "a");
    for (int i = 0; i < 20; ++i) ASSERT_EQ(Typed(), "") << "call " << i;
    Send(KeyUp(kA));
    EXPECT_EQ(Typed(), "");
    Send(KeyDown(kA, 'a'));
    EXPECT_EQ(Typed(), "a");
}

TEST_F(KeyboardTest, ShiftRaisesLettersButAddsNoNewPress) {
    Send(KeyDown(kRightShift));
    Send(KeyDown(kA, 'a'));
    EXPECT_EQ(Typed(), "A");
    Send(KeyUp(kA));
    Send(KeyUp(kRightShift));
    EXPECT_EQ(Typed(), "");
    tvk::BeginKeyboardFrame(&input);
    tvk::BeginKeyboardFrame(&input);  // the Shift tap is over
    // A first, then Shift while A is held: the same letter, so nothing new.
    Send(KeyDown(kA, 'a'));
    EXPECT_EQ(Typed(), "a");
    Send(KeyDown(kLeftShift));
    EXPECT_EQ(Typed(), "");
}

TEST_F(KeyboardTest, TheLowerCodeWinsAndBlocksOthersWhileHeld) {
    Send(KeyDown(kA, 'a'));
    Send(KeyDown(kS, 's'));
    EXPECT_EQ(Typed(), "a");
    EXPECT_EQ(Typed(), "");
    EXPECT_EQ(Typed(), "");
    Send(KeyUp(kA));
    EXPECT_EQ(Typed(), "s");
}

TEST_F(KeyboardTest, EnterKeysGiveLineFeedAndBackspaceGivesEight) {
    Send(KeyDown(kEnter, 13));
    EXPECT_EQ(Typed(), "\n");
    Send(KeyUp(kEnter));
    EXPECT_EQ(Typed(), "");
    Send(KeyDown(kKeypadEnter));  // the layout gives the keypad's Enter no character of its own
    EXPECT_EQ(Typed(), "\n");
    Send(KeyUp(kKeypadEnter));
    Typed();
    Send(KeyDown(kBackspace, 8));
    EXPECT_EQ(Typed(), "\b");
}

TEST_F(KeyboardTest, ControlAndModifierKeysTypeNothing) {
    for (auto [code, character] : {std::pair{kTab, 9}, {kEscape, 27}, {kLeftCtrl, 0}, {kLeftShift, 0}}) {
        Send(KeyDown(code, character));
        EXPECT_EQ(Typed(), "") << "key " << code;
        Send(KeyUp(code));
    }
    tvk::BeginKeyboardFrame(&input);
    tvk::BeginKeyboardFrame(&input);
    // A modifier held does not hide the key typed with it.
    Send(KeyDown(kLeftCtrl));
    Send(KeyDown(kA, 'a'));
    EXPECT_EQ(Typed(), "a");
}

TEST_F(KeyboardTest, TheWindowSystemsTextForAPressWins) {
    Send(KeyDown(kQ, 'q'));
    Send(TextTyped('@'));  // AltGr + Q on a German layout
    EXPECT_EQ(Typed(), "@");
    Send(KeyUp(kQ));
    Typed();
    Send(KeyDown(kLeftShift));
    Send(KeyDown(kDigit1, '1'));
    Send(TextTyped('!'));
    EXPECT_EQ(Typed(), "!");
}

TEST_F(KeyboardTest, AShiftPressedAfterATypedLetterLeavesItsCase) {
    Send(KeyDown(kS, 's'));
    Send(TextTyped('s'));
    Send(KeyUp(kS));
    Send(KeyDown(kLeftShift));  // already on its way to the next character
    EXPECT_EQ(Typed(), "s");
}

TEST_F(KeyboardTest, TextArrivingAfterItsKeyWasReleasedIsDropped) {
    Send(KeyDown(kA, 'a'));
    Send(KeyUp(kA));
    Send(TextTyped('x'));
    Send(KeyDown(kS, 's'));
    EXPECT_EQ(Typed(), "a");  // the tap still counts once, without the late text
    EXPECT_EQ(Typed(), "s");
    Send(KeyUp(kS));
    Typed();
    Send(KeyDown(kA, 'a'));  // a new press starts from the layout's character again
    EXPECT_EQ(Typed(), "a");
}

TEST_F(KeyboardTest, TextOfAKeyWithoutCodeIsNotPinnedOnAHeldKey) {
    Send(KeyDown(kA, 'a'));
    EXPECT_EQ(Typed(), "a");
    Send(KeyDown(0));  // a key the table does not know
    Send(TextTyped('z'));
    EXPECT_EQ(Typed(), "");
}

TEST_F(KeyboardTest, HasKeyCharConsumesTheCharacter) {
    Send(KeyDown(kA, 'a'));
    EXPECT_TRUE(tvk::HasKeyChar(&input));
    EXPECT_FALSE(tvk::HasKeyChar(&input));
}

TEST(KeyboardWithoutInput, CommandsAnswerNeutrally) {
    tvk::g_input = nullptr;
    EXPECT_EQ(TestKey(1), 0);
    EXPECT_STREQ(GetKeyChar().c_str(), "");
}

}  // namespace
