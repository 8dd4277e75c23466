#include "zelmor_globals.h"

namespace zelmor {

RtNumber y = 0;
RtString a_Str;
RtNumber n = 0;
RtNumber m = 0;
RtNumber an = 0;
RtNumber r_extra = 0;
RtNumber r_x = 0;
RtNumber r_y = 0;
RtNumber xres = 0;
RtNumber yres = 0;
RtNumber r_cfont = 0;
RtNumber r_width = 0;
RtNumber r_height = 0;
RtNumberArray r_font_width;

namespace {
DebugVariableTable<14> g_globals = {14,
                                    {{"y", kDebugNumber, &y},
                                     {"a_Str", kDebugString, &a_Str},
                                     {"n", kDebugNumber, &n},
                                     {"m", kDebugNumber, &m},
                                     {"an", kDebugNumber, &an},
                                     {"r_extra", kDebugNumber, &r_extra},
                                     {"r_x", kDebugNumber, &r_x},
                                     {"r_y", kDebugNumber, &r_y},
                                     {"xres", kDebugNumber, &xres},
                                     {"yres", kDebugNumber, &yres},
                                     {"r_cfont", kDebugNumber, &r_cfont},
                                     {"r_width", kDebugNumber, &r_width},
                                     {"r_height", kDebugNumber, &r_height},
                                     {"r_font_width", kDebugArray, &r_font_width}}};
}  // namespace

void RegisterGlobals() { DebugRegisterGlobals(&g_globals); }

}  // namespace zelmor
