// Commands of the gfx2d subsystem.
//
// Coordinates are pixels from the top-left corner of the current target (the window or an
// off-screen screen); colours are red + green·256 + blue·65536, so 0x0000FF is red and 0x00FFFF
// yellow. Without a window the drawing commands do nothing.
#pragma once

#include "tarnvik/rt_string.h"

// Renderer state.

/// Sets how sprites, text and batches blend with what is already drawn.
/// mode: 0 opaque (no blending); > 0 additive, < 0 normal blending; its size is the opacity, 0 … 1
/// (larger sizes count as 1)
void SetAlphaMode(RtNumber mode);
/// Switches smooth (linear) texture filtering on or off for following draws.
/// on: non-zero smooth, 0 sharp pixels
void SetSmoothing(RtInt on);
/// Hands GL over to the program's own GL calls and back.
/// Sprites and text are held back and drawn together; GL state the runtime set is remembered.
/// A program that calls GL itself calls this before its own GL calls (everything drawn so far
/// reaches GL) and after them (the runtime sets its state again instead of trusting the old).
void SyncGraphicsState();
/// Sets the colour that becomes see-through in sprites and fonts loaded from now on.
/// colour: red + green·256 + blue·65536; −1 for none
void SetTransparentColour(RtInt colour);
/// Sets the colour the screen is cleared to at every frame, clears it now and drops the background picture.
/// colour: red + green·256 + blue·65536; −1 stops clearing
void SetClearColour(RtInt colour);
/// Limits drawing to a rectangle of the window and makes its top-left corner the origin.
/// Also ends a 3D shadow pass in progress.
/// x: left edge, pixels from the window's left
/// y: top edge, pixels from the window's top
/// width: pixels; <= 0 (with height) the whole window
/// height: pixels; <= 0 (with width) the whole window
void SetViewport(RtInt x, RtInt y, RtInt width, RtInt height);
/// Gives the viewport SetViewport set (both forms: integer or number variables).
/// x: receives the left edge, pixels
/// y: receives the top edge, pixels
/// width: receives the width, pixels
/// height: receives the height, pixels (all 0 without a window)
void GetViewport(RtInt& x, RtInt& y, RtInt& width, RtInt& height);
void GetViewport(RtNumber& x, RtNumber& y, RtNumber& width, RtNumber& height);
/// Gives the size of the screen the program draws on (integer or number variables).
/// width: receives the width, pixels (0 without a window)
/// height: receives the height, pixels (0 without a window)
void GetScreenSize(RtInt& width, RtInt& height);
void GetScreenSize(RtNumber& width, RtNumber& height);
/// Gives the desktop's size as it was at start-up (integer or number variables).
/// width: receives the width, pixels
/// height: receives the height, pixels
void GetDesktopSize(RtInt& width, RtInt& height);
void GetDesktopSize(RtNumber& width, RtNumber& height);

// Flat primitives in one colour; the transparent colour draws see-through.

/// Sets one pixel.
/// x: pixels
/// y: pixels
/// colour: red + green·256 + blue·65536
void SetPixel(RtInt x, RtInt y, RtInt colour);
/// Draws a one-pixel line, both end points included.
/// x1: start, pixels
/// y1: start, pixels
/// x2: end, pixels
/// y2: end, pixels
/// colour: red + green·256 + blue·65536
void DrawLine(RtInt x1, RtInt y1, RtInt x2, RtInt y2, RtInt colour);
/// Fills a rectangle.
/// x: corner, pixels
/// y: corner, pixels
/// width: pixels; a negative width extends left of x
/// height: pixels; a negative height extends above y
/// colour: red + green·256 + blue·65536
void DrawRect(RtInt x, RtInt y, RtInt width, RtInt height, RtInt colour);
/// Reads back the colour of one pixel of the current target.
/// x: pixels
/// y: pixels
/// Returns: red + green·256 + blue·65536; 0 for a negative x or y, a y below the target, or without a window
RtInt GetPixel(RtInt x, RtInt y);

// Vertex batches: built with AddPolyVertex, drawn by EndPoly.

/// Starts a batch of vertices.
/// slot: sprite slot whose picture textures the batch; −1 (or a slot outside the table) untextured
/// mode: 0 triangle fan, 1 separate triangles, 2 triangle strip; other modes draw nothing
void StartPoly(RtInt slot, RtInt mode);
/// Adds a vertex to the batch.
/// x: pixels
/// y: pixels
/// tx: texture position, pixels from the picture's left
/// ty: texture position, pixels from the picture's top
/// colour: red + green·256 + blue·65536 tinting the vertex; 0xFFFFFF untinted; the transparent colour
/// makes it see-through
void AddPolyVertex(RtNumber x, RtNumber y, RtNumber tx, RtNumber ty, RtInt colour);
/// Ends the current strip; the next vertex starts a new one in the same batch.
void NextPolyStrip();
/// Draws the batch.
void EndPoly();

// Sprite slots 0..65503 hold the program's pictures (PNG, JPEG or BMP); slots 65504 and up hold
// the fonts' pictures.

/// Loads a picture into a sprite slot, replacing what it held; the transparent colour becomes see-through.
/// file: PNG, JPEG or BMP file (a packed or mem:// file too)
/// slot: sprite slot, 0 … 65503
/// Errors: 7 for a slot outside the table; 3 when the file cannot be read or decoded (success leaves
/// the code as it was)
void LoadSprite(const RtString& file, RtInt slot);
/// Loads a picture as a normal map into a sprite slot.
/// file: PNG, JPEG or BMP file
/// slot: sprite slot, 0 … 65503
/// Errors: 7 for a slot outside the table; 3 when the file cannot be read or decoded
void LoadNormalMapSprite(const RtString& file, RtInt slot);
/// Loads a picture of animation frames: LoadSprite, then SetSpriteFrameSize.
/// file: PNG, JPEG or BMP file
/// slot: sprite slot, 0 … 65503
/// frameWidth: width of one frame, pixels
/// frameHeight: height of one frame, pixels
/// Errors: 7 for a slot outside the table; 3 when the file cannot be read or decoded
void LoadAnimSprite(const RtString& file, RtInt slot, RtInt frameWidth, RtInt frameHeight);
/// Cuts a loaded sprite into animation frames, numbered from 0 left to right, then row by row.
/// slot: sprite slot; an empty slot is left alone
/// frameWidth: width of one frame, pixels, 1 … 32767
/// frameHeight: height of one frame, pixels, 1 … 32767
void SetSpriteFrameSize(RtInt slot, RtInt frameWidth, RtInt frameHeight);
/// Gives a sprite's picture size (integer or number variables).
/// slot: sprite slot
/// width: receives the width, pixels (0 for an empty slot or one outside the table)
/// height: receives the height, pixels (0 likewise)
void GetSpriteSize(RtInt slot, RtInt& width, RtInt& height);
void GetSpriteSize(RtInt slot, RtNumber& width, RtNumber& height);
/// Gives the GL texture name behind a sprite, for programs that call GL themselves.
/// slot: sprite slot
/// Returns: the texture name; 0 for an empty slot or one outside the table
RtInt GetSpriteTexture(RtInt slot);
/// Finds the lowest empty sprite slot.
/// Returns: the slot (0 … 65503), −1 when every program slot is taken
RtInt FindFreeSprite();

// Drawing sprites and animation frames; angles in degrees, counter-clockwise on screen. (x, y) is
// the top-left corner of the picture (or frame) as it is without zoom or rotation.

/// Draws a sprite at its own size.
/// slot: sprite slot
/// x: left edge, pixels
/// y: top edge, pixels
void DrawSprite(RtInt slot, RtInt x, RtInt y);
/// Draws a sprite stretched to a rectangle.
/// slot: sprite slot
/// x: left edge, pixels
/// y: top edge, pixels
/// width: pixels; negative mirrors
/// height: pixels; negative mirrors
void StretchSprite(RtInt slot, RtInt x, RtInt y, RtInt width, RtInt height);
/// Draws a sprite scaled about its centre.
/// slot: sprite slot
/// x: left edge of the unscaled picture, pixels
/// y: top edge of the unscaled picture, pixels
/// zoomX: horizontal scale factor (1 = own size)
/// zoomY: vertical scale factor (1 = own size)
void ZoomSprite(RtInt slot, RtInt x, RtInt y, RtNumber zoomX, RtNumber zoomY);
/// Draws a sprite turned about its centre.
/// slot: sprite slot
/// x: left edge of the unturned picture, pixels
/// y: top edge of the unturned picture, pixels
/// angle: degrees, counter-clockwise
void RotateSprite(RtInt slot, RtInt x, RtInt y, RtNumber angle);
/// Draws a sprite turned and scaled about its centre.
/// slot: sprite slot
/// x: left edge of the untransformed picture, pixels
/// y: top edge of the untransformed picture, pixels
/// angle: degrees, counter-clockwise
/// zoom: scale factor (1 = own size)
void RotoZoomSprite(RtInt slot, RtInt x, RtInt y, RtNumber angle, RtNumber zoom);
/// Draws one animation frame at its own size.
/// slot: sprite slot with a frame size
/// frame: frame number from 0, left to right then row by row
/// x: left edge, pixels
/// y: top edge, pixels
void DrawAnimFrame(RtInt slot, RtInt frame, RtInt x, RtInt y);
/// Draws one animation frame stretched to a rectangle.
/// slot: sprite slot with a frame size
/// frame: frame number from 0
/// x: left edge, pixels
/// y: top edge, pixels
/// width: pixels
/// height: pixels
void StretchAnimFrame(RtInt slot, RtInt frame, RtInt x, RtInt y, RtInt width, RtInt height);
/// Draws one animation frame turned and scaled about its centre.
/// slot: sprite slot with a frame size
/// frame: frame number from 0
/// x: left edge of the untransformed frame, pixels
/// y: top edge of the untransformed frame, pixels
/// angle: degrees, counter-clockwise
/// zoom: scale factor (1 = own size)
void RotoZoomAnimFrame(RtInt slot, RtInt frame, RtInt x, RtInt y, RtNumber angle, RtNumber zoom);
/// Tells whether two sprites drawn at their own size at the given places touch.
/// slotA: first sprite slot
/// xA: first sprite's left edge, pixels
/// yA: first sprite's top edge, pixels
/// slotB: second sprite slot
/// xB: second sprite's left edge, pixels
/// yB: second sprite's top edge, pixels
/// Returns: 1 when an opaque pixel of one overlaps an opaque pixel of the other, else 0 (also for empty
/// slots)
RtInt SpriteCollision(RtInt slotA, RtInt xA, RtInt yA, RtInt slotB, RtInt xB, RtInt yB);
/// Tells whether two animation frames drawn at their own size at the given places touch.
/// A slot without a frame size takes part with its whole picture.
/// slotA: first sprite slot
/// frameA: first frame number
/// xA: first frame's left edge, pixels
/// yA: first frame's top edge, pixels
/// slotB: second sprite slot
/// frameB: second frame number
/// xB: second frame's left edge, pixels
/// yB: second frame's top edge, pixels
/// Returns: 1 when an opaque pixel of one overlaps an opaque pixel of the other, else 0
RtInt AnimCollision(RtInt slotA, RtInt frameA, RtInt xA, RtInt yA, RtInt slotB, RtInt frameB, RtInt xB, RtInt yB);

// Bitmap fonts 0..31: pictures of 16 columns of character cells. Font 0 starts as the built-in font.

/// Loads a font picture into a font and makes it the current font; an empty name empties the font.
/// file: picture of 16 columns of character cells; "" empties the font
/// font: font 0 … 31
/// Errors: 7 for a font outside 0 … 31; 3 when the file cannot be read (the font becomes the built-in one)
void LoadFont(const RtString& file, RtInt font);
/// Makes a font the current one for PrintText and the measuring commands.
/// font: font 0 … 31
/// Errors: 7 for a font outside 0 … 31 (the current font stays)
void SetFont(RtInt font);
/// Finds the lowest empty font.
/// Returns: the font (0 … 30), −1 when none is empty
RtInt FindFreeFont();
/// Prints text in the current font; a zero byte ends it.
/// text: the text, one byte per character
/// x: left edge, pixels (rounded up)
/// y: top edge, pixels (rounded up)
/// kerned: non-zero gives each character its own width, 0 the cell width
void PrintText(const RtString& text, RtNumber x, RtNumber y, RtInt kerned);
/// Measures text in the current font (as the result or into a number variable).
/// text: the text
/// kerned: non-zero with each character's own width, 0 with the cell width
/// width: receives the width, pixels
/// Returns: the width, pixels
RtInt GetTextWidth(const RtString& text, RtInt kerned);
void GetTextWidth(const RtString& text, RtInt kerned, RtNumber& width);
/// Gives the current font's character cell size (integer or number variables).
/// width: receives the cell width, pixels
/// height: receives the cell height, pixels
void GetFontSize(RtInt& width, RtInt& height);
void GetFontSize(RtNumber& width, RtNumber& height);

// Pictures and integer arrays: one element per pixel, red + green*256 + blue*65536 + alpha*16777216,
// rows from the top. Each returns 1 on success, 0 otherwise.
#include "tarnvik/arrays.h"

/// Makes a sprite from an array of pixels.
/// array: width × height elements, red + green·256 + blue·65536 + alpha·16777216, rows from the top
/// slot: sprite slot
/// width: pixels, 1 … 32767
/// height: pixels, 1 … 32767
/// Returns: 1 on success; 0 for a slot outside the table, a size out of range or an array whose element
/// count is not width × height
RtInt CreateSpriteFromArray(const RtIntArray& array, RtInt slot, RtInt width, RtInt height);
/// Copies a sprite's pixels into a one-dimensional array of width × height elements.
/// array: receives the pixels, red + green·256 + blue·65536 + alpha·16777216, rows from the top
/// slot: sprite slot
/// Returns: 1 on success; 0 for an empty slot or one outside the table, or when the picture cannot be
/// read back (the array is then all zeros)
RtInt SpriteToArray(RtIntArray& array, RtInt slot);
/// Reads a picture file into an array of pixels without making a sprite.
/// file: PNG, JPEG or BMP file (a mem:// file too)
/// width: receives the width, pixels
/// height: receives the height, pixels
/// array: receives the pixels, red + green·256 + blue·65536 + alpha·16777216, rows from the top
/// Returns: 1 on success, 0 otherwise
/// Errors: 3 when the file does not exist (a file that cannot be decoded gives 0 and leaves the code as it
/// was)
RtInt LoadImageToArray(const RtString& file, RtInt& width, RtInt& height, RtIntArray& array);

// Background pictures of any size.

/// Loads a picture as the screen background, drawn behind every frame.
/// file: PNG, JPEG or BMP file
/// Errors: 3 when the file cannot be loaded (the background is dropped and frames are cleared to black)
void LoadBackground(const RtString& file);
/// Cross-fades from the current screen to a picture, which becomes the background; returns when done.
/// file: PNG, JPEG or BMP file
/// milliseconds: length of the fade; <= 0 shows the picture at once
/// Errors: 3 when the file cannot be loaded (the background is dropped and frames are cleared to black)
void FadeToImage(const RtString& file, RtInt milliseconds);

// Shaders: GLSL vertex and fragment pairs from files in entries 0..254. Failures are described on
// the debug output while the debug flag is on.

/// Compiles and links a shader pair into an entry.
/// index: shader entry, 0 … 254
/// vertexFile: GLSL vertex shader file; "" leaves that stage to the fixed-function pipeline
/// fragmentFile: GLSL fragment shader file; "" leaves that stage to the fixed-function pipeline
/// Returns: 1 on success, else 0
RtInt LoadShader(RtInt index, const RtString& vertexFile, const RtString& fragmentFile);
/// Selects the shader entry following draws use.
/// index: shader entry 0 … 254; −1 (or any index above 254) for fixed-function drawing
void UseShader(RtInt index);
/// Sets a float uniform of the current shader.
/// name: the uniform's name in the shader
/// value: its value
void SetShaderFloat(const RtString& name, RtNumber value);

// Off-screen screens 0..31: drawing goes into a sprite until UseScreen(-1) or the next ShowScreen.

/// Makes an off-screen screen that draws into a sprite slot of the given size.
/// The slot's picture is replaced.
/// id: screen 0 … 31; others are ignored
/// slot: sprite slot receiving the drawing
/// width: pixels, 1 … the GL texture limit (at most 16384)
/// height: pixels, 1 … the GL texture limit (at most 16384)
void CreateScreen(RtInt id, RtInt slot, RtInt width, RtInt height);
/// Sends drawing to an off-screen screen, or back to the window.
/// id: screen 0 … 31 made by CreateScreen; a negative id (or one never made) returns to the window
void UseScreen(RtInt id);
/// Copies a rectangle of the current target into a sprite slot.
/// slot: sprite slot
/// x: left edge, pixels from the target's left (not the viewport's)
/// y: top edge, pixels from the target's top
/// width: pixels, 1 … the GL texture limit (at most 8192)
/// height: pixels, 1 … the GL texture limit (at most 8192)
/// Returns: 1 on success, else 0
RtInt GrabSprite(RtInt slot, RtInt x, RtInt y, RtInt width, RtInt height);
/// Makes the window's current picture the screen background.
void GrabScreenAsBackground();
/// Saves the window's picture to a file.
/// A name ending in ".png" gives PNG, in "jpg" JPEG (either case), anything else BMP.
/// file: the file to write
/// Returns: 1 when written, else 0
/// Errors: 3 when it could not be written (success leaves the code as it was)
RtInt SaveScreen(const RtString& file);
/// Saves a sprite's picture to a file.
/// A name ending in ".png" gives PNG, in "jpg" JPEG (either case), anything else BMP.
/// slot: sprite slot
/// file: the file to write
/// Returns: 1 when written, else 0
/// Errors: 3 when the sprite cannot be read or the file not written
RtInt SaveSprite(RtInt slot, const RtString& file);
