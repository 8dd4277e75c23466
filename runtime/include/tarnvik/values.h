// Commands of the values subsystem: string, number and math builtins, random numbers, data lists.
#pragma once

#include "tarnvik/arrays.h"
#include "tarnvik/rt_string.h"

// Text slicing and case. Positions and lengths count bytes; the first position is 0.

/// Cuts a piece out of a text.
/// s: the text
/// start: position of the first byte, from 0; outside the text gives ""
/// count: bytes to take, cut to what is left; < 0 takes the rest of the text
/// Returns: the piece
RtString MidString(const RtString& s, RtInt start, RtInt count);
/// Removes the trailing run of bytes that occur in a set.
/// s: the text
/// set: the bytes to remove, in any order
/// Returns: the text without them at its end
RtString TrimRight(const RtString& s, const RtString& set);
/// Removes the leading run of bytes that occur in a set.
/// s: the text
/// set: the bytes to remove, in any order
/// Returns: the text without them at its start
RtString TrimLeft(const RtString& s, const RtString& set);
/// Turns the ASCII letters a … z into capitals; every other byte stays.
/// s: the text
/// Returns: the upper-case text
RtString UpperCase(const RtString& s);
/// Turns the ASCII letters A … Z into small letters; every other byte stays.
/// s: the text
/// Returns: the lower-case text
RtString LowerCase(const RtString& s);

/// Finds the first occurrence of a text at or after a position.
/// Either operand may be a text literal or a string.
/// s: the text searched
/// find: the text looked for
/// start: first position to look at, 0 … length − 1
/// Returns: the position, from 0; −1 when there is none, when find is empty or when start is outside s
RtInt FindString(const RtString& s, const RtString& find, RtInt start);
RtInt FindString(const RtString& s, const char* find, RtInt start);
RtInt FindString(const char* s, const RtString& find, RtInt start);
RtInt FindString(const char* s, const char* find, RtInt start);
/// Finds the last occurrence of a text that starts at or before a position.
/// Either operand may be a text literal or a string.
/// s: the text searched
/// find: the text looked for
/// start: last position a match may start at; < 0 searches the whole text
/// Returns: the position, from 0; −1 when there is none
RtInt FindStringReverse(const RtString& s, const RtString& find, RtInt start);
RtInt FindStringReverse(const RtString& s, const char* find, RtInt start);
RtInt FindStringReverse(const char* s, const RtString& find, RtInt start);
RtInt FindStringReverse(const char* s, const char* find, RtInt start);
/// Replaces every occurrence of a text, left to right; replaced text is never searched again.
/// s: the text
/// find: the text to replace; "" replaces nothing
/// replacement: the text put in its place
/// Returns: the new text
RtString ReplaceAll(const RtString& s, const RtString& find, const RtString& replacement);
/// Splits a text at delimiter bytes into an array of pieces.
/// text: the text
/// delimiters: the bytes that separate pieces, in any order
/// pieces: emptied, then receives each run of text between delimiters, one-dimensional
/// skipEmpty: non-zero: runs of delimiters count as one and no piece is empty
/// Returns: the number of pieces
RtInt SplitString(const RtString& text, const RtString& delimiters, RtStringArray& pieces, RtInt skipEmpty);

/// Gives the code of a text's first byte.
/// s: the text
/// Returns: 0 … 255; 0 for ""
RtInt CharCode(const RtString& s);
/// Makes a one-byte string (also for code 0).
/// n: the code; only its low 8 bits are used
/// Returns: the one-byte string
RtString CharFromCode(RtInt n);
/// Gives the length of the text a number becomes.
/// x: the number
/// Returns: bytes
RtInt NumberTextLength(RtNumber x);
/// Gives the length of the text an integer becomes.
/// n: the integer
/// Returns: bytes
RtInt IntTextLength(RtInt n);
/// Formats a number as printf's "%<width>.<decimals>f" does, with a dot as decimal point.
/// width: minimum width in characters, −1024 … 1024 (clamped); negative pads on the right
/// decimals: digits after the point, 0 … 512 (clamped)
/// x: the number
/// Returns: the text
RtString FormatNumber(RtNumber width, RtNumber decimals, RtNumber x);

/// URL-encodes a text: letters and digits stay, every other byte becomes "%xx" (lower-case hex).
/// s: the text
/// Returns: the encoded text
RtString UrlEncode(const RtString& s);
/// URL-decodes a text: "+" becomes a blank, "%xx" the byte it names; a broken escape is dropped.
/// s: the encoded text
/// Returns: the decoded text
RtString UrlDecode(const RtString& s);
/// Writes bytes in memory as hexadecimal, two digits per byte, high nibble first.
/// bytes: the first byte; null gives ""
/// count: bytes to write; < 1 gives ""
/// upperCase: non-zero for the digits A … F, 0 for a … f
/// Returns: the hexadecimal text
RtString HexText(const void* bytes, RtInt count, RtInt upperCase);
/// Writes a string's bytes as hexadecimal, never past its end.
/// s: the bytes
/// count: bytes to write, cut to the string's length; < 1 gives ""
/// upperCase: non-zero for the digits A … F, 0 for a … f
/// Returns: the hexadecimal text
RtString HexText(const RtString& s, RtInt count, RtInt upperCase);
/// Gives the current error code and its text.
/// Returns: four digits, a blank and the text, e.g. "0003 no such file"
RtString ErrorText();

/// Reads one line from standard input.
/// Returns: the line without its line end (LF or CR LF); "" at the end of input; lines over 4094 bytes come
/// in pieces
RtString ReadConsoleLine();
/// Gives the command line the program was started with.
/// Returns: the command line, program name included
RtString CommandLine();
/// Replaces the text CommandLine gives.
/// text: the new command line
void SetCommandLine(const RtString& text);
/// Ends the runtime, hands a file or URL to the desktop's opener and ends the program.
/// path: a file or a URL; backslashes become forward slashes
void OpenDocument(const RtString& path);

/// Tells whether two rectangles share a pixel.
/// x1: first rectangle's corner, pixels
/// y1: first rectangle's corner, pixels
/// w1: first rectangle's width, pixels; negative extends left of x1, 0 counts as 1
/// h1: first rectangle's height, pixels; negative extends above y1, 0 counts as 1
/// x2: second rectangle's corner, pixels
/// y2: second rectangle's corner, pixels
/// w2: second rectangle's width, pixels; negative extends left of x2, 0 counts as 1
/// h2: second rectangle's height, pixels; negative extends above y2, 0 counts as 1
/// Returns: 1 when they overlap, else 0
RtInt RectanglesOverlap(RtInt x1, RtInt y1, RtInt w1, RtInt h1, RtInt x2, RtInt y2, RtInt w2, RtInt h2);

// Math in degrees.

/// Sine of an angle.
/// x: degrees
/// Returns: −1 … 1
RtNumber SinDeg(RtNumber x);
/// Cosine of an angle.
/// x: degrees
/// Returns: −1 … 1
RtNumber CosDeg(RtNumber x);
/// Tangent of an angle.
/// x: degrees
/// Returns: the tangent
RtNumber TanDeg(RtNumber x);
/// Angle of the point (x, y) seen from the origin.
/// y: the point's y
/// x: the point's x
/// Returns: degrees, −180 … 180
RtNumber ATan2Deg(RtNumber y, RtNumber x);
/// Arc sine.
/// x: −1 … 1; beyond gives the nearer end (90 or −90)
/// Returns: degrees, −90 … 90
RtNumber ASinDeg(RtNumber x);
/// Arc cosine.
/// x: −1 … 1; beyond gives the nearer end (0 or 180)
/// Returns: degrees, 0 … 180
RtNumber ACosDeg(RtNumber x);
/// Square root.
/// x: >= 0 (a negative number gives NaN)
/// Returns: the root
RtNumber SquareRoot(RtNumber x);
/// Raises a number to a power.
/// x: the base
/// y: the exponent
/// Returns: x to the power y
RtNumber Power(RtNumber x, RtNumber y);
/// Remainder of a division of numbers, with the sign of x.
/// x: the dividend
/// y: the divisor; 0 gives 0
/// Returns: the remainder
RtNumber NumberMod(RtNumber x, RtNumber y);
/// Remainder of a division of integers, with the sign of a.
/// a: the dividend
/// b: the divisor; 0 (and −1) give 0
/// Returns: the remainder
RtInt IntMod(RtInt a, RtInt b);
/// Magnitude of a number.
/// x: the number
/// Returns: its magnitude
RtNumber AbsNumber(RtNumber x);
/// Magnitude of an integer; the smallest integer −2147483648 stays itself.
/// n: the integer
/// Returns: its magnitude
RtInt AbsInt(RtInt n);

/// Draws a random integer.
/// n: the largest value; n <= 0 gives 0 without drawing
/// Returns: 0 … n inclusive
RtInt Random(RtInt n);
/// Starts the random sequence afresh; the same seed gives the same sequence.
/// seed: any integer
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

/// Makes the next data read take the first item of a block.
/// block: the data block
void RestoreData(const DataBlock* block);
/// Reads the next data item as a text (a number item becomes text by the number rules).
/// target: receives the text
/// Errors: 20 (and the end of the program) when reading past the end
void ReadDataString(RtString& target);
/// Reads the next data item as a number (a text item is read as a number).
/// target: receives the number
/// Errors: 20 (and the end of the program) when reading past the end
void ReadDataNumber(RtNumber& target);
/// Reads the next data item as an integer (numbers are truncated, texts read as whole numbers).
/// target: receives the integer
/// Errors: 20 (and the end of the program) when reading past the end
void ReadDataInt(RtInt& target);
/// The end of the program's statements: error code 0, then the end of the program.
/// Errors: 0
void EndOfProgram();

// ---- Platform information, environment and text cipher ----

/// Answers a question about the platform by key.
/// key: compared upper-cased; "" gives the platform name, "DEVICE", "ID", "TIME", "BATTERY", "COMPILED",
/// "HOSTID", "LOCALE", "DOCUMENTS", "TEMP" and "GLEXT:" + an entry point name; a key variable passed in
/// is replaced by its upper-case form
/// Returns: the answer; "NO_DATA" for other keys
RtString PlatformInfo(RtString& key);
RtString PlatformInfo(const RtString& key);
/// Stores the build stamp and host identifier PlatformInfo gives for "COMPILED" and "HOSTID".
/// The generated program calls it at start-up.
/// compiled: the build stamp
/// hostId: the host identifier
void SetProgramStamp(const char* compiled, const char* hostId);
/// Reads an environment variable.
/// name: the variable; "" gives every NAME=value, each followed by "\n"
/// Returns: its value; "" when unset
RtString GetEnv(const RtString& name);
/// Sets an environment variable of the program.
/// name: the variable
/// value: its new value; "" removes the variable
void SetEnv(const RtString& name, const RtString& value);

/// Enciphers a text with Blowfish.
/// key: the key text
/// text: the text, zero-padded to 8-byte blocks
/// Returns: the cipher text as lower-case hexadecimal; "" for ""
RtString EncryptText(const RtString& key, const RtString& text);
/// Deciphers what EncryptText gave.
/// key: the key text
/// hex: the hexadecimal cipher text (either case); a variable passed in is lower-cased
/// Returns: the text, cut at its first zero byte
RtString DecryptText(const RtString& key, RtString& hex);
RtString DecryptText(const RtString& key, const RtString& hex);
