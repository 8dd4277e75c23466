// Sound effects and music. Space plays a short beep (a sound slot with two voices, so quick
// presses overlap), M starts and stops looping music. Two boxes light up while the beep and
// the music play. The WAV files come from Media, which this example carries packed inside its
// executable (tarnvik_add_program ... PACK); loose files beside it would be used instead.
#include <tarnvik.h>

namespace {

constexpr RtInt kSpace = 57, kM = 50;  // key codes
constexpr RtInt kBeep = 0;             // sound slot
constexpr RtInt kOff = 0x303030, kOn = 0x00C000;  // grey and green

// TestKey says whether a key is down; a press is a key that is down now and was not before.
struct Press {
    RtInt code;
    bool wasDown = false;
    bool Pressed() {
        bool down = TestKey(code) != 0;
        bool pressed = down && !wasDown;
        wasDown = down;
        return pressed;
    }
};

}  // namespace

void ApplySettings() {
    RuntimeSettings& s = GetRuntimeSettings();
    s.screenWidth = 320;
    s.screenHeight = 240;
    s.frameRate = 60;
    s.windowTitle = "Sound";
}

int AppMain() {
    LoadSound("Media/beep.wav", kBeep, 2);
    if (GetErrorCode() != 0) WriteStderr("cannot load the beep: " + ErrorText() + "\n");

    Press space{kSpace}, m{kM};
    RtInt channel = -1;  // the voice of the last beep: slot * 256 + voice
    bool music = false;
    for (;;) {
        if (space.Pressed()) {
            channel = PlaySound(kBeep, 0.0, 1.0);  // pan centre, full volume
            WriteStdout(Concat("beep on channel ", channel) + "\n");
        }
        if (m.Pressed()) {
            music = !music;
            if (music) PlayMusic("Media/music.wav", 1);  // 1: loop
            else StopMusic();
            WriteStdout(music ? "music on\n" : "music off\n");
        }

        PrintText("Space: beep    M: music", 10, 10, 1);
        PrintText("beep", 40, 70, 1);
        PrintText("music", 190, 70, 1);
        DrawRect(40, 90, 90, 90, channel >= 0 && IsSoundPlaying(channel) ? kOn : kOff);
        DrawRect(190, 90, 90, 90, IsMusicPlaying() ? kOn : kOff);
        ShowScreen();
    }
}

const NameEntry AppNameTable[] = {{nullptr, nullptr}};

int main(int argc, char** argv) { RunProgram(argc, argv); }
