// The two mesh file readers, over the whole file in memory. Used by LoadMeshFile.
#pragma once

#include <cstddef>
#include <cstdint>

#include "mesh/mesh_object.h"

namespace tvk {

enum class MeshReadResult { Ok, ReadError, MallocError, WrongVersion };

constexpr int32_t kBinaryMeshMagic = 13021975;

// Binary: data starts with the magic. Fills an empty mesh.
MeshReadResult ReadBinaryMesh(const uint8_t* data, size_t size, MeshObject& mesh);
// Text: the first line must be "DDDA". Fills an empty mesh.
MeshReadResult ReadTextMesh(const uint8_t* data, size_t size, MeshObject& mesh);

}  // namespace tvk
