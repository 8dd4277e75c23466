// The main routine (source file 0): the grid, the angle, the nine labels creeping in from
// the edges, and the arrow keys that turn the layout.
#include "zelmor_globals.h"

using namespace zelmor;

int AppMain() {
    RegisterGlobals();
    DebugVariableTable<1> locals = {0, {{"m", kDebugNumber, &m}}};
    TraceLine(0, 8, &locals);
    ChangeDirectory("Media");
    TraceLine(0, 9, &locals);
    SetScreen(800, 640, 0);
    TraceLine(0, 10, &locals);
    GetScreenSize(xres, yres);
    TraceLine(0, 12, &locals);
    LoadTextFont("fuente2.png", 1);
    TraceLine(0, 13, &locals);
    SelectTextFont(1);
    TraceLine(0, 15, &locals);
    SetAlphaMode(-1);
    TraceLine(0, 17, &locals);
    do {
        // The loop counter is a local that exists only while the loop runs.
        RtNumber loopM = 1;
        locals.entries[0].address = &loopM;
        TraceLine(0, 19, &locals);
        for (locals.count = 1;; loopM += 0.2) {
            TraceLine(0, 20, &locals);
            SetAlphaMode(-1);
            TraceLine(0, 22, &locals);
            DrawLine(0, 10, static_cast<RtInt>(xres), 10, 6579300);
            TraceLine(0, 23, &locals);
            DrawLine(static_cast<RtInt>(xres - 11), 0, static_cast<RtInt>(xres - 11), static_cast<RtInt>(yres), 6579300);
            TraceLine(0, 24, &locals);
            DrawLine(0, static_cast<RtInt>(yres - 11), static_cast<RtInt>(xres), static_cast<RtInt>(yres - 11), 6579300);
            TraceLine(0, 25, &locals);
            DrawLine(10, 0, 10, static_cast<RtInt>(yres), 6579300);
            TraceLine(0, 26, &locals);
            DrawLine(static_cast<RtInt>(xres * 0.5), 0, static_cast<RtInt>(xres * 0.5), static_cast<RtInt>(yres), 3289650);
            TraceLine(0, 27, &locals);
            DrawLine(0, static_cast<RtInt>(0.5 * yres), static_cast<RtInt>(xres), static_cast<RtInt>(0.5 * yres), 3289650);
            TraceLine(0, 29, &locals);
            PrintText(Concat("Angle: ", an), 100, 100, 1);
            TraceLine(0, 31, &locals);
            DrawRotatedText("Up Left", loopM, 1, an);
            TraceLine(0, 32, &locals);
            DrawRotatedText("Up Right", -loopM, 1, an);
            TraceLine(0, 33, &locals);
            DrawRotatedText("North", 0, loopM, an);
            TraceLine(0, 34, &locals);
            DrawRotatedText("Botton Left", loopM, -1, an);
            TraceLine(0, 35, &locals);
            DrawRotatedText("Botton Right", -loopM, -1, an);
            TraceLine(0, 36, &locals);
            DrawRotatedText("South", 0, -loopM, an);
            TraceLine(0, 37, &locals);
            DrawRotatedText("West", loopM, 0, an);
            TraceLine(0, 38, &locals);
            DrawRotatedText("Center", 0, 0, an);
            TraceLine(0, 39, &locals);
            DrawRotatedText("East", -loopM, 0, an);
            TraceLine(0, 42, &locals);
            ComputeAnchor(-loopM, 0, an);
            TraceLine(0, 43, &locals);
            DrawLine(static_cast<RtInt>(r_x), static_cast<RtInt>(r_y), static_cast<RtInt>(r_x), static_cast<RtInt>(r_y),
                     16777215);
            TraceLine(0, 46, &locals);
            if (TestKey(205)) an = an + 90;
            TraceLine(0, 47, &locals);
            if (TestKey(203)) an = an - 90;
            TraceLine(0, 48, &locals);
            if (an == -90) an = 270;
            TraceLine(0, 49, &locals);
            if (an == 360) an = 0;
            TraceLine(0, 50, &locals);
            while (TestKey(205) || TestKey(203)) {
            }
            TraceLine(0, 52, &locals);
            ShowScreen();
            if (!(loopM + 0.2 <= 30)) break;
        }
        locals.count = 0;
        TraceLine(0, 56, &locals);
    } while (!(a_Str == "Q"));
    TraceLine(0, 58, &locals);
    WaitForKey();
    TraceLine(0, 59, &locals);
    EndOfProgram();
    return 0;
}

int main(int argc, char** argv) { RunProgram(argc, argv); }
