#include "gfx2d/image_writer.h"

#include <cctype>
#include <cstring>
#include <string>

#include "files/file_names.h"
#include "files/file_stream.h"
#include "files/memory_names.h"
#include "platform/files.h"

namespace tvk {
namespace {

bool EndsWithIgnoringCase(const char* text, size_t length, const char* tail) {
    const size_t n = std::strlen(tail);
    if (length < n) return false;
    for (size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(text[length - n + i])) != tail[i]) return false;
    return true;
}

// A PNG into a mem:// block ("mem://" + length + "." + address + ".png"): only into a region the
// runtime owns, and only when it fits.
bool StoreInMemory(const char* name, size_t length, const std::vector<uint8_t>& bytes) {
    const std::string block(name, length - 4);  // the block's own name, without ".png"
    MemoryRegion region;
    if (!FindMemoryRegion(block.c_str(), region) || bytes.size() > region.size) return false;
    std::memcpy(region.base, bytes.data(), bytes.size());
    return true;
}

bool StoreInFile(const char* name, const std::vector<uint8_t>& bytes) {
    FileStream out;
    if (!out.OpenWrite(name)) return false;
    if (out.Write(bytes.data(), bytes.size())) return true;
    out.Close();
    // A cut-off picture would later be read as a broken one; leave no file instead.
    std::string path;
    if (ToSystemPath(name, path)) platform::DeleteFileAt(path);
    return false;
}

}  // namespace

ImageFileFormat ImageFormatForName(const char* path) {
    const size_t length = path ? std::strlen(path) : 0;
    if (EndsWithIgnoringCase(path, length, ".png")) return ImageFileFormat::Png;
    if (EndsWithIgnoringCase(path, length, "jpg")) return ImageFileFormat::Jpeg;
    return ImageFileFormat::Bmp;
}

bool WriteImageFile(const char* path, const RgbaImage& image) {
    if (!path || !*path || image.Empty()) return false;
    const ImageFileFormat format = ImageFormatForName(path);
    std::vector<uint8_t> bytes;
    bool encoded = false;
    switch (format) {
        case ImageFileFormat::Png: encoded = EncodePng(image, bytes); break;
        case ImageFileFormat::Jpeg: encoded = EncodeJpeg(image, bytes); break;
        case ImageFileFormat::Bmp: encoded = EncodeBmp(image, bytes); break;
    }
    if (!encoded) return false;
    if (IsMemoryName(path)) return format == ImageFileFormat::Png && StoreInMemory(path, std::strlen(path), bytes);
    return StoreInFile(path, bytes);
}

}  // namespace tvk
