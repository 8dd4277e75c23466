#include "model_import.h"

#include <assimp/config.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <algorithm>
#include <assimp/Importer.hpp>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>
#include <fstream>
#include <utility>
#include <vector>

namespace tvk::meshtool {

namespace {

// MD2 header: magic "IDP2", then int32 fields; the frame count is the eleventh word.
constexpr char kMd2Magic[4] = {'I', 'D', 'P', '2'};
constexpr size_t kMd2FrameCountOffset = 40;
constexpr size_t kMd2HeaderBytes = 68;
constexpr size_t kMd2MinFrameBytes = 40;  // scale, translation and name, before any vertex

// No validation step: it refuses a whole file for one empty mesh. Indices are checked here instead.
constexpr unsigned kImportSteps = aiProcess_Triangulate | aiProcess_GenSmoothNormals | aiProcess_FlipUVs;
constexpr uint32_t kWhite = 0xFFFFFF;

// The frame count of an MD2 file, or 0 for any other file. The count is capped by what the file
// could hold, so a damaged header cannot make the import loop run on.
int Md2FrameCount(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char header[kMd2HeaderBytes];
    if (!in.read(reinterpret_cast<char*>(header), sizeof(header))) return 0;
    if (std::memcmp(header, kMd2Magic, sizeof(kMd2Magic)) != 0) return 0;
    const unsigned char* p = header + kMd2FrameCountOffset;
    const int32_t count = static_cast<int32_t>(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
                                               uint32_t(p[3]) << 24);
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec || count <= 0) return 0;
    return static_cast<int>(std::min<uintmax_t>(static_cast<uintmax_t>(count), size / kMd2MinFrameBytes));
}

uint8_t ColourByte(float c) {
    if (!(c > 0)) return 0;  // also NaN
    return static_cast<uint8_t>(std::lround(std::min(c, 1.0f) * 255));
}

uint32_t PackColour(float r, float g, float b) {
    return ColourByte(r) | uint32_t(ColourByte(g)) << 8 | uint32_t(ColourByte(b)) << 16;
}

uint32_t MaterialColour(const aiScene& scene, unsigned materialIndex) {
    if (materialIndex >= scene.mNumMaterials || scene.mMaterials[materialIndex] == nullptr) return kWhite;
    const aiMaterial& material = *scene.mMaterials[materialIndex];
    // The import library gives a model without a material of its own a grey one: that draws white.
    aiString name;
    if (material.Get(AI_MATKEY_NAME, name) == AI_SUCCESS && std::string(name.C_Str()) == AI_DEFAULT_MATERIAL_NAME)
        return kWhite;
    aiColor4D colour;
    if (material.Get(AI_MATKEY_COLOR_DIFFUSE, colour) == AI_SUCCESS ||
        material.Get(AI_MATKEY_BASE_COLOR, colour) == AI_SUCCESS)
        return PackColour(colour.r, colour.g, colour.b);
    return kWhite;
}

// One imported scene flattened into a triangle list; texture pairs and colours are kept only for
// the first frame, since later frames must repeat them.
struct Flattened {
    ModelFrame frame;
    std::vector<std::array<float, 2>> texCoords;
    std::vector<uint32_t> colours;
    bool textured = false;
    size_t leftOut = 0;  // points, lines and faces with bad indices
};

void AddMesh(const aiScene& scene, const aiMesh& mesh, const aiMatrix4x4& transform, Flattened& out) {
    aiMatrix3x3 normalTransform(transform);
    normalTransform.Inverse().Transpose();
    const aiVector3D* uvs = mesh.mTextureCoords[0];
    const aiColor4D* colours = mesh.mColors[0];
    const uint32_t materialColour = MaterialColour(scene, mesh.mMaterialIndex);
    if (uvs) out.textured = true;
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
        const aiFace& face = mesh.mFaces[f];
        if (face.mNumIndices != 3 || face.mIndices == nullptr ||
            !std::all_of(face.mIndices, face.mIndices + 3, [&](unsigned i) { return i < mesh.mNumVertices; })) {
            ++out.leftOut;
            continue;
        }
        for (int corner = 0; corner < 3; ++corner) {
            const unsigned i = face.mIndices[corner];
            const aiVector3D p = transform * mesh.mVertices[i];
            out.frame.positions.push_back({p.x, p.y, p.z});
            const aiVector3D n = mesh.mNormals ? normalTransform * mesh.mNormals[i] : aiVector3D(0, 0, 0);
            out.frame.normals.push_back({n.x, n.y, n.z});
            out.texCoords.push_back(uvs ? std::array<float, 2>{uvs[i].x, uvs[i].y} : std::array<float, 2>{0, 0});
            out.colours.push_back(colours ? PackColour(colours[i].r, colours[i].g, colours[i].b) : materialColour);
        }
    }
}

void Flatten(const aiScene& scene, Flattened& out) {
    if (scene.mRootNode == nullptr) {  // some formats give meshes without a node tree
        for (unsigned m = 0; m < scene.mNumMeshes; ++m)
            if (scene.mMeshes[m]) AddMesh(scene, *scene.mMeshes[m], aiMatrix4x4(), out);
        return;
    }
    std::vector<std::pair<const aiNode*, aiMatrix4x4>> pending{{scene.mRootNode, scene.mRootNode->mTransformation}};
    while (!pending.empty()) {
        const auto [node, transform] = pending.back();
        pending.pop_back();
        for (unsigned k = 0; k < node->mNumMeshes; ++k) {
            const unsigned m = node->mMeshes[k];
            if (m < scene.mNumMeshes && scene.mMeshes[m]) AddMesh(scene, *scene.mMeshes[m], transform, out);
        }
        // Children pushed last first, so meshes come out in the file's order.
        for (unsigned c = node->mNumChildren; c-- > 0;) {
            const aiNode* child = node->mChildren[c];
            if (child) pending.emplace_back(child, transform * child->mTransformation);
        }
    }
}

bool ReadScene(Assimp::Importer& importer, const std::string& path, Flattened& out, std::string& error) {
    const aiScene* scene = importer.ReadFile(path, kImportSteps);
    if (scene == nullptr) {
        error = importer.GetErrorString();
        if (error.empty()) error = "not a model the import library knows";
        return false;
    }
    Flatten(*scene, out);
    importer.FreeScene();
    return true;
}

}  // namespace

bool ImportModel(const std::string& path, MeshModel& model, std::vector<std::string>& notes, std::string& error) {
    model = MeshModel();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        error = "cannot read " + path + ": no such file";
        return false;
    }
    Assimp::Importer importer;
    const int md2Frames = Md2FrameCount(path);
    Flattened first;
    std::string why;
    if (md2Frames > 0) importer.SetPropertyInteger(AI_CONFIG_IMPORT_MD2_KEYFRAME, 0);
    if (!ReadScene(importer, path, first, why)) {
        error = "cannot read " + path + ": " + why;
        return false;
    }
    if (first.frame.positions.empty()) {
        error = path + " holds no triangles";
        return false;
    }
    if (first.leftOut > 0)
        notes.push_back(std::to_string(first.leftOut) + " points, lines or broken faces left out");
    model.frames.push_back(std::move(first.frame));
    if (first.textured) model.texCoords = std::move(first.texCoords);
    model.colours = std::move(first.colours);

    // The import library reads one MD2 key frame per import; a frame it refuses ends the animation.
    for (int k = 1; k < md2Frames; ++k) {
        importer.SetPropertyInteger(AI_CONFIG_IMPORT_MD2_KEYFRAME, k);
        Flattened next;
        if (!ReadScene(importer, path, next, why)) {
            notes.push_back("the animation ends at frame " + std::to_string(k) + " of " + std::to_string(md2Frames) +
                            ": " + why);
            break;
        }
        if (next.frame.positions.size() != model.frames[0].positions.size()) {
            error = path + ": frame " + std::to_string(k) + " has a different number of triangles";
            return false;
        }
        model.frames.push_back(std::move(next.frame));
    }
    return true;
}

}  // namespace tvk::meshtool
