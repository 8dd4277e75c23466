#include "archive_writer.h"

#include <lzo/lzo1x.h>

#include <cstring>
#include <limits>

namespace tvk::pack {
namespace {

void PutInt32(std::vector<uint8_t>& out, int64_t value) {
    uint32_t v = static_cast<uint32_t>(static_cast<int32_t>(value));
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();

}  // namespace

std::vector<uint8_t> CompressEntry(const std::vector<uint8_t>& data) {
    static const bool ready = lzo_init() == LZO_E_OK;
    (void)ready;
    std::vector<uint8_t> out;
    PutInt32(out, static_cast<int64_t>(data.size()));
    out.resize(4 + data.size() + data.size() / 16 + 64 + 3);
    std::vector<uint8_t> work(LZO1X_1_MEM_COMPRESS);
    lzo_uint packed = 0;
    lzo1x_1_compress(data.data(), data.size(), out.data() + 4, &packed, work.data());
    out.resize(4 + packed);
    return out;
}

bool BuildArchive(const std::vector<PackEntry>& entries, OffsetStyle style, int64_t prefixSize,
                  std::vector<uint8_t>& out, std::string& error) {
    out.clear();
    std::vector<int64_t> starts;
    std::vector<int64_t> sizes;
    for (const PackEntry& entry : entries) {
        if (entry.name.empty() || entry.name.size() > 255) {
            error = "the file name \"" + entry.name + "\" must have 1 to 255 bytes";
            return false;
        }
        if (entry.data.size() > static_cast<size_t>(kInt32Max / 2)) {
            error = entry.name + " is too large for an archive";
            return false;
        }
        std::vector<uint8_t> stored = CompressEntry(entry.data);
        starts.push_back(static_cast<int64_t>(out.size()));
        sizes.push_back(static_cast<int64_t>(stored.size()));
        out.insert(out.end(), stored.begin(), stored.end());
    }
    int64_t directoryStart = static_cast<int64_t>(out.size());
    size_t directoryBytes = 1;
    for (const PackEntry& entry : entries) directoryBytes += 1 + entry.name.size() + 8;
    const int64_t total = directoryStart + static_cast<int64_t>(directoryBytes) + 7;
    if (prefixSize + total > kInt32Max) {
        error = "the archive would pass 2 GB, which its offsets cannot address";
        return false;
    }
    // From the end: offset = start - total; from the start: offset = prefix + start.
    auto place = [&](int64_t local) { return style == OffsetStyle::FromEnd ? local - total : prefixSize + local; };
    for (size_t i = 0; i < entries.size(); ++i) {
        out.push_back(static_cast<uint8_t>(entries[i].name.size()));
        out.insert(out.end(), entries[i].name.begin(), entries[i].name.end());
        PutInt32(out, place(starts[i]));
        PutInt32(out, sizes[i]);
    }
    out.push_back(0);
    out.insert(out.end(), {'s', 'b', 'X'});
    PutInt32(out, place(directoryStart));
    return true;
}

}  // namespace tvk::pack
