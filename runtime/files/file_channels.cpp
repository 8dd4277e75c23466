// Opening, closing and positioning the file channels.
#include "files/file_channels.h"

#include "base/error_codes.h"
#include "base/fatal_error.h"
#include "files/channel_access.h"
#include "files/resolver.h"
#include "tarnvik/core.h"
#include "tarnvik/files.h"

namespace tvk {
namespace {
FileStream g_channels[kFileChannelCount];
}

FileStream* FileChannel(int channel) {
    return (channel >= 0 && channel < kFileChannelCount) ? &g_channels[channel] : nullptr;
}

void CloseAllFileChannels() {
    for (FileStream& channel : g_channels) channel.Close();
}

FileStream* ChannelOrEnd(RtInt channel) {
    FileStream* stream = FileChannel(channel);
    if (!stream) EndWithError(kErrorOutOfRange, channel, "no such file channel");
    return stream;
}

void EndWithError(int32_t code, int32_t channel, const char* what) {
    EndOnFatalError(code, std::string(what) + " " + std::to_string(channel));
}

}  // namespace tvk

using tvk::FileStream;

RtInt OpenFileChannel(RtInt channel, const RtString& name, RtInt mode) {
    SetErrorCode(tvk::kErrorSuccess);
    FileStream* stream = tvk::FileChannel(channel);
    if (!stream) {
        SetErrorCode(tvk::kErrorOutOfRange);
        return 0;
    }
    stream->Close();
    if (mode >= 1) {
        char answer[tvk::kPathBufferSize];
        bool found = tvk::ResolveFileName(tvk::g_memoryResolver, name.c_str(), answer, 1) != 0;
        bool opened = stream->OpenRead(answer);
        if (!found || !opened) SetErrorCode(tvk::kErrorNoSuchFile);
        return opened ? 1 : 0;
    }
    bool opened = mode == 0 ? stream->OpenWrite(name.c_str()) : stream->OpenAppend(name.c_str());
    if (!opened) SetErrorCode(tvk::kErrorNoSuchFile);
    return opened ? 1 : 0;
}

void CloseFileChannel(RtInt channel) {
    if (FileStream* stream = tvk::ChannelOrEnd(channel)) stream->Close();
}

RtInt FreeFileChannel() {
    for (int i = 0; i < tvk::kFileChannelCount; ++i) {
        if (!tvk::FileChannel(i)->IsOpen()) return i;
    }
    return -1;
}

RtInt ChannelAtEnd(RtInt channel) {
    FileStream* stream = tvk::FileChannel(channel);
    if (!stream) {  // a loop waiting for the end must still stop
        SetErrorCode(tvk::kErrorOutOfRange);
        return 1;
    }
    return stream->Position() >= stream->OpenedSize() ? 1 : 0;
}

RtInt ChannelPosition(RtInt channel) {
    FileStream* stream = tvk::ChannelOrEnd(channel);
    return stream ? static_cast<RtInt>(stream->Position()) : 0;
}

RtInt SeekChannel(RtInt channel, RtInt offset, RtInt mode) {
    FileStream* stream = tvk::ChannelOrEnd(channel);
    if (!stream || !stream->IsOpen()) return -1;
    using tvk::platform::SeekOrigin;
    SeekOrigin origin = mode == 0 ? SeekOrigin::Begin : mode > 0 ? SeekOrigin::Current : SeekOrigin::End;
    int64_t result = stream->SeekFrom(offset, origin);
    if (stream->IsMemory()) return 0;
    return result < 0 ? -1 : static_cast<RtInt>(result);
}
