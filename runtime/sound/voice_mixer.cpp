#include "sound/voice_mixer.h"

#include <algorithm>
#include <cmath>

namespace tvk {
namespace {

constexpr int kChunkFrames = 256;

int16_t Clip(int32_t value) { return int16_t(std::clamp(value, -32768, 32767)); }

// Adds up to frames frames of one voice into sums; returns how many it had.
int AddVoice(Voice& voice, int32_t* sums, int frames) {
    int done = 0;
    while (done < frames && voice.playing) {
        const int64_t left = voice.frameCount - voice.position;
        const int n = int(std::min<int64_t>(frames - done, left));
        const int16_t* s = voice.samples + 2 * voice.position;
        int32_t* d = sums + 2 * done;
        for (int i = 0; i < n; ++i) {
            d[2 * i] += int32_t((int64_t(s[2 * i]) * voice.gains.left) >> 16);
            d[2 * i + 1] += int32_t((int64_t(s[2 * i + 1]) * voice.gains.right) >> 16);
        }
        done += n;
        voice.position += n;
        if (voice.position >= voice.frameCount) {
            voice.position = 0;
            if (!voice.looping) voice.playing = false;
        }
    }
    return done;
}

}  // namespace

int32_t HundredthsToGain(int32_t hundredths) {
    if (hundredths <= kSilentHundredths) return 0;
    if (hundredths >= 0) return kUnityGain;
    return int32_t(std::lround(kUnityGain * std::pow(10.0, hundredths / 2000.0)));
}

VoiceGains GainsFor(int32_t volumeHundredths, int32_t pan) {
    volumeHundredths = std::clamp(volumeHundredths, kSilentHundredths, 0);
    pan = std::clamp(pan, -10000, 10000);
    return {HundredthsToGain(volumeHundredths + std::min(0, -pan)),
            HundredthsToGain(volumeHundredths + std::min(0, pan))};
}

void MixVoices(int16_t* out, int frameCount, Voice* const* voices, size_t voiceCount) {
    int32_t sums[2 * kChunkFrames];
    for (int start = 0; start < frameCount; start += kChunkFrames) {
        const int frames = std::min(kChunkFrames, frameCount - start);
        int16_t* block = out + 2 * start;
        for (int i = 0; i < 2 * frames; ++i) sums[i] = block[i];
        for (size_t v = 0; v < voiceCount; ++v) {
            Voice& voice = *voices[v];
            if (voice.playing && voice.samples && voice.frameCount > 0) AddVoice(voice, sums, frames);
        }
        for (int i = 0; i < 2 * frames; ++i) block[i] = Clip(sums[i]);
    }
}

EffectsMixer::EffectsMixer(size_t maxVoices) : maxVoices_(maxVoices) { playing_.reserve(maxVoices); }

void EffectsMixer::Start(Voice& voice, VoiceGains gains, bool looping) {
    std::lock_guard lock(mutex_);
    if (!voice.samples || voice.frameCount <= 0) return;
    if (!voice.listed) {
        if (playing_.size() >= maxVoices_) return;
        playing_.push_back(&voice);
        voice.listed = true;
    }
    voice.gains = gains;
    voice.looping = looping;
    voice.playing = true;
}

void EffectsMixer::Unlist(Voice& voice) {
    if (!voice.listed) return;
    auto it = std::find(playing_.begin(), playing_.end(), &voice);
    if (it != playing_.end()) {
        *it = playing_.back();
        playing_.pop_back();
    }
    voice.listed = false;
}

void EffectsMixer::Stop(Voice& voice) {
    std::lock_guard lock(mutex_);
    Unlist(voice);
    voice.playing = false;
    voice.position = 0;
}

bool EffectsMixer::IsPlaying(const Voice& voice) {
    std::lock_guard lock(mutex_);
    return voice.playing;
}

void EffectsMixer::Render(int16_t* out, int frameCount) {
    std::lock_guard lock(mutex_);
    if (playing_.empty()) return;
    MixVoices(out, frameCount, playing_.data(), playing_.size());
    // Voices that ended leave the list; order does not matter to the sum.
    size_t kept = 0;
    for (Voice* voice : playing_) {
        if (voice->playing) playing_[kept++] = voice;
        else voice->listed = false;
    }
    playing_.resize(kept);
}

void EffectsMixer::RenderInto(void* mixer, int16_t* out, int frameCount) {
    static_cast<EffectsMixer*>(mixer)->Render(out, frameCount);
}

size_t EffectsMixer::PlayingCount() {
    std::lock_guard lock(mutex_);
    return playing_.size();
}

}  // namespace tvk
