// Commands of the gfx3d subsystem.
#pragma once

#include "tarnvik/arrays.h"
#include "tarnvik/rt_string.h"

// Entering and leaving 3D drawing; fov <= 0 gives an orthographic view of that angle.
void Start3D(RtNumber nearClip, RtNumber farClip, RtNumber fov);
void ClearDepthBuffer();
void End3D();

// Textures for 3D draws (-1 = none); mipmapping selects the slots' mipmapped textures.
void SetTexture3D(RtNumber slot, RtNumber secondSlot);
void SetMipmapping(RtNumber on);

// Camera: the up vector is used by the next SetCamera.
void SetCameraUp(RtNumber x, RtNumber y, RtNumber z);
void SetCamera(RtNumber eyeX, RtNumber eyeY, RtNumber eyeZ, RtNumber targetX, RtNumber targetY, RtNumber targetZ);

// Lights: cutoff 0 switches a light off, 180 makes it directional, above 90 a point light,
// else a spot of that cone; a negative id sets the shadow light. Set lights after the camera.
void SetLight(RtNumber id, RtNumber colour, RtNumber x, RtNumber y, RtNumber z, RtNumber dx, RtNumber dy, RtNumber dz,
              RtNumber cutoff);
void SetHeadLight(RtNumber id, RtNumber colour);
// colour -1 switches fog off; linear fog from start to end (both 0: the clip distances).
void SetFog(RtInt colour, RtNumber exponential, RtNumber startOrDensity, RtNumber end);
void SetCullMode(RtNumber mode);  // > 0 clockwise front faces, < 0 counter-clockwise, 0 off
void SetTextureOffset(RtNumber u, RtNumber v);
void SetEnvironmentMapping(RtNumber on);

// The object transform stack (16 levels, 16 rotations per level).
void PushObjectTransform();
void PopObjectTransform();
void SetObjectPosition(RtNumber x, RtNumber y, RtNumber z);
void SetObjectScale(RtNumber x, RtNumber y, RtNumber z);
void RotateObject(RtNumber angle, RtNumber x, RtNumber y, RtNumber z);
void MultiplyObjectMatrix(RtNumberArray& matrix);  // elements 0..15, column-major

// 3D points, lines (size and width 1..512 pixels) and a 20-unit axes marker.
void DrawPoint3D(RtNumber x, RtNumber y, RtNumber z, RtNumber colour, RtNumber size);
void DrawLine3D(RtNumber x1, RtNumber y1, RtNumber z1, RtNumber x2, RtNumber y2, RtNumber z2, RtNumber colour,
                RtNumber width);
void DrawAxes(RtNumber x, RtNumber y, RtNumber z);

// 3D objects, numbered 0..65535. Built vertex by vertex (colour -1 is white; a break ends a run
// of vertices; colour -3 starts a polygon) or loaded from a mesh or multi-mesh file.
void StartObject(RtNumber index);
void AddObjectVertex(RtNumber x, RtNumber y, RtNumber z, RtNumber tx, RtNumber ty, RtInt colour);
void AddObjectBreak();
void EndObject();
void SetNormalMode(RtNumber mode);  // mode mod 3: 0 normals as given, 1 flat, 2 smooth
void LoadObject(const RtString& file, RtNumber index);
// Draws the object at a frame, or between two frames by weight (animate: the weight runs the whole
// way from frameA to frameB). Returns 1 when something was drawn, 0 when the object is not there
// or outside the view.
RtInt DrawObject(RtNumber index, RtNumber frame);
RtInt DrawObjectBlend(RtNumber index, RtNumber frameA, RtNumber frameB, RtNumber weight, RtNumber animate);
RtInt FindFreeObject();  // the first unused object number, or -1
RtInt GetObjectTriangleCount(RtNumber index);

// Camera-facing drawing: a sprite billboard standing on the point (half the sprite's pixel size
// times scale), and a line of text in the current font, in world space (characters scale × the
// font's cell width, centred on the point) or, with scale 0, flat on the screen where the point lands.
void DrawBillboard(RtNumber slot, RtNumber x, RtNumber y, RtNumber z, RtNumber scale);
void PrintText3D(const RtString& text, RtNumber x, RtNumber y, RtNumber z, RtNumber scale);
