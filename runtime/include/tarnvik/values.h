// Commands of the values subsystem: string, number and math builtins, random numbers, data lists.
#pragma once

#include "tarnvik/arrays.h"
#include "tarnvik/rt_string.h"

// Text slicing and case. Positions and lengths count bytes; the first position is 0.
// count < 0 takes the rest of the text; a start outside the text gives "".
RtString MidString(const RtString& s, RtInt start, RtInt count);
// Remove the trailing / leading run of bytes that occur in set.
RtString TrimRight(const RtString& s, const RtString& set);
RtString TrimLeft(const RtString& s, const RtString& set);
// Only the ASCII letters change.
RtString UpperCase(const RtString& s);
RtString LowerCase(const RtString& s);

// First position >= start where find occurs; -1 when there is none, when find is empty or when
// start is outside s.
RtInt FindString(const RtString& s, const RtString& find, RtInt start);
RtInt FindString(const RtString& s, const char* find, RtInt start);
RtInt FindString(const char* s, const RtString& find, RtInt start);
RtInt FindString(const char* s, const char* find, RtInt start);
// Last position <= start where find occurs; start < 0 searches the whole text. -1 when none.
RtInt FindStringReverse(const RtString& s, const RtString& find, RtInt start);
RtInt FindStringReverse(const RtString& s, const char* find, RtInt start);
RtInt FindStringReverse(const char* s, const RtString& find, RtInt start);
RtInt FindStringReverse(const char* s, const char* find, RtInt start);
// Every occurrence of find, left to right; replaced text is never searched again.
RtString ReplaceAll(const RtString& s, const RtString& find, const RtString& replacement);
// Empties pieces, then appends each run of text between delimiter bytes; with skipEmpty set,
// runs of delimiters count as one and no piece is empty. Returns the number of pieces.
RtInt SplitString(const RtString& text, const RtString& delimiters, RtStringArray& pieces, RtInt skipEmpty);

// Character codes: the first byte as 0..255 (0 for ""), and a one-byte string of n's low byte.
RtInt CharCode(const RtString& s);
RtString CharFromCode(RtInt n);
// Length of the text a number or an integer becomes.
RtInt NumberTextLength(RtNumber x);
RtInt IntTextLength(RtInt n);
// printf's "%<width>.<decimals>f"; a negative width pads on the right.
RtString FormatNumber(RtNumber width, RtNumber decimals, RtNumber x);

// URL coding: letters and digits stay, every other byte becomes "%xx" (lower-case hex).
RtString UrlEncode(const RtString& s);
// "+" becomes a blank, "%xx" the byte it names.
RtString UrlDecode(const RtString& s);
// Two hex digits per byte, high nibble first; count < 1 gives "".
RtString HexText(const void* bytes, RtInt count, RtInt upperCase);
// The same over the bytes of s, never past its end.
RtString HexText(const RtString& s, RtInt count, RtInt upperCase);
// The current error code and its text, e.g. "0003 no such file".
RtString ErrorText();

// One line from standard input without its line end.
RtString ReadConsoleLine();
// The command line the program was started with, program name included.
RtString CommandLine();
void SetCommandLine(const RtString& text);
// Ends the runtime, hands path (a file or a URL) to the desktop's opener and ends the program.
void OpenDocument(const RtString& path);

// 1 when the two rectangles share a pixel; a negative width or height extends left or up.
RtInt RectanglesOverlap(RtInt x1, RtInt y1, RtInt w1, RtInt h1, RtInt x2, RtInt y2, RtInt w2, RtInt h2);

// Math in degrees.
RtNumber SinDeg(RtNumber x);
RtNumber CosDeg(RtNumber x);
RtNumber TanDeg(RtNumber x);
RtNumber ATan2Deg(RtNumber y, RtNumber x);
RtNumber ASinDeg(RtNumber x);
RtNumber ACosDeg(RtNumber x);
RtNumber SquareRoot(RtNumber x);
RtNumber Power(RtNumber x, RtNumber y);
// Remainders; a zero divisor gives 0.
RtNumber NumberMod(RtNumber x, RtNumber y);
RtInt IntMod(RtInt a, RtInt b);
RtNumber AbsNumber(RtNumber x);
RtInt AbsInt(RtInt n);

// Random integer from 0 to n inclusive; n <= 0 gives 0 without drawing.
RtInt Random(RtInt n);
void SeedRandom(RtInt seed);

// Embedded data lists: a block of items, each a number or (when text is set) a text.
struct DataItem {
    RtNumber number;
    const char* text;
};
struct DataBlock {
    const DataItem* items;
    RtInt count;
};
void RestoreData(const DataBlock* block);
// Each read takes the next item; reading past the end records error 20 and ends the program.
void ReadDataString(RtString& target);
void ReadDataNumber(RtNumber& target);
void ReadDataInt(RtInt& target);
// The end of the program's statements: error code 0, then the end of the program.
void EndOfProgram();

// ---- Platform information, environment and text cipher ----

// Answers by key, compared upper-cased; a key variable passed in is replaced by its upper-case
// form. "" gives the platform name, "DEVICE", "ID", "TIME", "BATTERY", "COMPILED", "HOSTID",
// "LOCALE", "DOCUMENTS", "TEMP" and "GLEXT:" + an entry point name; other keys give "NO_DATA".
RtString PlatformInfo(RtString& key);
RtString PlatformInfo(const RtString& key);
// The build stamp and host identifier the generated program supplies for "COMPILED" and "HOSTID".
void SetProgramStamp(const char* compiled, const char* hostId);
// A variable's value ("" when unset); the empty name gives every NAME=value, each followed by "\n".
RtString GetEnv(const RtString& name);
// An empty value removes the variable.
void SetEnv(const RtString& name, const RtString& value);

// Blowfish over the text zero-padded to 8-byte blocks, as lower-case hexadecimal text.
RtString EncryptText(const RtString& key, const RtString& text);
// The text back from hexadecimal (either case), cut at its first zero byte. A hex variable passed
// in is lower-cased.
RtString DecryptText(const RtString& key, RtString& hex);
RtString DecryptText(const RtString& key, const RtString& hex);
