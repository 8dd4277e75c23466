// Drawing objects: frame choice and blending, frustum rejection, vertex buffers for frames drawn
// alone, colours, texture offset, environment mapping, and stencil shadow volumes.
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "gfx2d/renderer.h"
#include "gfx2d/texture_binding.h"
#include "gfx3d/frame_blend.h"
#include "gfx3d/scene.h"
#include "gl/gl_extensions.h"
#include "gl/gl_state.h"
#include "gl/quad_batch.h"
#include "mesh/mesh_lighting.h"
#include "mesh/mesh_shadow.h"
#include "tarnvik/gfx3d.h"

namespace tvk {
namespace {

constexpr GLsizei kStride = sizeof(MeshVertex);

// The sphere holding both frames, moved and scaled by the object transform, against the view.
bool MeshVisible(const Dodurudo3D& scene, const Matrix4& transform, const MeshFrame& a, const MeshFrame& b) {
    float radius = a.radius;
    if (&a != &b) {
        const float dx = b.centre[0] - a.centre[0], dy = b.centre[1] - a.centre[1], dz = b.centre[2] - a.centre[2];
        radius = std::max(a.radius, std::sqrt(dx * dx + dy * dy + dz * dz) + b.radius);
    }
    if (!std::isfinite(radius)) return true;
    float centre[3];
    TransformPoint(transform, a.centre, centre);
    return scene.SphereVisible(centre[0], centre[1], centre[2], radius * LargestScale(transform));
}

void Prepare(const MeshObjectX& mesh, MeshDrawCache& draw) {
    if (draw.prepared) return;
    draw.buffer.triangles = mesh.frames[0].triangles;
    draw.coloured = false;
    for (const MeshVertex& v : draw.buffer.triangles)
        draw.coloured = draw.coloured || v.rgba[0] != 1 || v.rgba[1] != 1 || v.rgba[2] != 1 || v.rgba[3] != 1;
    draw.staticFrames.clear();
    draw.staticFrames.resize(mesh.frames.size());
    draw.bufferFirst = -1;
    draw.prepared = true;
}

// Positions and normals of the chosen frames into the draw buffer; everything else is frame 0's.
// A frame with fewer vertices than frame 0 lends frame 0's for the rest.
void FillBuffer(const MeshObjectX& mesh, const FrameBlend& blend, const float offset[2], MeshDrawCache& draw) {
    if (draw.bufferFirst == blend.first && draw.bufferSecond == blend.second && draw.bufferWeight == blend.weight &&
        draw.bufferOffset[0] == offset[0] && draw.bufferOffset[1] == offset[1])
        return;
    const std::vector<MeshVertex>& base = mesh.frames[0].triangles;
    const std::vector<MeshVertex>& p = mesh.frames[static_cast<size_t>(blend.first)].triangles;
    const std::vector<MeshVertex>& q = mesh.frames[static_cast<size_t>(blend.second)].triangles;
    std::vector<MeshVertex>& out = draw.buffer.triangles;
    const float t = blend.weight;
    for (size_t i = 0; i < base.size(); ++i) {
        const MeshVertex& from = i < p.size() ? p[i] : base[i];
        const MeshVertex& to = i < q.size() ? q[i] : base[i];
        MeshVertex& v = out[i];
        for (int k = 0; k < 3; ++k) {
            v.position[k] = t == 0 ? from.position[k] : from.position[k] + (to.position[k] - from.position[k]) * t;
            v.normal[k] = t == 0 ? from.normal[k] : from.normal[k] + (to.normal[k] - from.normal[k]) * t;
        }
        v.u = base[i].u + offset[0];
        v.v = base[i].v + offset[1];
    }
    draw.bufferFirst = blend.first;
    draw.bufferSecond = blend.second;
    draw.bufferWeight = blend.weight;
    draw.bufferOffset[0] = offset[0];
    draw.bufferOffset[1] = offset[1];
}

// Where the arrays are and how they are laid out: the offsets of the fields drawing reads.
struct ArrayLayout {
    const unsigned char* base = nullptr;  // null: offsets into the bound buffer object
    GLsizei stride = sizeof(MeshVertex);
    size_t position = offsetof(MeshVertex, position), normal = offsetof(MeshVertex, normal);
    size_t uv = offsetof(MeshVertex, u), rgba = offsetof(MeshVertex, rgba);

    const void* At(size_t offset) const {  // without arithmetic on a null base
        return reinterpret_cast<const void*>(reinterpret_cast<uintptr_t>(base) + offset);
    }
};

// A still frame's buffer object keeps only what drawing reads: position, normal, u, v and, for a
// coloured mesh, the colour floats; 32 or 48 bytes a vertex instead of the full 92, so the driver
// reads no more than a plain draw of the same triangles would.
constexpr size_t kPackedFloats = 8, kPackedColouredFloats = 12;

ArrayLayout PackedLayout(bool coloured) {
    ArrayLayout layout;
    layout.stride = static_cast<GLsizei>((coloured ? kPackedColouredFloats : kPackedFloats) * sizeof(float));
    layout.position = 0;
    layout.normal = 3 * sizeof(float);
    layout.uv = 6 * sizeof(float);
    layout.rgba = 8 * sizeof(float);
    return layout;
}

std::vector<float> PackStillFrame(const std::vector<MeshVertex>& vertices, bool coloured) {
    std::vector<float> packed;
    packed.reserve(vertices.size() * (coloured ? kPackedColouredFloats : kPackedFloats));
    for (const MeshVertex& v : vertices) {
        packed.insert(packed.end(), v.position, v.position + 3);
        packed.insert(packed.end(), v.normal, v.normal + 3);
        packed.push_back(v.u);
        packed.push_back(v.v);
        if (coloured) packed.insert(packed.end(), v.rgba, v.rgba + 4);
    }
    return packed;
}

// A buffer object for a frame drawn alone without texture offset (made the first time), else the
// draw buffer in client memory.
ArrayLayout ArraySource(const MeshObjectX& mesh, const FrameBlend& blend, const float offset[2],
                        MeshDrawCache& draw, bool& fromBuffer) {
    fromBuffer = false;
    const bool still = blend.Single() && offset[0] == 0 && offset[1] == 0;
    if (still && gl::VertexBuffer::Available()) {
        gl::VertexBuffer& buffer = draw.staticFrames[static_cast<size_t>(blend.first)];
        if (!buffer.Holds()) {
            FillBuffer(mesh, blend, offset, draw);
            const std::vector<float> packed = PackStillFrame(draw.buffer.triangles, draw.coloured);
            buffer.Upload(packed.data(), packed.size() * sizeof(float), false);
        }
        if (buffer.Holds()) {
            buffer.Bind();
            fromBuffer = true;
            return PackedLayout(draw.coloured);
        }
    }
    FillBuffer(mesh, blend, offset, draw);
    ArrayLayout client;
    client.base = reinterpret_cast<const unsigned char*>(draw.buffer.triangles.data());
    return client;
}

// A field's address in client memory.
const void* At(const MeshVertex* base, size_t offset) {
    return reinterpret_cast<const void*>(reinterpret_cast<uintptr_t>(base) + offset);
}

// The textures of a multi-mesh part, or the scene's pair for everything else.
void BindMeshTextures(const SceneObject& object, const ObjectMesh& part) {
    if (object.multiMesh) {
        BindTexture(g_renderer, part.textureA, part.textureB, false, object.textures.data());
    } else {
        g_scene->BindTextures();
    }
    if (g_renderer->boundSlot >= 0) gl::SetTextureWrap(0, GL_REPEAT);
}

void DrawMeshArrays(const MeshObjectX& mesh, const FrameBlend& blend, MeshDrawCache& draw) {
    OpenGLDodurudo* r = g_renderer;
    const Dodurudo3D& scene = *g_scene;
    const float* offset = scene.TextureOffset();
    const bool coloured = draw.coloured;
    const bool normals = scene.LightMask() != 0 || scene.EnvironmentMapping();
    const bool secondUnit = r->boundSecondSlot >= 0 && gl::glClientActiveTextureARB;
    gl::FinishQuads();
    if (coloured || r->currentAlpha != 1.0f) {
        gl::SetColour(1, 1, 1, r->currentAlpha);
        glEnable(GL_COLOR_MATERIAL);
    }
    bool fromBuffer = false;
    const ArrayLayout arrays = ArraySource(mesh, blend, offset, draw, fromBuffer);
    gl::SetClientArrays({.vertices = true, .textureCoordinates = true, .colours = coloured, .normals = normals});
    glVertexPointer(3, GL_FLOAT, arrays.stride, arrays.At(arrays.position));
    glTexCoordPointer(2, GL_FLOAT, arrays.stride, arrays.At(arrays.uv));
    if (normals) glNormalPointer(GL_FLOAT, arrays.stride, arrays.At(arrays.normal));
    if (coloured) glColorPointer(4, GL_FLOAT, arrays.stride, arrays.At(arrays.rgba));
    if (secondUnit) {  // the first slot of a pair sits on unit 1 and takes the same coordinates
        gl::glClientActiveTextureARB(GL_TEXTURE1_ARB);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, arrays.stride, arrays.At(arrays.uv));
        gl::glClientActiveTextureARB(GL_TEXTURE0_ARB);
    }
    if (scene.EnvironmentMapping()) {
        glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
        glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
        glEnable(GL_TEXTURE_GEN_S);
        glEnable(GL_TEXTURE_GEN_T);
    }
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    g_scene->ApplyObjectTransform();
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(mesh.frames[0].triangles.size()));
    glPopMatrix();
    if (fromBuffer) gl::VertexBuffer::Unbind();
    if (secondUnit) {
        gl::glClientActiveTextureARB(GL_TEXTURE1_ARB);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        gl::glClientActiveTextureARB(GL_TEXTURE0_ARB);
    }
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    gl::SetClientArrays({});
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glDisable(GL_COLOR_MATERIAL);
    gl::ColourChangedByDraw();
    gl::SetColour(1, 1, 1, r->currentAlpha);
}

// The shadow light's position carried into the object's space; false for a flattened object.
bool LightInObjectSpace(float light[3]) {
    Matrix4 toObject;
    if (!InvertAffine(g_scene->Transforms().Compose(), toObject)) return false;
    TransformPoint(toObject, g_scene->Shadow().position, light);
    return true;
}

void DrawVolumePass(const std::vector<float>& quads, const std::vector<float>& caps) {
    glVertexPointer(4, GL_FLOAT, 0, quads.data());
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(quads.size() / 4));
    glVertexPointer(4, GL_FLOAT, 0, caps.data());
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(caps.size() / 4));
}

// The object's shadow volume into the stencil buffer: the silhouette extruded away from the light
// to infinity, with caps, counted up through front faces and down through back faces.
void DrawShadowVolume(const MeshObjectX& mesh, const FrameBlend& blend, MeshDrawCache& draw) {
    Dodurudo3D& scene = *g_scene;
    float light[3];
    if (!LightInObjectSpace(light)) return;  // a flattened object casts nothing
    FillBuffer(mesh, blend, scene.TextureOffset(), draw);
    const size_t topologyFrame = static_cast<size_t>(blend.first);
    if (topologyFrame >= mesh.topology.size()) return;
    ShadowSilhouette silhouette;
    FindShadowSilhouette(draw.buffer, mesh.topology[topologyFrame], light, silhouette);
    std::vector<float> quads, caps;
    BuildShadowVolume(draw.buffer, silhouette, light, quads, caps);

    BindTexture(g_renderer, -1, -1, false);
    gl::FinishQuads();
    glDisable(GL_LIGHTING);
    glEnable(GL_CULL_FACE);
    glDepthFunc(GL_LEQUAL);
    glStencilFunc(GL_ALWAYS, 0, ~0u);
    gl::SetClientArrays({.vertices = true});
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    scene.ApplyObjectTransform();
    glCullFace(GL_BACK);
    glStencilOp(GL_KEEP, GL_KEEP, GL_INCR);
    DrawVolumePass(quads, caps);
    glCullFace(GL_FRONT);
    glStencilOp(GL_KEEP, GL_KEEP, GL_DECR);
    DrawVolumePass(quads, caps);
    glPopMatrix();
    gl::SetClientArrays({});
    glDepthFunc(GL_LESS);
    scene.ApplyCullMode();
    if (scene.LightMask() != 0) glEnable(GL_LIGHTING);
}

// The mesh's toon ramp as a texture, made once: its rows clamp across and repeat down.
uint32_t ToonTexture(const MeshObjectX& mesh, MeshDrawCache& draw) {
    if (draw.toonTexture || mesh.toonRamp.empty() || mesh.toonRampWidth <= 0 || mesh.toonRampHeight <= 0)
        return draw.toonTexture;
    draw.toonTexture = gl::CreateTexture();
    gl::SetTextureWrap(0, GL_CLAMP_TO_EDGE, GL_REPEAT);
    gl::SetTextureFilter(0, GL_LINEAR, GL_LINEAR);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, mesh.toonRampWidth, mesh.toonRampHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 mesh.toonRamp.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    return draw.toonTexture;
}

// Bump mapping and toon shading light each vertex on the CPU from the shadow light, so they draw
// from the draw buffer in client memory. Bump: unit 0 takes the dot product of the vertex's light
// vector (as its colour) and the normal map bound there; unit 1 modulates that with the colour
// texture. Toon: unit 1 looks the vertex's brightness up in the mesh's ramp.
void DrawLitTechnique(const MeshObjectX& mesh, const FrameBlend& blend, MeshDrawCache& draw, bool bump) {
    OpenGLDodurudo* r = g_renderer;
    Dodurudo3D& scene = *g_scene;
    float light[3];
    if (!LightInObjectSpace(light) || !gl::glClientActiveTextureARB) return;
    FillBuffer(mesh, blend, scene.TextureOffset(), draw);
    std::span<MeshVertex> vertices(draw.buffer.triangles);
    const MeshVertex* base = vertices.data();
    const size_t secondCoordinates = bump ? offsetof(MeshVertex, u) : offsetof(MeshVertex, toon);
    if (bump) {
        ComputeBumpLightVectors(vertices, light);
    } else {
        ComputeToonCoordinates(vertices, light, mesh.toonRampHeight);
        const uint32_t ramp = ToonTexture(mesh, draw);
        if (!ramp) return;
        gl::SetTexturing(1, true);
        gl::BindTextureName(1, ramp);
    }
    gl::FinishQuads();
    if (scene.LightMask() != 0) glDisable(GL_LIGHTING);  // the technique is the lighting
    gl::SetColour(1, 1, 1, r->currentAlpha);
    gl::SetClientArrays({.vertices = true, .textureCoordinates = true, .colours = bump});
    glVertexPointer(3, GL_FLOAT, kStride, At(base, offsetof(MeshVertex, position)));
    glTexCoordPointer(2, GL_FLOAT, kStride, At(base, offsetof(MeshVertex, u)));
    if (bump) {
        glColorPointer(3, GL_FLOAT, kStride, At(base, offsetof(MeshVertex, lightVector)));
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE_ARB);
        glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB_ARB, GL_DOT3_RGB_ARB);
        glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB_ARB, GL_PRIMARY_COLOR_ARB);
        glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB_ARB, GL_TEXTURE);
    }
    gl::glClientActiveTextureARB(GL_TEXTURE1_ARB);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, kStride, At(base, secondCoordinates));
    gl::glClientActiveTextureARB(GL_TEXTURE0_ARB);
    gl::glActiveTextureARB(GL_TEXTURE1_ARB);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    gl::glActiveTextureARB(GL_TEXTURE0_ARB);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    scene.ApplyObjectTransform();
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(vertices.size()));
    glPopMatrix();
    gl::glClientActiveTextureARB(GL_TEXTURE1_ARB);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    gl::glClientActiveTextureARB(GL_TEXTURE0_ARB);
    gl::SetClientArrays({});
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    if (!bump) gl::SetTexturing(1, false);
    if (scene.LightMask() != 0) glEnable(GL_LIGHTING);
    gl::ColourChangedByDraw();
    gl::SetColour(1, 1, 1, r->currentAlpha);
}

bool DrawMesh(const SceneObject& object, ObjectMesh& part, double a, double b, double w, bool animate) {
    const MeshObjectX& mesh = *part.mesh;
    if (mesh.frames.empty() || mesh.frames[0].triangles.empty()) return false;
    const FrameBlend blend = ChooseFrames(static_cast<int32_t>(mesh.frames.size()), a, b, w, animate);
    const ShadowLight& shadow = g_scene->Shadow();
    const bool volume = shadow.enabled && shadow.mode == ShadowMode::StencilVolumes;
    // A caster out of view can still throw its shadow into it: volumes are never rejected.
    const Matrix4& transform = g_scene->Transforms().Compose();
    if (!volume && !MeshVisible(*g_scene, transform, mesh.frames[static_cast<size_t>(blend.first)],
                                mesh.frames[static_cast<size_t>(blend.second)]))
        return false;
    Prepare(mesh, part.draw);
    if (volume) {
        DrawShadowVolume(mesh, blend, part.draw);
        return true;
    }
    BindMeshTextures(object, part);
    if (shadow.enabled && (shadow.mode == ShadowMode::BumpMapping || shadow.mode == ShadowMode::Toon)) {
        DrawLitTechnique(mesh, blend, part.draw, shadow.mode == ShadowMode::BumpMapping);
    } else {
        DrawMeshArrays(mesh, blend, part.draw);
    }
    return true;
}

}  // namespace
}  // namespace tvk

RtInt DrawObjectBlend(RtNumber index, RtNumber frameA, RtNumber frameB, RtNumber weight, RtNumber animate) {
    using namespace tvk;
    if (!g_scene || !g_renderer || !g_renderer->window) return 0;
    SceneObject* object = g_scene->Objects().Find(index);
    if (!object || !object->inUse) return 0;
    bool drawn = false;
    for (ObjectMesh& part : object->meshes) drawn = DrawMesh(*object, part, frameA, frameB, weight, animate != 0) || drawn;
    return drawn ? 1 : 0;
}

RtInt DrawObject(RtNumber index, RtNumber frame) { return DrawObjectBlend(index, frame, frame, 0, 0); }
