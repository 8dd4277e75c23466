#include "mesh/multi_mesh_file.h"

#include <new>

#include "files/file_stream.h"
#include "files/ini_table.h"
#include "files/resolver.h"
#include "mesh/mesh_file.h"
#include "mesh/mesh_finish.h"
#include "values/number_text.h"

namespace tvk {
namespace {

const char kMultiMeshMagic[4] = {';', 'D', 'D', 'W'};

std::string ValueOf(IniSection* section, const std::string& key) {
    if (!section) return {};
    const IniKey* found = IniTable::FindKey(*section, key);
    return found ? found->value : std::string();
}

int IntegerOf(IniSection* section, const std::string& key, int fallback) {
    const std::string value = ValueOf(section, key);
    return value.empty() ? fallback : TextToInt(value.c_str());
}

int CountOf(IniSection* section, int cap) {
    const int count = IntegerOf(section, "count", 0);
    return count < 0 ? 0 : (count > cap ? cap : count);
}

bool ReadText(const char* name, std::string& text) {
    FileStream in;
    if (!name || !in.OpenRead(name)) return false;
    const int64_t size = in.Size();
    if (size < 0 || size > kMaxMultiMeshFileBytes) return false;
    text.resize(size_t(size));
    return text.empty() || in.Read(text.data(), text.size());
}

}  // namespace

bool HasMultiMeshMagic(const unsigned char* data, size_t size) {
    return size >= 4 && data[0] == uint8_t(kMultiMeshMagic[0]) && data[1] == uint8_t(kMultiMeshMagic[1]) &&
           data[2] == uint8_t(kMultiMeshMagic[2]) && data[3] == uint8_t(kMultiMeshMagic[3]);
}

bool IsMultiMeshFile(const char* resolvedName) {
    FileStream in;
    if (!resolvedName || !in.OpenRead(resolvedName)) return false;
    unsigned char head[4];
    return in.ReadUpTo(head, sizeof head) == sizeof head && HasMultiMeshMagic(head, sizeof head);
}

std::string MultiMeshFolder(std::string_view name) {
    const size_t last = name.find_last_of("/\\");
    return last == std::string_view::npos ? std::string() : std::string(name.substr(0, last + 1));
}

void ParseMultiMeshText(std::string_view text, std::string_view folder, MultiMeshFile& out) {
    out.textureFiles.clear();
    out.parts.clear();
    IniTable table;
    ParseIniText(text, table);
    IniSection* textures = table.FindSection("textures");
    IniSection* objects = table.FindSection("objects");
    const int textureCount = CountOf(textures, kMaxMultiMeshTextures);
    for (int i = 1; i <= textureCount; ++i) {
        const std::string value = ValueOf(textures, std::to_string(i));
        out.textureFiles.push_back(value.empty() ? std::string() : std::string(folder) + value);
    }
    const int partCount = CountOf(objects, kMaxMultiMeshParts);
    out.parts.resize(size_t(partCount));
    for (int i = 1; i <= partCount; ++i) {
        MultiMeshPart& part = out.parts[size_t(i - 1)];
        const std::string number = std::to_string(i);
        const std::string value = ValueOf(objects, number);
        if (!value.empty()) part.fileName = std::string(folder) + value;
        part.textureA = IntegerOf(objects, number + "ta", 0);
        part.textureB = IntegerOf(objects, number + "tb", 0);
        for (int* index : {&part.textureA, &part.textureB})
            if (*index < 0 || *index >= textureCount) *index = -1;
    }
}

bool LoadMultiMeshFile(const char* name, MultiMeshFile& out, int normalMode) {
    out.textureFiles.clear();
    out.parts.clear();
    if (!name) return false;
    try {
        std::string text;
        if (!ReadText(ResolveFileName(g_memoryResolver, name), text)) return false;
        ParseMultiMeshText(text, MultiMeshFolder(name), out);
        bool anyLoaded = false;
        for (MultiMeshPart& part : out.parts) {
            if (part.fileName.empty()) continue;
            const char* resolved = ResolveFileName(g_memoryResolver, part.fileName.c_str());
            if (resolved && LoadMeshFile(*part.mesh, resolved) && FinishMesh(*part.mesh, normalMode)) anyLoaded = true;
        }
        return anyLoaded;
    } catch (const std::bad_alloc&) {
        out.textureFiles.clear();
        out.parts.clear();
        return false;
    }
}

}  // namespace tvk
