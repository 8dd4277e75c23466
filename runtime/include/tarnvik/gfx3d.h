// Commands of the gfx3d subsystem.
#pragma once

#include "tarnvik/arrays.h"
#include "tarnvik/rt_string.h"

// Entering and leaving 3D drawing. 3D lasts until End3D or the frame is shown; without a window
// the drawing commands do nothing. Only MultiplyObjectMatrix records an error code.

/// Enters 3D drawing for the rest of the frame.
/// Clears the depth buffer, sets the projection and resets the camera (eye at the origin looking along
/// −z), the transform stack, culling, environment mapping, the shadow light and the textures; lights
/// and fog stay.
/// nearClip: distance of the near clipping plane, scene units, > 0
/// farClip: distance of the far clipping plane, scene units
/// fov: vertical view angle in degrees for a perspective view; <= 0 gives an orthographic view of
/// that angle, 100 times the size of the perspective near plane
void Start3D(RtNumber nearClip, RtNumber farClip, RtNumber fov);
/// Ends a shadow pass in progress and clears the depth buffer.
void ClearDepthBuffer();
/// Ends a shadow pass in progress and returns to 2D drawing over the whole window.
void End3D();

/// Chooses the textures of following 3D draws and binds them.
/// slot: sprite slot of the first texture, −1 = none
/// secondSlot: sprite slot of the second texture unit, −1 = none
void SetTexture3D(RtNumber slot, RtNumber secondSlot);
/// Makes SetTexture3D pick the slots' mipmapped textures; ShowScreen switches it off every frame.
/// on: non-zero for mipmapped textures, 0 for plain ones
void SetMipmapping(RtNumber on);

/// Sets the up vector the next SetCamera uses (Start3D resets it to 0, 1, 0).
/// x: up vector's x
/// y: up vector's y
/// z: up vector's z
void SetCameraUp(RtNumber x, RtNumber y, RtNumber z);
/// Points the camera from an eye position at a target; also resets the object transform stack.
/// eyeX: eye position x, scene units
/// eyeY: eye position y, scene units
/// eyeZ: eye position z, scene units
/// targetX: looked-at point x, scene units
/// targetY: looked-at point y, scene units
/// targetZ: looked-at point z, scene units
void SetCamera(RtNumber eyeX, RtNumber eyeY, RtNumber eyeZ, RtNumber targetX, RtNumber targetY, RtNumber targetZ);

// Lights are placed through the camera current when they are set: set them after the camera.

/// Sets, changes or switches off one of the eight lights, or sets the shadow light.
/// id: light 0 … 7 (taken modulo 8); negative: the shadow light (−1 bump mapping, −3 stencil shadow
/// volumes, any other negative id toon shading)
/// colour: red + green·256 + blue·65536
/// x: light position x, scene units (position and direction all 0: a light from straight overhead)
/// y: light position y, scene units
/// z: light position z, scene units
/// dx: light direction x (for directional lights and spots)
/// dy: light direction y
/// dz: light direction z
/// cutoff: cone half-angle in degrees: 0 switches the light off, 180 makes it directional, above 90 a
/// point light, else a spot of that cone; for the shadow light 0 switches it off
void SetLight(RtNumber id, RtNumber colour, RtNumber x, RtNumber y, RtNumber z, RtNumber dx, RtNumber dy, RtNumber dz,
              RtNumber cutoff);
/// Sets a directional light shining from the camera's eye towards the origin.
/// id: light 0 … 7 (taken modulo 8); negative: the shadow light, as in SetLight
/// colour: red + green·256 + blue·65536
void SetHeadLight(RtNumber id, RtNumber colour);
/// Switches fog on (linear or exponential) or off.
/// colour: red + green·256 + blue·65536; −1 switches fog off
/// exponential: non-zero for exponential fog, 0 for linear fog
/// startOrDensity: linear: distance where fog starts, scene units; exponential: the density
/// end: linear: distance of full fog, scene units (start and end both 0: Start3D's clip distances)
void SetFog(RtInt colour, RtNumber exponential, RtNumber startOrDensity, RtNumber end);
/// Sets back-face culling.
/// mode: > 0 culls with clockwise front faces, < 0 with counter-clockwise front faces, 0 switches culling off
void SetCullMode(RtNumber mode);
/// Sets the offset added to every texture coordinate of drawn objects.
/// u: horizontal offset, texture widths
/// v: vertical offset, texture heights
void SetTextureOffset(RtNumber u, RtNumber v);
/// Switches sphere-map texture generation for drawn objects on or off.
/// on: non-zero on, 0 off
void SetEnvironmentMapping(RtNumber on);

// The object transform stack: 16 levels, up to 16 rotations per level; object drawing multiplies
// the current level onto the camera. Pushes beyond the 16th level and further rotations are ignored.

/// Composes the current level and opens a child level on top of it (ignored at the 16th level).
void PushObjectTransform();
/// Returns to the parent level; at the bottom level resets it to the identity.
void PopObjectTransform();
/// Restarts the current level from its parent with this position.
/// x: position x, scene units
/// y: position y, scene units
/// z: position z, scene units
void SetObjectPosition(RtNumber x, RtNumber y, RtNumber z);
/// Restarts the current level from its parent with this scale.
/// x: scale factor along x (1 = unchanged)
/// y: scale factor along y
/// z: scale factor along z
void SetObjectScale(RtNumber x, RtNumber y, RtNumber z);
/// Appends a rotation to the current level (beyond 16 on one level they are ignored).
/// angle: degrees, counter-clockwise about the axis
/// x: rotation axis x
/// y: rotation axis y
/// z: rotation axis z
void RotateObject(RtNumber angle, RtNumber x, RtNumber y, RtNumber z);
/// Appends a 4 × 4 matrix to the current level.
/// matrix: elements 0 … 15, column-major
/// Errors: 9 (and the end of the program) for an array shorter than 16 elements
void MultiplyObjectMatrix(RtNumberArray& matrix);

/// Draws one round point in a flat colour.
/// x: position x, scene units
/// y: position y, scene units
/// z: position z, scene units
/// colour: red + green·256 + blue·65536
/// size: diameter in pixels, clamped to 1 … 512
void DrawPoint3D(RtNumber x, RtNumber y, RtNumber z, RtNumber colour, RtNumber size);
/// Draws a line in a flat colour.
/// x1: start x, scene units
/// y1: start y, scene units
/// z1: start z, scene units
/// x2: end x, scene units
/// y2: end y, scene units
/// z2: end z, scene units
/// colour: red + green·256 + blue·65536
/// width: pixels, clamped to 1 … 512
void DrawLine3D(RtNumber x1, RtNumber y1, RtNumber z1, RtNumber x2, RtNumber y2, RtNumber z2, RtNumber colour,
                RtNumber width);
/// Draws a red (x), green (y) and blue (z) axes marker 20 units long at a point.
/// The object transform does not apply to it.
/// x: marker position x, scene units
/// y: marker position y, scene units
/// z: marker position z, scene units
void DrawAxes(RtNumber x, RtNumber y, RtNumber z);

// 3D objects, numbered 0 … 65535: built vertex by vertex or loaded from a file, drawn with the
// current object transform.

/// Empties an object and starts building it with one mesh and one frame.
/// index: object number, 0 … 65535
/// Errors: 7 for a number outside 0 … 65535
void StartObject(RtNumber index);
/// Appends a vertex to the object being built; ignored when none is.
/// x: position x, scene units
/// y: position y, scene units
/// z: position z, scene units
/// tx: texture coordinate across the texture, 0 … 1 left to right
/// ty: texture coordinate down the texture, 0 … 1 top to bottom
/// colour: red + green·256 + blue·65536; -1, -2 and -4 are white; -3 starts a polygon whose corners follow
/// Errors: 7 when the object already holds 4 194 304 vertices
void AddObjectVertex(RtNumber x, RtNumber y, RtNumber z, RtNumber tx, RtNumber ty, RtInt colour);
/// Ends the current run of vertices or polygon of the object being built.
void AddObjectBreak();
/// Finishes the object being built: triangles from its vertices and polygons, normals by the normal mode.
/// An object without a frame of more than 2 vertices is discarded.
void EndObject();
/// Chooses how EndObject makes normals.
/// mode: mode mod 3: 0 none (as given), 1 flat (one per triangle), 2 smooth (averaged over shared corners)
void SetNormalMode(RtNumber mode);
/// Loads an object from a binary or text mesh file, or several meshes with their pictures from a multi-mesh file.
/// file: the file name, resolved like every program file
/// index: object number, 0 … 65535
/// Errors: 7 for a number outside 0 … 65535; 3 when the file cannot be read or holds no mesh
void LoadObject(const RtString& file, RtNumber index);
/// Draws an object at one animation frame.
/// index: object number
/// frame: frame number, clamped to the object's frames
/// Returns: 1 when something was drawn; 0 for an object not there or wholly outside the view
RtInt DrawObject(RtNumber index, RtNumber frame);
/// Draws an object between two animation frames.
/// index: object number
/// frameA: first frame number, clamped to the object's frames
/// frameB: second frame number, clamped to the object's frames
/// weight: 0 … 1; with animate off, 0 draws frameA and 1 frameB; with animate on, the way from frameA to
/// frameB (its fractional part when outside 0 … 1)
/// animate: 0 blends frameA into frameB; non-zero runs through the frames between them
/// Returns: 1 when something was drawn; 0 for an object not there or wholly outside the view
RtInt DrawObjectBlend(RtNumber index, RtNumber frameA, RtNumber frameB, RtNumber weight, RtNumber animate);
/// Finds the first object number not in use.
/// Returns: the object number, or -1 when all 65536 are in use
RtInt FindFreeObject();
/// Counts an object's triangles.
/// index: object number
/// Returns: the triangles of its meshes' first frames; 0 for an object not there
RtInt GetObjectTriangleCount(RtNumber index);

// Camera-facing drawing: sprites and text that face the camera wherever it looks from.

/// Draws a sprite as a billboard facing the camera, standing on a point (its bottom edge centred on it).
/// slot: sprite slot; an empty slot draws nothing
/// x: foot point x, scene units
/// y: foot point y, scene units
/// z: foot point z, scene units
/// scale: size factor: the billboard is half the sprite's pixel size times scale, in scene units
void DrawBillboard(RtNumber slot, RtNumber x, RtNumber y, RtNumber z, RtNumber scale);
/// Prints a line of text in the current font, in world space facing the camera or flat on the screen.
/// text: the text; a zero byte ends it
/// x: point x, scene units
/// y: point y, scene units
/// z: point z, scene units
/// scale: non-zero: world space, characters of scale × the font's cell width, the line centred on the point
/// with
/// its bottom edge through it; 0: flat on the screen, centred where the point lands (nothing when it is
/// behind the camera)
void PrintText3D(const RtString& text, RtNumber x, RtNumber y, RtNumber z, RtNumber scale);

// Collision and picking: shapes tested against the triangles of one frame of an object's meshes,
// placed with the current object transform (the one the object would be drawn with). Positions are
// scene units; the shape is carried into the object's own space, where a sphere's radius is measured.
// An object not there, without meshes or with a singular transform, and any NaN or infinite
// argument, hit nothing. With the debug flag set the tests also draw the shape: red after a hit,
// green after a miss.

/// Tests a sphere against an object's triangles.
/// index: object number
/// frame: animation frame of each mesh (truncated); a mesh without that frame is not hit
/// radius: sphere radius, the object's own units, >= 0
/// x: centre x, scene units
/// y: centre y, scene units
/// z: centre z, scene units
/// Returns: 1 when the sphere touches a triangle, else 0
RtInt CollideSphere(RtNumber index, RtNumber frame, RtNumber radius, RtNumber x, RtNumber y, RtNumber z);
/// Tests an axis-aligned box against an object's triangles.
/// index: object number
/// frame: animation frame of each mesh (truncated); a mesh without that frame is not hit
/// x: box centre x, scene units
/// y: box centre y, scene units
/// z: box centre z, scene units
/// width: full size along x, scene units, >= 0
/// height: full size along y, scene units, >= 0
/// depth: full size along z, scene units, >= 0
/// Returns: 1 when the box shares a point with a triangle, else 0
RtInt CollideBox(RtNumber index, RtNumber frame, RtNumber x, RtNumber y, RtNumber z, RtNumber width, RtNumber height,
                 RtNumber depth);
/// Casts a ray at an object's triangles, both ways from its start.
/// index: object number
/// frame: animation frame of each mesh (truncated); a mesh without that frame is not hit
/// x: start x, scene units
/// y: start y, scene units
/// z: start z, scene units
/// dx: direction x (normalised unless it is shorter than 0.0003)
/// dy: direction y
/// dz: direction z
/// Returns: the distance to the nearest triangle ahead; without one, minus the distance to the nearest
/// behind the start; 0 when there is none
RtNumber CollideRay(RtNumber index, RtNumber frame, RtNumber x, RtNumber y, RtNumber z, RtNumber dx, RtNumber dy,
                    RtNumber dz);
/// Tests a sphere against a box centred at the origin of the current object transform, in its space.
/// x: sphere centre x, scene units
/// y: sphere centre y, scene units
/// z: sphere centre z, scene units
/// radius: sphere radius, the transform's own units, >= 0
/// width: full box size along the transform's x
/// height: full box size along the transform's y
/// depth: full box size along the transform's z
/// Returns: 1 when the sphere touches the box, else 0
RtInt SphereInBox(RtNumber x, RtNumber y, RtNumber z, RtNumber radius, RtNumber width, RtNumber height,
                  RtNumber depth);
/// Tells which triangle the latest CollideSphere, CollideBox or CollideRay hit.
/// Returns: the triangle's number within its mesh's frame (for a ray, the triangle of the returned
/// distance); 0 after a miss
RtInt GetLastHitTriangle();

/// Gives where a 3D point lands on the screen under the current camera.
/// x: point x, scene units
/// y: point y, scene units
/// z: point z, scene units
/// sx: receives the column, pixels from the window's left edge
/// sy: receives the row, pixels from the window's top edge
/// sz: receives the depth, 0 at the near plane … 1 at the far plane
/// Returns: 1; 0 with the outputs unchanged for a point in the eye's plane or without a window
RtInt ProjectToScreen(RtNumber x, RtNumber y, RtNumber z, RtNumber& sx, RtNumber& sy, RtNumber& sz);
/// Gives the 3D point at a screen position and depth (the reverse of ProjectToScreen).
/// sx: column, pixels from the window's left edge
/// sy: row, pixels from the window's top edge
/// sz: depth, 0 at the near plane … 1 at the far plane
/// x: receives the point's x, scene units
/// y: receives the point's y, scene units
/// z: receives the point's z, scene units
/// Returns: 1; 0 with the outputs unchanged when the view cannot be reversed or without a window
RtInt UnprojectFromScreen(RtNumber sx, RtNumber sy, RtNumber sz, RtNumber& x, RtNumber& y, RtNumber& z);
