#include "gl/gl_state.h"

#include <GL/gl.h>

#include <unordered_map>

#include "gl/gl_extensions.h"
#include "gl/quad_batch.h"

namespace tvk::gl {
namespace {

// A switch or value the layer has not set since the context was made or last forgotten.
enum class Switch : int8_t { Unknown = -1, Off = 0, On = 1 };
constexpr int64_t kUnknownName = -1;
constexpr int32_t kUnknownEnum = -1;

struct TextureParameters {
    int32_t wrapS = kUnknownEnum, wrapT = kUnknownEnum;
    int32_t minification = kUnknownEnum, magnification = kUnknownEnum;
};

struct Unit {
    int64_t bound = kUnknownName;
    TextureParameters* parameters = nullptr;  // of the bound texture, when it is known
    Switch texturing = Switch::Unknown;
};

struct ContextState {
    Unit units[kTextureUnits];
    int activeUnit = -1;
    std::unordered_map<uint32_t, TextureParameters> textures;
    Switch blending = Switch::Unknown, alphaTest = Switch::Unknown;
    uint32_t blendSource = 0, blendDestination = 0;
    bool blendFunctionKnown = false;
    uint32_t alphaFunction = 0;
    float alphaReference = 0;
    bool alphaFunctionKnown = false;
    float colour[4] = {0, 0, 0, 0};
    bool colourKnown = false;
    Switch arrays[4] = {Switch::Unknown, Switch::Unknown, Switch::Unknown, Switch::Unknown};
};

ContextState& State() {
    static ContextState state;
    return state;
}

Switch SwitchOf(bool on) { return on ? Switch::On : Switch::Off; }

bool UnitUsable(int unit) { return unit == 0 || (unit == 1 && glActiveTextureARB != nullptr); }

void SelectUnit(int unit) {
    ContextState& s = State();
    if (s.activeUnit == unit || !glActiveTextureARB) return;
    glActiveTextureARB(GL_TEXTURE0_ARB + unit);
    s.activeUnit = unit;
}

// The parameters remembered for the texture bound on `unit`; null when that texture is not known.
TextureParameters* BoundParameters(int unit) { return State().units[unit].parameters; }

// Entries of the per-texture table stay where they are while others come and go.
TextureParameters* ParametersOf(int64_t name) {
    return name > 0 ? &State().textures[static_cast<uint32_t>(name)] : nullptr;
}

// A name GL hands out again starts with the parameters GL gives a new texture, not the old ones.
void ForgetParameters(uint32_t name) {
    ContextState& s = State();
    for (Unit& u : s.units)
        if (u.bound == static_cast<int64_t>(name)) u.parameters = nullptr;
    s.textures.erase(name);
}

void SetCapability(Switch& known, bool on, GLenum capability) {
    if (known == SwitchOf(on)) return;
    FinishQuads();
    if (on) glEnable(capability);
    else glDisable(capability);
    known = SwitchOf(on);
}

}  // namespace

void BindTextureName(int unit, uint32_t name) {
    if (!UnitUsable(unit)) return;
    Unit& u = State().units[unit];
    if (u.bound == static_cast<int64_t>(name)) return;
    FinishQuads();
    SelectUnit(unit);
    glBindTexture(GL_TEXTURE_2D, name);
    SelectUnit(0);
    u.bound = name;
    u.parameters = ParametersOf(name);
}

void SetTexturing(int unit, bool on) {
    if (!UnitUsable(unit)) return;
    Unit& u = State().units[unit];
    if (u.texturing == SwitchOf(on)) return;
    FinishQuads();
    SelectUnit(unit);
    if (on) glEnable(GL_TEXTURE_2D);
    else glDisable(GL_TEXTURE_2D);
    SelectUnit(0);
    u.texturing = SwitchOf(on);
}

void SetTextureWrap(int unit, int32_t wrap) { SetTextureWrap(unit, wrap, wrap); }

void SetTextureWrap(int unit, int32_t wrapS, int32_t wrapT) {
    if (!UnitUsable(unit)) return;
    TextureParameters* p = BoundParameters(unit);
    if (p && p->wrapS == wrapS && p->wrapT == wrapT) return;
    FinishQuads();
    SelectUnit(unit);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrapS);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrapT);
    SelectUnit(0);
    if (p) {
        p->wrapS = wrapS;
        p->wrapT = wrapT;
    }
}

void SetTextureFilter(int unit, int32_t minification, int32_t magnification) {
    if (!UnitUsable(unit)) return;
    TextureParameters* p = BoundParameters(unit);
    if (p && p->minification == minification && p->magnification == magnification) return;
    FinishQuads();
    SelectUnit(unit);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magnification);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minification);
    SelectUnit(0);
    if (p) {
        p->minification = minification;
        p->magnification = magnification;
    }
}

void SetBlending(bool on) { SetCapability(State().blending, on, GL_BLEND); }

void SetBlendFunction(uint32_t source, uint32_t destination) {
    ContextState& s = State();
    if (s.blendFunctionKnown && s.blendSource == source && s.blendDestination == destination) return;
    FinishQuads();
    glBlendFunc(source, destination);
    s.blendSource = source;
    s.blendDestination = destination;
    s.blendFunctionKnown = true;
}

void SetAlphaTest(bool on) { SetCapability(State().alphaTest, on, GL_ALPHA_TEST); }

void SetAlphaFunction(uint32_t function, float reference) {
    ContextState& s = State();
    if (s.alphaFunctionKnown && s.alphaFunction == function && s.alphaReference == reference) return;
    FinishQuads();
    glAlphaFunc(function, reference);
    s.alphaFunction = function;
    s.alphaReference = reference;
    s.alphaFunctionKnown = true;
}

void SetColour(float red, float green, float blue, float alpha) {
    ContextState& s = State();
    const float c[4] = {red, green, blue, alpha};
    if (s.colourKnown && s.colour[0] == c[0] && s.colour[1] == c[1] && s.colour[2] == c[2] && s.colour[3] == c[3])
        return;
    FinishQuads();
    glColor4f(red, green, blue, alpha);
    for (int i = 0; i < 4; ++i) s.colour[i] = c[i];
    s.colourKnown = true;
}

void SetColourBytes(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha) {
    FinishQuads();
    glColor4ub(red, green, blue, alpha);
    State().colourKnown = false;  // kept as bytes: not compared with float colours
}

void ColourChangedByDraw() { State().colourKnown = false; }

void SetClientArrays(ClientArrays wanted) {
    // The waiting quads set their own arrays when they are drawn, so nothing is finished here.
    static constexpr GLenum kArrays[4] = {GL_VERTEX_ARRAY, GL_TEXTURE_COORD_ARRAY, GL_COLOR_ARRAY, GL_NORMAL_ARRAY};
    const bool on[4] = {wanted.vertices, wanted.textureCoordinates, wanted.colours, wanted.normals};
    ContextState& s = State();
    for (int i = 0; i < 4; ++i) {
        if (s.arrays[i] == SwitchOf(on[i])) continue;
        if (on[i]) glEnableClientState(kArrays[i]);
        else glDisableClientState(kArrays[i]);
        s.arrays[i] = SwitchOf(on[i]);
    }
}

uint32_t CreateTexture() {
    FinishQuads();
    GLuint name = 0;
    glGenTextures(1, &name);
    ForgetParameters(name);
    State().units[0].bound = kUnknownName;  // a new name is bound for real: that makes the texture
    BindTextureName(0, name);
    return name;
}

void DeleteTexture(uint32_t& name) {
    if (!name) return;
    FinishQuads();
    glDeleteTextures(1, &name);
    ContextState& s = State();
    for (Unit& u : s.units)
        if (u.bound == static_cast<int64_t>(name)) {
            u.bound = 0;  // GL falls back to the default texture
            u.parameters = nullptr;
        }
    ForgetParameters(name);
    name = 0;
}

void ForgetState() {
    FinishQuads();
    State() = ContextState{};
}

}  // namespace tvk::gl
