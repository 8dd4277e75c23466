#include "mesh/mesh_file.h"

#include <new>
#include <vector>

#include "files/file_stream.h"
#include "mesh/mesh_file_readers.h"
#include "tarnvik/core.h"

namespace tvk {
namespace {

// The file's bytes: a memory stream is read in place, a file is read whole.
bool ReadWhole(FileStream& in, std::vector<uint8_t>& storage, const uint8_t*& data, size_t& size) {
    const int64_t length = in.Size();
    if (length < 0 || length > kMaxMeshFileBytes) return false;
    size = size_t(length);
    if (in.IsMemory()) {
        data = in.MemoryData();
        return true;
    }
    storage.resize(size);
    if (size && !in.Read(storage.data(), size)) return false;
    data = storage.data();
    return true;
}

}  // namespace

bool HasBinaryMeshMagic(const unsigned char* data, size_t size) {
    if (size < 4) return false;
    const uint32_t magic = uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16 | uint32_t(data[3]) << 24;
    return magic == uint32_t(kBinaryMeshMagic);
}

bool LoadMeshFile(MeshObject& mesh, const char* name) {
    mesh.Clear();
    FileStream in;
    if (!name || !in.OpenRead(name)) return false;
    MeshReadResult result = MeshReadResult::ReadError;
    std::vector<uint8_t> storage;
    const uint8_t* data = nullptr;
    size_t size = 0;
    try {
        if (ReadWhole(in, storage, data, size)) {
            result = HasBinaryMeshMagic(data, size) ? ReadBinaryMesh(data, size, mesh) : ReadTextMesh(data, size, mesh);
        }
    } catch (const std::bad_alloc&) {
        result = MeshReadResult::MallocError;
    }
    in.Close();
    if (result == MeshReadResult::Ok) {
        mesh.loaded = 1;
        return true;
    }
    if (result == MeshReadResult::WrongVersion) WriteErrorLog("Wrong .ddd version.");
    WriteErrorLog(result == MeshReadResult::MallocError ? "# malloc error" : "# read error");
    WriteErrorLog(name);
    mesh.Clear();
    return false;
}

}  // namespace tvk
