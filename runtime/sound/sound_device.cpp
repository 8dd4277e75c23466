#include "sound/sound_device.h"

#include <algorithm>

#include "files/file_stream.h"
#include "platform/audio.h"
#include "sound/sample_conversion.h"
#include "sound/wav_reader.h"

namespace tvk {
namespace {

// A sound file bigger than this is not read.
constexpr int64_t kMaxSoundFileBytes = int64_t(1) << 30;

bool Ready(const SoundSlot& slot) { return slot.device && slot.device->hasOutput && slot.voiceCount > 0; }

// The whole file: in place for a mem:// name, else read into buffer.
bool ReadWholeFile(FileStream& in, std::vector<uint8_t>& buffer, const uint8_t*& bytes, size_t& size) {
    const int64_t length = in.Size();
    if (length < 0 || length > kMaxSoundFileBytes) return false;
    if (in.IsMemory()) {
        bytes = in.MemoryData();
        size = size_t(length);
        return true;
    }
    buffer.resize(size_t(length));
    if (length > 0 && !in.Read(buffer.data(), buffer.size())) return false;
    bytes = buffer.data();
    size = buffer.size();
    return true;
}

void StopVoices(SoundSlot& slot) {
    for (Voice& voice : slot.voices) slot.device->mixer.Stop(voice);
}

}  // namespace

SoundDevice* g_sound = nullptr;
SoundSlot* g_soundSlots = nullptr;

SoundDevice::~SoundDevice() { ReleaseSoundDevice(this); }

SoundSlot::~SoundSlot() { FreeSlot(*this); }

SoundDevice* CreateSoundDevice() { return new SoundDevice; }

int InitSoundDevice(SoundDevice* device, platform::GlWindow*) {
    if (!device) return 0;
    if (device->hasOutput) return 1;
    if (!platform::OpenAudio()) return 0;
    platform::SetAudioMixFunction(&EffectsMixer::RenderInto, &device->mixer);
    device->hasOutput = true;
    device->ownsPlatformAudio = true;
    return 1;
}

void ReleaseSoundDevice(SoundDevice* device) {
    if (!device) return;
    if (device->ownsPlatformAudio) {
        platform::SetAudioMixFunction(nullptr, nullptr);
        platform::CloseAudio();
        device->ownsPlatformAudio = false;
    }
    device->hasOutput = false;
}

int LoadSlotFromBytes(SoundSlot& slot, SoundDevice* device, const uint8_t* bytes, size_t size, int32_t count,
                      std::string* problem) {
    FreeSlot(slot);
    slot.currentVoice = 0;
    slot.device = device;
    count = std::clamp(count, 1, kMaxVoices);
    if (!device || !device->hasOutput) return 0;
    WavContents wav;
    if (!ParseWav(bytes, size, wav)) {
        if (problem) *problem = WavPlayabilityProblem(bytes, size);
        return 0;
    }
    auto samples = std::make_shared<std::vector<int16_t>>();
    if (!ConvertToDeviceFormat(wav, *samples)) {
        if (problem) *problem = DeviceFormatProblem(wav);
        slot.device = nullptr;  // a format no buffer can hold
        return 0;
    }
    slot.samples = std::move(samples);
    slot.voiceCount = count;
    for (int i = 0; i < count; ++i) {
        slot.voices[i] = Voice{};
        slot.voices[i].samples = slot.samples->data();
        slot.voices[i].frameCount = int64_t(slot.samples->size() / 2);
    }
    return 1;
}

int LoadSlot(SoundSlot& slot, SoundDevice* device, const char* name, int32_t count, std::string* problem) {
    FreeSlot(slot);
    FileStream in;
    std::vector<uint8_t> buffer;
    const uint8_t* bytes = nullptr;
    size_t size = 0;
    if (!device || !device->hasOutput || !name || !in.OpenRead(name) || !ReadWholeFile(in, buffer, bytes, size)) {
        slot.currentVoice = 0;
        slot.device = device;
        return 0;
    }
    return LoadSlotFromBytes(slot, device, bytes, size, count, problem);
}

int32_t PlaySlot(SoundSlot& slot, int32_t pan, int32_t volume, bool looping) {
    if (!Ready(slot)) return -1;
    EffectsMixer& mixer = slot.device->mixer;
    if (slot.currentVoice < 0 || slot.currentVoice >= slot.voiceCount) slot.currentVoice = 0;
    if (mixer.IsPlaying(slot.voices[slot.currentVoice])) {
        // A one-voice sound is never restarted while it plays; otherwise the next voice is taken,
        // cut short when it is still playing.
        if (slot.voiceCount == 1) return -1;
        slot.currentVoice = (slot.currentVoice + 1) % slot.voiceCount;
        mixer.Stop(slot.voices[slot.currentVoice]);
    }
    volume = std::clamp(volume, 0, 100);
    mixer.Start(slot.voices[slot.currentVoice], GainsFor(volume * 100 - 10000, pan), looping);
    return slot.currentVoice;
}

int32_t StopSlot(SoundSlot& slot, int32_t voice) {
    if (!Ready(slot)) return 0;
    if (voice >= 0 && voice < slot.voiceCount) slot.device->mixer.Stop(slot.voices[voice]);
    else StopVoices(slot);
    return 1;
}

int32_t IsVoicePlaying(SoundSlot& slot, int32_t voice) {
    if (!Ready(slot) || voice < 0 || voice >= slot.voiceCount) return 0;
    return slot.device->mixer.IsPlaying(slot.voices[voice]) ? 1 : 0;
}

void FreeSlot(SoundSlot& slot) {
    if (slot.device) StopVoices(slot);
    for (Voice& voice : slot.voices) voice = Voice{};
    slot.samples.reset();
    slot.currentVoice = 0;
    slot.voiceCount = 0;
}

}  // namespace tvk
