// The multi-mesh file: an INI text starting ";DDW" that names texture pictures and meshes, each
// mesh with two indices into the texture list. Names in it are relative to the file's own folder.
// Only the mesh data is read here; decoding and uploading the textures is the drawing side's.
//
//   ;DDW
//   [textures]
//   count=2
//   1=hull.png
//   2=glass.png
//   [objects]
//   count=1
//   1=ship.ddd
//   1ta=0
//   1tb=1
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "mesh/mesh_object.h"

namespace tvk {

// Counts above these are cut to them.
constexpr int kMaxMultiMeshTextures = 4096;
constexpr int kMaxMultiMeshParts = 1024;
// The INI text is read whole; a larger file does not load.
constexpr int64_t kMaxMultiMeshFileBytes = int64_t(16) << 20;

struct MultiMeshPart {
    std::string fileName;  // folder prefix + the name in the file; empty when the key is missing
    // Indices into textureFiles (keys "<i>ta", "<i>tb", default 0); -1 when outside the list.
    int textureA = 0;
    int textureB = 0;
    std::unique_ptr<MeshObjectX> mesh = std::make_unique<MeshObjectX>();  // mesh->loaded tells
};

struct MultiMeshFile {
    // Folder prefix + the names in the file, in order. Resolve each (ResolveFileName with the
    // memory resolver) right before decoding it: a resolver holds one answer at a time.
    std::vector<std::string> textureFiles;
    std::vector<MultiMeshPart> parts;
};

// The file's first four bytes are ";DDW".
bool HasMultiMeshMagic(const unsigned char* data, size_t size);
// Opens a resolved name and looks at its first four bytes.
bool IsMultiMeshFile(const char* resolvedName);

// The text of name up to and including its last "/" or "\"; "" when it has neither.
std::string MultiMeshFolder(std::string_view name);

// Fills out (emptied first) from the INI text; loads nothing.
void ParseMultiMeshText(std::string_view text, std::string_view folder, MultiMeshFile& out);

// name as the program gave it (not resolved): the file is resolved with the memory resolver,
// read and parsed, then each mesh is resolved the same way, loaded with LoadMeshFile and
// finished with normalMode. False when the file cannot be read or no mesh loads.
bool LoadMultiMeshFile(const char* name, MultiMeshFile& out, int normalMode);

}  // namespace tvk
