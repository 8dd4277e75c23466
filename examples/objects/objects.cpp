// A 3D object turning under a light on a floor, running through its animation frames, with its
// shadow, a billboard marking the light and a line of 3D text over it. Escape ends the program.
//
// The model is "Model/sydney.ddd" with its skin when the build converted one (tvkmesh and the
// sample models were there); otherwise the program writes a small animated object of its own.
#include <tarnvik.h>

#include <cmath>

namespace {

constexpr RtInt kWidth = 640, kHeight = 480;
constexpr RtInt kFloor = 0, kModel = 1;  // object numbers
constexpr RtInt kSkin = 0, kSun = 1;     // sprite slots
constexpr RtInt kSky = 0x402010;         // dark blue: colours are red + green*256 + blue*65536
constexpr RtInt kFloorColour = 0x70A0B0;  // sand
constexpr double kFloorY = -25;
// The light: high up on the right; the billboard stands on the way to it.
constexpr double kLightX = 90, kLightY = 110, kLightZ = 40;

// The frames to run through (the converted model's run, or the own object's two) and the skin.
struct Animation {
    double first = 0, last = 1;
    bool textured = false;
};

// Two triangles facing up.
void BuildFloor() {
    const double s = 150;
    StartObject(kFloor);
    AddObjectVertex(-s, kFloorY, -s, 0, 0, kFloorColour);
    AddObjectVertex(-s, kFloorY, s, 0, 0, kFloorColour);
    AddObjectVertex(s, kFloorY, s, 0, 0, kFloorColour);
    AddObjectVertex(-s, kFloorY, -s, 0, 0, kFloorColour);
    AddObjectVertex(s, kFloorY, s, 0, 0, kFloorColour);
    AddObjectVertex(s, kFloorY, -s, 0, 0, kFloorColour);
    SetNormalMode(1);  // one normal per triangle, for the light
    EndObject();
}

// A red pyramid whose tip sways between two frames, written as a text object file: a line
// "DDDA", the version, the texture pairs (none), the polygons (colour, corner count, corners as
// vertex and texture pair numbers) and the frames (their vertices).
bool WriteOwnModel(const RtString& file) {
    if (!OpenFileChannel(0, file, 0)) return false;
    WriteLine(0, "DDDA");
    WriteLine(0, "1.0");
    WriteLine(0, "0");
    WriteLine(0, "6");
    // Each side counter-clockwise seen from outside; every corner takes texture pair 0.
    for (const char* face : {"0 0 1 0 4 0", "1 0 2 0 4 0", "2 0 3 0 4 0", "3 0 0 0 4 0", "0 0 3 0 2 0", "0 0 2 0 1 0"})
        WriteLine(0, RtString("230 40 30 3 ") + face);
    WriteLine(0, "2");
    for (const char* tip : {"-8 30 0", "8 26 0"}) {
        WriteLine(0, "5");
        for (const char* corner : {"-15 -25 -15", "15 -25 -15", "15 -25 15", "-15 -25 15"}) WriteLine(0, corner);
        WriteLine(0, tip);
    }
    CloseFileChannel(0);
    return true;
}

// A 3D texture covers the whole texture, and a picture is stored in one whose sides are powers
// of two: the skin is stretched to such a size first so that it fills its texture exactly.
bool LoadSkin(const RtString& file) {
    RtInt w = 0, h = 0;
    RtIntArray picture, stretched;
    if (!LoadImageToArray(file, w, h, picture)) return false;
    const RtInt tw = 512, th = 256;
    DimArray(stretched, tw * th);
    for (RtInt y = 0; y < th; ++y)
        for (RtInt x = 0; x < tw; ++x)
            stretched.data[y * tw + x] = picture.data[(y * h / th) * w + x * w / tw] | RtInt(0xFF000000);
    return CreateSpriteFromArray(stretched, kSkin, tw, th) == 1;
}

Animation LoadModel() {
    Animation a;
    if (FileExists("Model/sydney.ddd") && LoadSkin("Model/sydney.bmp")) {
        LoadObject("Model/sydney.ddd", kModel);
        a = {40, 45, true};  // frames 40 to 45 of this model are a run
    }
    if (GetObjectTriangleCount(kModel) == 0) {  // no converted model: our own
        SetErrorCode(0);
        a = {0, 1, false};
        if (WriteOwnModel("pyramid.txt")) LoadObject("pyramid.txt", kModel);
    }
    return a;
}

// A soft yellow disc for the billboard, transparent around it.
void MakeSun() {
    const RtInt size = 32;
    RtIntArray pixels;
    DimArray(pixels, size * size);
    for (RtInt y = 0; y < size; ++y)
        for (RtInt x = 0; x < size; ++x) {
            const double dx = x - 15.5, dy = y - 15.5, d = std::sqrt(dx * dx + dy * dy) / 16;
            const RtInt alpha = d < 1 ? RtInt(255 * (1 - d * d)) : 0;
            pixels.data[y * size + x] = 0x40E0FF | alpha << 24;
        }
    CreateSpriteFromArray(pixels, kSun, size, size);
}

}  // namespace

void ApplySettings() {
    RuntimeSettings& s = GetRuntimeSettings();
    s.screenWidth = kWidth;
    s.screenHeight = kHeight;
    s.frameRate = 60;
    s.windowTitle = "Objects";
}

int AppMain() {
    BuildFloor();
    const Animation animation = LoadModel();
    if (GetObjectTriangleCount(kModel) == 0) {
        WriteStderr("cannot load a model: " + ErrorText() + "\n");
        return 0;
    }
    MakeSun();
    SetClearColour(kSky);

    for (RtInt frame = 0;; ++frame) {
        const double seconds = frame / 60.0;
        Start3D(1, 1000, 60);
        SetCamera(0, 45, 120, 0, 0, 0);
        // A light from the right, set after the camera so that it stays put in the world
        // (cut-off 180: directional, shining from that point towards the origin).
        SetLight(0, 0xFFFFFF, kLightX, kLightY, kLightZ, -kLightX, -kLightY, -kLightZ, 180);
        SetHeadLight(1, 0x909090);  // and a dim one from the eye, so the side facing us is seen

        DrawObject(kFloor, 0);
        // The model turns once in 12 seconds and runs through its frames twice a second: with
        // animate on, the weight 0..1 is the way from the first frame to the last.
        SetObjectPosition(0, 0, 0);
        RotateObject(seconds * 30 + 90, 0, 1, 0);
        SetTexture3D(animation.textured ? kSkin : -1, -1);
        const double step = std::fmod(seconds * 2, 1.0);
        DrawObjectBlend(kModel, animation.first, animation.last, step, 1);

        // The shadow: the shadow light (id -3) opens a pass in which drawing an object marks
        // its shadow volume instead; switching it off darkens what lies in the shadow.
        SetLight(-3, 0xFFFFFF, kLightX, kLightY, kLightZ, 0, 0, 0, 1);
        DrawObjectBlend(kModel, animation.first, animation.last, step, 1);
        SetLight(-3, 0, 0, 0, 0, 0, 0, 0, 0);

        // Camera-facing things are drawn without the object's turn and without light.
        SetObjectPosition(0, 0, 0);
        SetTexture3D(-1, -1);
        SetLight(0, 0, 0, 0, 0, 0, 0, 0, 0);
        SetLight(1, 0, 0, 0, 0, 0, 0, 0, 0);
        DrawBillboard(kSun, kLightX * 0.4, kLightY * 0.4, kLightZ * 0.4, 1);
        PrintText3D("Escape ends", 0, 38, 0, 0.5);
        End3D();
        ShowScreen();
    }
}

const NameEntry AppNameTable[] = {{nullptr, nullptr}};

int main(int argc, char** argv) { RunProgram(argc, argv); }
