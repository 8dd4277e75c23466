// A sprite moved with the arrow keys: the smallest game loop. Each pass reads the keys,
// moves the ship, draws the frame and hands it to ShowScreen, which shows it and waits for
// the next frame. Escape (or closing the window) ends the program.
#include <tarnvik.h>

namespace {

// Key codes: PC scan codes, the arrow keys are extended (+128).
constexpr RtInt kUp = 200, kDown = 208, kLeft = 203, kRight = 205;
constexpr RtInt kWidth = 320, kHeight = 240;
constexpr RtInt kShip = 0;   // the sprite slot the picture is loaded into
constexpr RtInt kSpeed = 3;  // pixels per frame

}  // namespace

void ApplySettings() {
    RuntimeSettings& s = GetRuntimeSettings();
    s.screenWidth = kWidth;
    s.screenHeight = kHeight;
    s.frameRate = 60;
    s.windowTitle = "Sprite";
}

int AppMain() {
    // The executable's folder is current, so "Media" is the folder copied beside it.
    LoadSprite("Media/ship.png", kShip);
    if (GetErrorCode() != 0) {
        WriteStderr("cannot load Media/ship.png: " + ErrorText() + "\n");
        return 0;
    }
    RtInt w = 0, h = 0;
    GetSpriteSize(kShip, w, h);
    RtInt x = (kWidth - w) / 2, y = (kHeight - h) / 2;  // top-left corner of the ship

    SetClearColour(0x402000);  // dark blue: colours are red + green*256 + blue*65536
    SetAlphaMode(-1);          // blend, so the picture's transparent corners stay unseen
    for (;;) {
        if (TestKey(kLeft)) x -= kSpeed;
        if (TestKey(kRight)) x += kSpeed;
        if (TestKey(kUp)) y -= kSpeed;  // y grows downwards
        if (TestKey(kDown)) y += kSpeed;
        // Keep the whole ship on the screen.
        x = x < 0 ? 0 : (x > kWidth - w ? kWidth - w : x);
        y = y < 0 ? 0 : (y > kHeight - h ? kHeight - h : y);

        DrawRect(0, kHeight - 20, kWidth, 20, 0x000000);
        PrintText("Arrows move, Escape ends", 4, kHeight - 16, 1);
        DrawSprite(kShip, x, y);
        ShowScreen();
    }
}

const NameEntry AppNameTable[] = {{nullptr, nullptr}};

int main(int argc, char** argv) { RunProgram(argc, argv); }
