// Loading one mesh from a binary ".ddd" file or, failing the magic, from the "DDDA" text form.
#pragma once

#include "mesh/mesh_object.h"

namespace tvk {

// name: a path or a mem:// name (already resolved). Clears the mesh first and again on failure.
// Unopenable: false, nothing logged. Otherwise a failure logs "# read error" (a short or
// malformed file, a count the file cannot hold) or "# malloc error" (past the caps of
// mesh_object.h), then the name; a binary version outside 1.02..2.0 logs "Wrong .ddd version."
// first. Sets mesh.loaded on success.
bool LoadMeshFile(MeshObject& mesh, const char* name);

// The first four bytes are the binary magic 13021975.
bool HasBinaryMeshMagic(const unsigned char* data, size_t size);

}  // namespace tvk
