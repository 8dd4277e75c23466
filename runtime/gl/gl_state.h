// The GL context's state as the runtime last set it. Texture bindings and texturing per unit,
// the parameters of each texture, blending, the alpha test, the current colour and the client
// arrays of the 2D and 3D drawing are changed only here, so a change already in place costs no
// GL call. Quads waiting in the quad batch are drawn before anything they depend on changes.
//
// Code that calls GL for anything else first calls FinishQuads() (quad_batch.h); code that
// changes this state behind the layer's back (glPushAttrib/glPopAttrib, a program's own GL
// calls) calls ForgetState() afterwards.
#pragma once

#include <cstdint>

namespace tvk::gl {

constexpr int kTextureUnits = 2;

// Binds `name` on `unit` (unit 1 only with multitexture); the unit's texturing switch is kept.
void BindTextureName(int unit, uint32_t name);
// Texturing on or off on `unit`.
void SetTexturing(int unit, bool on);
// The parameters of the texture bound on `unit`, remembered per texture: wrap for s and t, and the
// two filters (GL enums).
void SetTextureWrap(int unit, int32_t wrap);
void SetTextureWrap(int unit, int32_t wrapS, int32_t wrapT);
void SetTextureFilter(int unit, int32_t minification, int32_t magnification);

void SetBlending(bool on);
void SetBlendFunction(uint32_t source, uint32_t destination);
void SetAlphaTest(bool on);
void SetAlphaFunction(uint32_t function, float reference);
// The current colour, as floats; SetColourBytes sets it as bytes, the way lines and points are drawn.
void SetColour(float red, float green, float blue, float alpha);
void SetColourBytes(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha);
// A draw from a colour array leaves the current colour undefined.
void ColourChangedByDraw();

// Which client arrays are on; only the ones that change are switched.
struct ClientArrays {
    bool vertices = false, textureCoordinates = false, colours = false, normals = false;
};
void SetClientArrays(ClientArrays arrays);

// Texture names are made and deleted here, so remembered parameters never outlive their texture.
// New textures are bound on unit 0, ready for their pictures.
uint32_t CreateTexture();
void DeleteTexture(uint32_t& name);

// Everything remembered is forgotten: the next change of each piece of state is sent to GL.
// Called for a new context and after GL calls that did not come through the layer.
void ForgetState();

}  // namespace tvk::gl
