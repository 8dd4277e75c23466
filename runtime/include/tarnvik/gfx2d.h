// Commands of the gfx2d subsystem.
#pragma once

#include "tarnvik/rt_string.h"

// Renderer state.
void SetAlphaMode(RtNumber mode);  // sign: additive (>0) or normal (<0) blending; size: opacity; 0 = opaque
void SetSmoothing(RtInt on);
// Sprites and text are held back and drawn together; GL state the runtime set is remembered.
// A program that calls GL itself calls this before its own GL calls (everything drawn so far
// reaches GL) and after them (the runtime sets its state again instead of trusting the old).
void SyncGraphicsState();
void SetTransparentColour(RtInt colour);
void SetClearColour(RtInt colour);  // -1 stops clearing
void SetViewport(RtInt x, RtInt y, RtInt width, RtInt height);
void GetViewport(RtInt& x, RtInt& y, RtInt& width, RtInt& height);
void GetViewport(RtNumber& x, RtNumber& y, RtNumber& width, RtNumber& height);
void GetScreenSize(RtInt& width, RtInt& height);
void GetScreenSize(RtNumber& width, RtNumber& height);
void GetDesktopSize(RtInt& width, RtInt& height);
void GetDesktopSize(RtNumber& width, RtNumber& height);

// Flat primitives; colours are red + green*256 + blue*65536.
void SetPixel(RtInt x, RtInt y, RtInt colour);
void DrawLine(RtInt x1, RtInt y1, RtInt x2, RtInt y2, RtInt colour);
void DrawRect(RtInt x, RtInt y, RtInt width, RtInt height, RtInt colour);
RtInt GetPixel(RtInt x, RtInt y);

// Vertex batches: mode 0 fan, 1 triangles, 2 strip; slot -1 = untextured.
void StartPoly(RtInt slot, RtInt mode);
void AddPolyVertex(RtNumber x, RtNumber y, RtNumber tx, RtNumber ty, RtInt colour);
void NextPolyStrip();
void EndPoly();

// Sprite slots 0..65503 hold the program's pictures (PNG, JPEG or BMP).
void LoadSprite(const RtString& file, RtInt slot);
void LoadNormalMapSprite(const RtString& file, RtInt slot);
void LoadAnimSprite(const RtString& file, RtInt slot, RtInt frameWidth, RtInt frameHeight);
void SetSpriteFrameSize(RtInt slot, RtInt frameWidth, RtInt frameHeight);
void GetSpriteSize(RtInt slot, RtInt& width, RtInt& height);
void GetSpriteSize(RtInt slot, RtNumber& width, RtNumber& height);
RtInt GetSpriteTexture(RtInt slot);
RtInt FindFreeSprite();  // -1 when every program slot is taken

// Drawing sprites and animation frames; angles in degrees, counter-clockwise on screen.
void DrawSprite(RtInt slot, RtInt x, RtInt y);
void StretchSprite(RtInt slot, RtInt x, RtInt y, RtInt width, RtInt height);
void ZoomSprite(RtInt slot, RtInt x, RtInt y, RtNumber zoomX, RtNumber zoomY);
void RotateSprite(RtInt slot, RtInt x, RtInt y, RtNumber angle);
void RotoZoomSprite(RtInt slot, RtInt x, RtInt y, RtNumber angle, RtNumber zoom);
void DrawAnimFrame(RtInt slot, RtInt frame, RtInt x, RtInt y);
void StretchAnimFrame(RtInt slot, RtInt frame, RtInt x, RtInt y, RtInt width, RtInt height);
void RotoZoomAnimFrame(RtInt slot, RtInt frame, RtInt x, RtInt y, RtNumber angle, RtNumber zoom);
// 1 when an opaque pixel of one overlaps an opaque pixel of the other.
RtInt SpriteCollision(RtInt slotA, RtInt xA, RtInt yA, RtInt slotB, RtInt xB, RtInt yB);
RtInt AnimCollision(RtInt slotA, RtInt frameA, RtInt xA, RtInt yA, RtInt slotB, RtInt frameB, RtInt xB, RtInt yB);

// Bitmap fonts 0..31: pictures of 16 columns of character cells.
void LoadFont(const RtString& file, RtInt font);
void SetFont(RtInt font);
RtInt FindFreeFont();
void PrintText(const RtString& text, RtNumber x, RtNumber y, RtInt kerned);
RtInt GetTextWidth(const RtString& text, RtInt kerned);
void GetTextWidth(const RtString& text, RtInt kerned, RtNumber& width);
void GetFontSize(RtInt& width, RtInt& height);
void GetFontSize(RtNumber& width, RtNumber& height);

// Pictures and integer arrays: one element per pixel, red + green*256 + blue*65536 + alpha*16777216,
// rows from the top. Each returns 1 on success, 0 otherwise.
#include "tarnvik/arrays.h"
RtInt CreateSpriteFromArray(const RtIntArray& array, RtInt slot, RtInt width, RtInt height);
RtInt SpriteToArray(RtIntArray& array, RtInt slot);
RtInt LoadImageToArray(const RtString& file, RtInt& width, RtInt& height, RtIntArray& array);

// Background pictures of any size, drawn behind every frame (0) or cross-faded into (FadeToImage).
void LoadBackground(const RtString& file);
void FadeToImage(const RtString& file, RtInt milliseconds);

// Shaders: GLSL vertex and fragment pairs from files in entries 0..254. An empty file name
// leaves that stage to the fixed-function pipeline. LoadShader gives 1 on success, else 0;
// failures are described on the debug output while the debug flag is on.
RtInt LoadShader(RtInt index, const RtString& vertexFile, const RtString& fragmentFile);
void UseShader(RtInt index);  // -1 (or any index above 254): fixed-function drawing
void SetShaderFloat(const RtString& name, RtNumber value);  // a uniform of the current shader

// Off-screen screens 0..31: drawing goes into a sprite until UseScreen(-1) or the next ShowScreen.
void CreateScreen(RtInt id, RtInt slot, RtInt width, RtInt height);
void UseScreen(RtInt id);  // a negative id returns to the window
// Copies a rectangle of the current target into a sprite; 1 on success.
RtInt GrabSprite(RtInt slot, RtInt x, RtInt y, RtInt width, RtInt height);
void GrabScreenAsBackground();  // the window becomes the screen background
// Pictures as files: ".png" gives PNG, a name ending in "jpg" JPEG, anything else BMP. 1 when written;
// otherwise 0 and error code 3.
RtInt SaveScreen(const RtString& file);
RtInt SaveSprite(RtInt slot, const RtString& file);
