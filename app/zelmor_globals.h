// The program's global variables, as the translator declares them.
#pragma once

#include <tarnvik.h>

namespace zelmor {

extern RtNumber y;
extern RtString a_Str;
extern RtNumber n;
extern RtNumber m;
extern RtNumber an;
extern RtNumber r_extra;
extern RtNumber r_x;
extern RtNumber r_y;
extern RtNumber xres;
extern RtNumber yres;
extern RtNumber r_cfont;
extern RtNumber r_width;
extern RtNumber r_height;
extern RtNumberArray r_font_width;

// Makes the globals visible to a debugger; the program's first act.
void RegisterGlobals();

// The user functions (source file 1).
RtNumber ComputeAnchor(RtNumber x, RtNumber y, RtNumber angle);
RtNumber AdjustTextAnchor(RtNumber x, RtNumber y, RtNumber angle, RtString text_Str);
RtNumber DrawRotatedText(RtString text_Str, RtNumber x, RtNumber y, RtNumber angle);
RtNumber SelectTextFont(RtNumber number);
RtNumber LoadTextFont(RtString name_Str, RtNumber number);

}  // namespace zelmor
