#include "sound/wav_reader.h"

#include <cstring>

namespace tvk {
namespace {

uint16_t Read16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t Read32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }

class ChunkWalker {
public:
    ChunkWalker(const uint8_t* bytes, size_t size) : bytes_(bytes), size_(size) {}

    // Moves past chunk headers (and the bodies of other chunks) up to the body of the first chunk
    // called id; false when a header does not fit.
    bool FindChunk(const char* id, uint32_t& length) {
        for (;;) {
            if (size_ - position_ < 8) return false;
            const uint8_t* header = bytes_ + position_;
            length = Read32(header + 4);
            position_ += 8;
            if (std::memcmp(header, id, 4) == 0) return true;
            if (!Skip(length)) return false;
        }
    }
    bool Skip(uint64_t count) {
        if (count > size_ - position_) return false;
        position_ += size_t(count);
        return true;
    }
    const uint8_t* Here() const { return bytes_ + position_; }
    size_t Left() const { return size_ - position_; }

private:
    const uint8_t* bytes_;
    size_t size_;
    size_t position_ = 12;
};

}  // namespace

bool ParseWav(const uint8_t* bytes, size_t size, WavContents& out) {
    out = WavContents{};
    if (!bytes || size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0)
        return false;
    ChunkWalker walker(bytes, size);
    uint32_t length = 0;
    if (!walker.FindChunk("fmt ", length) || length < 16 || walker.Left() < 16) return false;
    const uint8_t* f = walker.Here();
    WavFormat format;
    format.formatTag = Read16(f);
    format.channels = Read16(f + 2);
    format.samplesPerSecond = Read32(f + 4);
    format.bytesPerSecond = Read32(f + 8);
    format.blockAlign = Read16(f + 12);
    format.bitsPerSample = Read16(f + 14);
    if (!walker.Skip(length)) return false;
    if (!walker.FindChunk("data", length) || length > walker.Left()) return false;
    out.format = format;
    out.data = walker.Here();
    out.size = length;
    return true;
}

bool LooksLikeWav(const uint8_t* bytes, size_t size) {
    return bytes && size >= 12 && std::memcmp(bytes, "RIFF", 4) == 0 && std::memcmp(bytes + 8, "WAVE", 4) == 0;
}

std::string WavFormatProblem(const WavFormat& f) {
    if (f.channels == 0 || f.channels > kMaxWavChannels) return std::to_string(f.channels) + " channels";
    if (f.samplesPerSecond < kMinSoundRate || f.samplesPerSecond > kMaxSoundRate)
        return std::to_string(f.samplesPerSecond) + " samples per second";
    if (f.bitsPerSample == 0 || f.bitsPerSample > kMaxWavBits)
        return std::to_string(f.bitsPerSample) + " bits per sample";
    // Of more than two channels only two are played, so only those must fit in a frame.
    const unsigned played = f.channels > 1 ? 2u : 1u;
    if (f.blockAlign < played * ((f.bitsPerSample + 7u) / 8u))
        return "block align of " + std::to_string(f.blockAlign) + " bytes";
    return {};
}

std::string WavPlayabilityProblem(const uint8_t* bytes, size_t size) {
    WavContents wav;
    if (!ParseWav(bytes, size, wav))
        return LooksLikeWav(bytes, size) ? "damaged WAV file (a chunk is missing or cut short)" : "not a WAV file";
    const std::string problem = WavFormatProblem(wav.format);
    return problem.empty() ? problem : "unsupported WAV format (" + problem + ")";
}

bool WavHeaderIsPlayable(const uint8_t* bytes, size_t size) { return WavPlayabilityProblem(bytes, size).empty(); }

}  // namespace tvk
