// The platform's key table: every key of a 105-key keyboard with its keypad gets its PC scan
// code (extended keys + 128), no two keys share one, and characters stay in the code page.
#include <SDL2/SDL_scancode.h>
#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <set>

#include "platform/sdl_keymap.h"
#include "tarnvik/key_codes.h"

namespace {

using tvk::platform::CharFromUtf8Text;
using tvk::platform::KeyCharFromSdlKeycode;
using tvk::platform::KeyCodeFromSdlScancode;

// Written out from the scan codes a PC keyboard sends, independently of the table under test.
const std::map<SDL_Scancode, int> kFullKeyboard = {
    {SDL_SCANCODE_ESCAPE, 0x01}, {SDL_SCANCODE_F1, 0x3B}, {SDL_SCANCODE_F2, 0x3C}, {SDL_SCANCODE_F3, 0x3D},
    {SDL_SCANCODE_F4, 0x3E}, {SDL_SCANCODE_F5, 0x3F}, {SDL_SCANCODE_F6, 0x40}, {SDL_SCANCODE_F7, 0x41},
    {SDL_SCANCODE_F8, 0x42}, {SDL_SCANCODE_F9, 0x43}, {SDL_SCANCODE_F10, 0x44}, {SDL_SCANCODE_F11, 0x57},
    {SDL_SCANCODE_F12, 0x58}, {SDL_SCANCODE_PRINTSCREEN, 0xB7}, {SDL_SCANCODE_SCROLLLOCK, 0x46},
    {SDL_SCANCODE_PAUSE, 0xC5},
    {SDL_SCANCODE_GRAVE, 0x29}, {SDL_SCANCODE_1, 0x02}, {SDL_SCANCODE_2, 0x03}, {SDL_SCANCODE_3, 0x04},
    {SDL_SCANCODE_4, 0x05}, {SDL_SCANCODE_5, 0x06}, {SDL_SCANCODE_6, 0x07}, {SDL_SCANCODE_7, 0x08},
    {SDL_SCANCODE_8, 0x09}, {SDL_SCANCODE_9, 0x0A}, {SDL_SCANCODE_0, 0x0B}, {SDL_SCANCODE_MINUS, 0x0C},
    {SDL_SCANCODE_EQUALS, 0x0D}, {SDL_SCANCODE_BACKSPACE, 0x0E},
    {SDL_SCANCODE_TAB, 0x0F}, {SDL_SCANCODE_Q, 0x10}, {SDL_SCANCODE_W, 0x11}, {SDL_SCANCODE_E, 0x12},
    {SDL_SCANCODE_R, 0x13}, {SDL_SCANCODE_T, 0x14}, {SDL_SCANCODE_Y, 0x15}, {SDL_SCANCODE_U, 0x16},
    {SDL_SCANCODE_I, 0x17}, {SDL_SCANCODE_O, 0x18}, {SDL_SCANCODE_P, 0x19}, {SDL_SCANCODE_LEFTBRACKET, 0x1A},
    {SDL_SCANCODE_RIGHTBRACKET, 0x1B}, {SDL_SCANCODE_RETURN, 0x1C},
    {SDL_SCANCODE_CAPSLOCK, 0x3A}, {SDL_SCANCODE_A, 0x1E}, {SDL_SCANCODE_S, 0x1F}, {SDL_SCANCODE_D, 0x20},
    {SDL_SCANCODE_F, 0x21}, {SDL_SCANCODE_G, 0x22}, {SDL_SCANCODE_H, 0x23}, {SDL_SCANCODE_J, 0x24},
    {SDL_SCANCODE_K, 0x25}, {SDL_SCANCODE_L, 0x26}, {SDL_SCANCODE_SEMICOLON, 0x27},
    {SDL_SCANCODE_APOSTROPHE, 0x28}, {SDL_SCANCODE_BACKSLASH, 0x2B},
    {SDL_SCANCODE_LSHIFT, 0x2A}, {SDL_SCANCODE_NONUSBACKSLASH, 0x56}, {SDL_SCANCODE_Z, 0x2C},
    {SDL_SCANCODE_X, 0x2D}, {SDL_SCANCODE_C, 0x2E}, {SDL_SCANCODE_V, 0x2F}, {SDL_SCANCODE_B, 0x30},
    {SDL_SCANCODE_N, 0x31}, {SDL_SCANCODE_M, 0x32}, {SDL_SCANCODE_COMMA, 0x33}, {SDL_SCANCODE_PERIOD, 0x34},
    {SDL_SCANCODE_SLASH, 0x35}, {SDL_SCANCODE_RSHIFT, 0x36},
    {SDL_SCANCODE_LCTRL, 0x1D}, {SDL_SCANCODE_LGUI, 0xDB}, {SDL_SCANCODE_LALT, 0x38}, {SDL_SCANCODE_SPACE, 0x39},
    {SDL_SCANCODE_RALT, 0xB8}, {SDL_SCANCODE_RGUI, 0xDC}, {SDL_SCANCODE_APPLICATION, 0xDD},
    {SDL_SCANCODE_RCTRL, 0x9D},
    {SDL_SCANCODE_INSERT, 0xD2}, {SDL_SCANCODE_HOME, 0xC7}, {SDL_SCANCODE_PAGEUP, 0xC9},
    {SDL_SCANCODE_DELETE, 0xD3}, {SDL_SCANCODE_END, 0xCF}, {SDL_SCANCODE_PAGEDOWN, 0xD1},
    {SDL_SCANCODE_UP, 0xC8}, {SDL_SCANCODE_LEFT, 0xCB}, {SDL_SCANCODE_DOWN, 0xD0}, {SDL_SCANCODE_RIGHT, 0xCD},
    {SDL_SCANCODE_NUMLOCKCLEAR, 0x45}, {SDL_SCANCODE_KP_DIVIDE, 0xB5}, {SDL_SCANCODE_KP_MULTIPLY, 0x37},
    {SDL_SCANCODE_KP_MINUS, 0x4A}, {SDL_SCANCODE_KP_7, 0x47}, {SDL_SCANCODE_KP_8, 0x48},
    {SDL_SCANCODE_KP_9, 0x49}, {SDL_SCANCODE_KP_PLUS, 0x4E}, {SDL_SCANCODE_KP_4, 0x4B},
    {SDL_SCANCODE_KP_5, 0x4C}, {SDL_SCANCODE_KP_6, 0x4D}, {SDL_SCANCODE_KP_1, 0x4F}, {SDL_SCANCODE_KP_2, 0x50},
    {SDL_SCANCODE_KP_3, 0x51}, {SDL_SCANCODE_KP_ENTER, 0x9C}, {SDL_SCANCODE_KP_0, 0x52},
    {SDL_SCANCODE_KP_PERIOD, 0x53},
};

TEST(KeyTable, EveryKeyOfAFullKeyboardHasItsScanCode) {
    EXPECT_EQ(kFullKeyboard.size(), 105u);
    std::set<int> codes;
    for (auto [scancode, code] : kFullKeyboard) {
        EXPECT_EQ(KeyCodeFromSdlScancode(scancode), code) << "scancode " << scancode;
        codes.insert(code);
    }
    EXPECT_EQ(codes.size(), kFullKeyboard.size());  // no two keys read as one
}

TEST(KeyTable, TheKeyBesideEnterOnIsoBoardsReadsAsBackslash) {
    EXPECT_EQ(KeyCodeFromSdlScancode(SDL_SCANCODE_NONUSHASH), 0x2B);
}

TEST(KeyTable, UnknownAndOutOfRangeScancodesGiveNoKey) {
    EXPECT_EQ(KeyCodeFromSdlScancode(SDL_SCANCODE_UNKNOWN), 0);
    EXPECT_EQ(KeyCodeFromSdlScancode(-5), 0);
    EXPECT_EQ(KeyCodeFromSdlScancode(SDL_NUM_SCANCODES), 0);
    EXPECT_EQ(KeyCodeFromSdlScancode(SDL_SCANCODE_APP1), 0);
}

TEST(KeyCharacters, StayWithinTheCodePage) {
    EXPECT_EQ(KeyCharFromSdlKeycode('a'), 'a');
    EXPECT_EQ(KeyCharFromSdlKeycode(9), 9);  // the runtime drops control characters itself
    EXPECT_EQ(KeyCharFromSdlKeycode(0xF6), 0xF6);
    EXPECT_EQ(KeyCharFromSdlKeycode(127), 0);      // Delete types nothing
    EXPECT_EQ(KeyCharFromSdlKeycode(0x20AC), 0);   // outside the code page
    EXPECT_EQ(KeyCharFromSdlKeycode(0x40000059), 0);  // a keypad key symbol
}

TEST(KeyCharacters, TypedTextGivesItsFirstLatin1Character) {
    EXPECT_EQ(CharFromUtf8Text("!"), '!');
    EXPECT_EQ(CharFromUtf8Text("\xC3\xA9"), 0xE9);  // é
    EXPECT_EQ(CharFromUtf8Text("ab"), 'a');
    EXPECT_EQ(CharFromUtf8Text("\xE2\x82\xAC"), 0);  // €
    EXPECT_EQ(CharFromUtf8Text("\xC3"), 0);          // cut short
    EXPECT_EQ(CharFromUtf8Text(""), 0);
    EXPECT_EQ(CharFromUtf8Text(nullptr), 0);
}

// The names programs use for keys stand for the codes the platform's table sends.
TEST(KeyTable, TheNamedKeyCodesAreTheCodesTheKeysSend) {
    const std::pair<SDL_Scancode, RtInt> named[] = {
        {SDL_SCANCODE_ESCAPE, kKeyEscape}, {SDL_SCANCODE_1, kKey1}, {SDL_SCANCODE_2, kKey2},
        {SDL_SCANCODE_3, kKey3}, {SDL_SCANCODE_4, kKey4}, {SDL_SCANCODE_5, kKey5}, {SDL_SCANCODE_6, kKey6},
        {SDL_SCANCODE_7, kKey7}, {SDL_SCANCODE_8, kKey8}, {SDL_SCANCODE_9, kKey9}, {SDL_SCANCODE_0, kKey0},
        {SDL_SCANCODE_MINUS, kKeyMinus}, {SDL_SCANCODE_EQUALS, kKeyEquals},
        {SDL_SCANCODE_BACKSPACE, kKeyBackspace}, {SDL_SCANCODE_TAB, kKeyTab}, {SDL_SCANCODE_Q, kKeyQ},
        {SDL_SCANCODE_W, kKeyW}, {SDL_SCANCODE_E, kKeyE}, {SDL_SCANCODE_R, kKeyR}, {SDL_SCANCODE_T, kKeyT},
        {SDL_SCANCODE_Y, kKeyY}, {SDL_SCANCODE_U, kKeyU}, {SDL_SCANCODE_I, kKeyI}, {SDL_SCANCODE_O, kKeyO},
        {SDL_SCANCODE_P, kKeyP}, {SDL_SCANCODE_LEFTBRACKET, kKeyLeftBracket},
        {SDL_SCANCODE_RIGHTBRACKET, kKeyRightBracket}, {SDL_SCANCODE_RETURN, kKeyEnter},
        {SDL_SCANCODE_LCTRL, kKeyLeftCtrl}, {SDL_SCANCODE_A, kKeyA}, {SDL_SCANCODE_S, kKeyS},
        {SDL_SCANCODE_D, kKeyD}, {SDL_SCANCODE_F, kKeyF}, {SDL_SCANCODE_G, kKeyG}, {SDL_SCANCODE_H, kKeyH},
        {SDL_SCANCODE_J, kKeyJ}, {SDL_SCANCODE_K, kKeyK}, {SDL_SCANCODE_L, kKeyL},
        {SDL_SCANCODE_SEMICOLON, kKeySemicolon}, {SDL_SCANCODE_APOSTROPHE, kKeyApostrophe},
        {SDL_SCANCODE_GRAVE, kKeyGrave}, {SDL_SCANCODE_LSHIFT, kKeyLeftShift},
        {SDL_SCANCODE_BACKSLASH, kKeyBackslash}, {SDL_SCANCODE_Z, kKeyZ}, {SDL_SCANCODE_X, kKeyX},
        {SDL_SCANCODE_C, kKeyC}, {SDL_SCANCODE_V, kKeyV}, {SDL_SCANCODE_B, kKeyB}, {SDL_SCANCODE_N, kKeyN},
        {SDL_SCANCODE_M, kKeyM}, {SDL_SCANCODE_COMMA, kKeyComma}, {SDL_SCANCODE_PERIOD, kKeyPeriod},
        {SDL_SCANCODE_SLASH, kKeySlash}, {SDL_SCANCODE_RSHIFT, kKeyRightShift},
        {SDL_SCANCODE_KP_MULTIPLY, kKeyKeypadMultiply}, {SDL_SCANCODE_LALT, kKeyLeftAlt},
        {SDL_SCANCODE_SPACE, kKeySpace}, {SDL_SCANCODE_CAPSLOCK, kKeyCapsLock}, {SDL_SCANCODE_F1, kKeyF1},
        {SDL_SCANCODE_F2, kKeyF2}, {SDL_SCANCODE_F3, kKeyF3}, {SDL_SCANCODE_F4, kKeyF4},
        {SDL_SCANCODE_F5, kKeyF5}, {SDL_SCANCODE_F6, kKeyF6}, {SDL_SCANCODE_F7, kKeyF7},
        {SDL_SCANCODE_F8, kKeyF8}, {SDL_SCANCODE_F9, kKeyF9}, {SDL_SCANCODE_F10, kKeyF10},
        {SDL_SCANCODE_NUMLOCKCLEAR, kKeyNumLock}, {SDL_SCANCODE_SCROLLLOCK, kKeyScrollLock},
        {SDL_SCANCODE_KP_7, kKeyKeypad7}, {SDL_SCANCODE_KP_8, kKeyKeypad8}, {SDL_SCANCODE_KP_9, kKeyKeypad9},
        {SDL_SCANCODE_KP_MINUS, kKeyKeypadMinus}, {SDL_SCANCODE_KP_4, kKeyKeypad4},
        {SDL_SCANCODE_KP_5, kKeyKeypad5}, {SDL_SCANCODE_KP_6, kKeyKeypad6},
        {SDL_SCANCODE_KP_PLUS, kKeyKeypadPlus}, {SDL_SCANCODE_KP_1, kKeyKeypad1},
        {SDL_SCANCODE_KP_2, kKeyKeypad2}, {SDL_SCANCODE_KP_3, kKeyKeypad3}, {SDL_SCANCODE_KP_0, kKeyKeypad0},
        {SDL_SCANCODE_KP_PERIOD, kKeyKeypadPeriod}, {SDL_SCANCODE_NONUSBACKSLASH, kKeyIntlBackslash},
        {SDL_SCANCODE_F11, kKeyF11}, {SDL_SCANCODE_F12, kKeyF12}, {SDL_SCANCODE_KP_ENTER, kKeyKeypadEnter},
        {SDL_SCANCODE_RCTRL, kKeyRightCtrl}, {SDL_SCANCODE_KP_DIVIDE, kKeyKeypadDivide},
        {SDL_SCANCODE_PRINTSCREEN, kKeyPrintScreen}, {SDL_SCANCODE_RALT, kKeyRightAlt},
        {SDL_SCANCODE_PAUSE, kKeyPause}, {SDL_SCANCODE_HOME, kKeyHome}, {SDL_SCANCODE_UP, kKeyUp},
        {SDL_SCANCODE_PAGEUP, kKeyPageUp}, {SDL_SCANCODE_LEFT, kKeyLeft}, {SDL_SCANCODE_RIGHT, kKeyRight},
        {SDL_SCANCODE_END, kKeyEnd}, {SDL_SCANCODE_DOWN, kKeyDown}, {SDL_SCANCODE_PAGEDOWN, kKeyPageDown},
        {SDL_SCANCODE_INSERT, kKeyInsert}, {SDL_SCANCODE_DELETE, kKeyDelete},
        {SDL_SCANCODE_LGUI, kKeyLeftMeta}, {SDL_SCANCODE_RGUI, kKeyRightMeta},
        {SDL_SCANCODE_APPLICATION, kKeyMenu}
    };
    EXPECT_EQ(std::size(named), 105u);
    for (auto [scancode, code] : named) EXPECT_EQ(KeyCodeFromSdlScancode(scancode), code) << "scancode " << scancode;
    EXPECT_EQ(kKeyKeypadEnter, kKeyExtended + kKeyEnter);
}

}  // namespace
