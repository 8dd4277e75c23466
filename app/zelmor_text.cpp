// The user functions (source file 1): anchoring labels to the screen's corners, edges and
// centre in four orientations, and drawing them character by character.
#include "zelmor_globals.h"

namespace zelmor {

namespace {
RtInt Int(RtNumber value) { return static_cast<RtInt>(value); }  // truncates toward zero
}  // namespace

RtNumber ComputeAnchor(RtNumber x, RtNumber y, RtNumber angle) {
    DebugFunctionScope scope;
    RtNumber xres = 0, yres = 0;
    DebugVariableTable<5> locals = {5,
                                    {{"x", kDebugNumber, &x},
                                     {"y", kDebugNumber, &y},
                                     {"angle", kDebugNumber, &angle},
                                     {"xres", kDebugNumber, &xres},
                                     {"yres", kDebugNumber, &yres}}};
    TraceLine(1, 4, &locals);
    GetScreenSize(xres, yres);
    TraceLine(1, 5, &locals);
    angle = IntMod(Int(angle), 360);
    const RtNumber W = xres, H = yres;
    TraceLine(1, 6, &locals);
    if (x == 0 && y == 0) {
        r_x = W / 2;
        r_y = H / 2;
        return 0;
    }
    TraceLine(1, 7, &locals);
    if (angle == 0) {
        if (x > 0 && y > 0) { r_x = x; r_y = y; }
        if (x < 0 && y > 0) { r_x = W + x - 1; r_y = y; }
        if (x == 0 && y > 0) { r_x = W / 2; r_y = y; }
        if (x > 0 && y < 0) { r_x = x; r_y = H + y - 1; }
        if (x < 0 && y < 0) { r_x = W + x - 1; r_y = H + y - 1; }
        if (x == 0 && y < 0) { r_x = W / 2; r_y = H - 1 + y; }
        if (x > 0 && y == 0) { r_x = x; r_y = H / 2; }
        if (x < 0 && y == 0) { r_x = W - 1 + x; r_y = H / 2; }
    }
    TraceLine(1, 17, &locals);
    if (angle == 90) {
        if (x > 0 && y > 0) { r_x = W - y - 1; r_y = x; }
        if (x < 0 && y > 0) { r_x = W - y - 1; r_y = H + x - 1; }
        if (x == 0 && y > 0) { r_x = W - y - 1; r_y = H / 2; }
        if (x > 0 && y < 0) { r_x = -y; r_y = x; }
        if (x < 0 && y < 0) { r_x = -y; r_y = H + x - 1; }
        if (x == 0 && y < 0) { r_x = -y; r_y = H / 2; }
        if (x > 0 && y == 0) { r_x = W / 2; r_y = x; }
        if (x < 0 && y == 0) { r_x = W / 2; r_y = H - 1 + x; }
    }
    TraceLine(1, 27, &locals);
    if (angle == 180) {
        if (x > 0 && y > 0) { r_x = W - x - 1; r_y = H - y - 1; }
        if (x < 0 && y > 0) { r_x = -x; r_y = H - y - 1; }
        if (x == 0 && y > 0) { r_x = W / 2; r_y = H - y - 1; }
        if (x > 0 && y < 0) { r_x = W - x - 1; r_y = -y; }
        if (x < 0 && y < 0) { r_x = -x; r_y = -y; }
        if (x == 0 && y < 0) { r_x = W / 2; r_y = -y; }
        if (x > 0 && y == 0) { r_x = W - 1 - x; r_y = H / 2; }
        if (x < 0 && y == 0) { r_x = -x; r_y = H / 2; }
    }
    TraceLine(1, 37, &locals);
    if (angle == 270) {
        if (x > 0 && y > 0) { r_x = y; r_y = H - x - 1; }
        if (x < 0 && y > 0) { r_x = y; r_y = -x; }
        if (x == 0 && y > 0) { r_x = y; r_y = H / 2; }
        if (x > 0 && y < 0) { r_x = W + y - 1; r_y = H - x - 1; }
        if (x < 0 && y < 0) { r_x = W + y - 1; r_y = -x; }
        if (x == 0 && y < 0) { r_x = W - 1 + y; r_y = H / 2; }
        if (x > 0 && y == 0) { r_x = W / 2; r_y = H - 1 - x; }
        if (x < 0 && y == 0) { r_x = W / 2; r_y = -x; }
    }
    TraceLine(1, 47, &locals);
    return 0;
}

RtNumber AdjustTextAnchor(RtNumber x, RtNumber y, RtNumber angle, RtString text_Str) {
    DebugFunctionScope scope;
    RtNumber xres = 0, yres = 0;
    DebugVariableTable<6> locals = {6,
                                    {{"x", kDebugNumber, &x},
                                     {"y", kDebugNumber, &y},
                                     {"angle", kDebugNumber, &angle},
                                     {"text_Str", kDebugString, &text_Str},
                                     {"xres", kDebugNumber, &xres},
                                     {"yres", kDebugNumber, &yres}}};
    TraceLine(1, 51, &locals);
    angle = IntMod(Int(angle), 360);
    TraceLine(1, 52, &locals);
    ComputeAnchor(x, y, angle);
    TraceLine(1, 53, &locals);
    const RtNumber Wc = r_width, Hc = r_height;
    const RtInt T = GetTextWidth(text_Str, 1);
    const RtInt halfT = T / 2;
    // The first two rows of cases look at the parameter, the rest at the global angle.
    if (x > 0 && y > 0) {
        if (angle == 90) { r_x -= Hc - Hc / 6; r_y -= Wc / 6; }
        if (angle == 180) { r_x -= Wc; r_y -= Hc; }
        if (angle == 270) { r_x += Hc / 5; r_y -= Wc + Wc / 6; }
    }
    TraceLine(1, 59, &locals);
    if (x < 0 && y > 0) {
        if (angle == 0) { r_x -= T + Wc / 6; }
        if (angle == 90) { r_y -= T + Wc / 6; r_x -= Hc - Hc / 6; }
        if (angle == 180) { r_y -= Hc; r_x += T - Wc; }
        if (angle == 270) { r_y += T - Wc; r_x += Hc / 5; }
    }
    TraceLine(1, 66, &locals);
    if (x == 0 && y > 0) {
        if (an == 0) { r_x -= halfT; }
        if (an == 90) { r_x -= Hc / 1.2; r_y -= halfT + Wc * 0.125; }
        if (an == 180) { r_y -= Hc; r_x += Wc * 0.5; }
        if (an == 270) { r_y += Wc / 5; r_x += Hc / 5; }
    }
    TraceLine(1, 73, &locals);
    if (x > 0 && y < 0) {
        if (an == 0) { r_y -= Hc; }
        if (an == 90) { r_x += Hc * 0.25; r_y -= Wc / 6; }
        if (an == 180) { r_y += Hc / 9; r_x -= Wc; }
        if (an == 270) { r_x -= Hc - Hc / 6; r_y -= Wc * 1.2; }
    }
    TraceLine(1, 80, &locals);
    if (x < 0 && y < 0) {
        if (an == 0) { r_y -= Hc; r_x -= T; }
        if (an == 90) { r_x += Hc * 0.25; r_y -= Wc * 0.25 + T; }
        if (an == 180) { r_y += Hc * 0.125; r_x += T - Wc; }
        if (an == 270) { r_x -= Hc - Hc / 6; r_y += T - Wc; }
    }
    TraceLine(1, 87, &locals);
    if (x == 0 && y < 0) {
        if (an == 0) { r_x -= halfT; r_y -= Hc; }
        if (an == 90) { r_x += Hc * 0.25; r_y -= halfT + Wc / 5; }
        if (an == 180) { r_y += Hc / 10; r_x += Wc * 0.5; }
        if (an == 270) { r_x -= Hc / 1.18; r_y += Wc * 0.25; }
    }
    TraceLine(1, 94, &locals);
    if (x > 0 && y == 0) {
        if (an == 0) { r_x -= Wc / 18; r_y -= Hc * 0.5; }
        if (an == 90) { r_y -= Wc * 0.125; r_x -= Wc * 0.45; }
        if (an == 180) { r_y -= Hc / 2.2; r_x -= Wc; }
        if (an == 270) { r_x -= Hc / 2.5; r_y -= Wc * 1.1; }
    }
    TraceLine(1, 101, &locals);
    if (x == 0 && y == 0) {
        if (an == 0) { r_x -= halfT; r_y -= Hc * 0.5; }
        if (an == 90) { r_x -= Hc * 0.25; r_y -= halfT; }
        if (an == 180) { r_y -= Hc / 2.5; r_x += Wc * 0.8; }
        if (an == 270) { r_x -= Hc / 3; r_y += Wc * 0.5; }
    }
    TraceLine(1, 108, &locals);
    if (x < 0 && y == 0) {
        if (an == 0) { r_x -= T + 1; r_y -= Hc * 0.5; }
        if (an == 90) { r_y -= Wc * 0.25 + T; r_x -= Hc / 3; }
        if (an == 180) { r_x += T - Wc / 1.1; r_y -= Hc / 2.2; }
        if (an == 270) { r_x -= Hc / 3; r_y += T - Wc; }
    }
    TraceLine(1, 115, &locals);
    return 0;
}

RtNumber DrawRotatedText(RtString text_Str, RtNumber x, RtNumber y, RtNumber angle) {
    DebugFunctionScope scope;
    RtNumber n = 0, localAn = 0, resto = 0;
    RtString c_Str;
    DebugVariableTable<8> locals = {8,
                                    {{"text_Str", kDebugString, &text_Str},
                                     {"x", kDebugNumber, &x},
                                     {"y", kDebugNumber, &y},
                                     {"angle", kDebugNumber, &angle},
                                     {"n", kDebugNumber, &n},
                                     {"c_Str", kDebugString, &c_Str},
                                     {"an", kDebugNumber, &localAn},
                                     {"resto", kDebugNumber, &resto}}};
    TraceLine(1, 119, &locals);
    angle = IntMod(Int(angle), 360);
    TraceLine(1, 120, &locals);
    AdjustTextAnchor(x, y, angle, RtString(text_Str));
    TraceLine(1, 121, &locals);
    RtNumber px = r_x, py = r_y;
    TraceLine(1, 122, &locals);
    for (n = 1; n <= text_Str.Length(); n += 1) {
        TraceLine(1, 123, &locals);
        c_Str = MidString(text_Str, Int(n - 1), 1);
        TraceLine(1, 124, &locals);
        RtInt g = GetTextWidth(c_Str, 1);
        localAn = Int((r_width - g) * 0.5);
        resto = (r_width - g) - localAn;
        TraceLine(1, 126, &locals);
        px = px - CosDeg(angle) * localAn;
        py = py - SinDeg(angle) * localAn;
        TraceLine(1, 128, &locals);
        if (angle == 0) DrawAnimFrame(Int(r_cfont + 1000), CharCode(c_Str), Int(px), Int(py));
        else RotoZoomAnimFrame(Int(r_cfont + 1000), CharCode(c_Str), Int(px), Int(py), -angle, 1);
        TraceLine(1, 131, &locals);
        px = CosDeg(angle) * (GetTextWidth(c_Str, 1) + resto + r_extra) + px;
        py = SinDeg(angle) * (GetTextWidth(c_Str, 1) + resto + r_extra) + py;
    }
    TraceLine(1, 134, &locals);
    return 0;
}

RtNumber SelectTextFont(RtNumber number) {
    DebugFunctionScope scope;
    DebugVariableTable<1> locals = {1, {{"number", kDebugNumber, &number}}};
    TraceLine(1, 138, &locals);
    r_cfont = number;
    TraceLine(1, 139, &locals);
    SetFont(Int(number));
    TraceLine(1, 140, &locals);
    return 0;
}

RtNumber LoadTextFont(RtString name_Str, RtNumber number) {
    DebugFunctionScope scope;
    DebugVariableTable<2> locals = {2, {{"name_Str", kDebugString, &name_Str}, {"number", kDebugNumber, &number}}};
    TraceLine(1, 144, &locals);
    LoadFont(name_Str, Int(number));
    TraceLine(1, 145, &locals);
    GetFontSize(r_width, r_height);
    TraceLine(1, 146, &locals);
    LoadAnimSprite(name_Str, Int(number + 1000), Int(r_width), Int(r_height));
    TraceLine(1, 147, &locals);
    return 0;
}

}  // namespace zelmor
