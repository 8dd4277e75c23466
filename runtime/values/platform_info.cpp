// PlatformInfo: answers about the machine and the program, by key.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/platform_info.h"
#include "platform/window.h"
#include "tarnvik/values.h"
#include "values/platform_info_locale.h"

namespace {

// Keeps the machine identifier from being the raw serial; any fixed value would do.
constexpr uint32_t kIdentifierMask = 0x5A3C96E1u;
constexpr uint32_t kSerialWhenUnknown = 16390125u;
const char* const kNoData = "NO_DATA";

struct ProgramStamp {
    std::string compiled = __DATE__ "-" __TIME__;
    std::string hostId = "00000000";
};

ProgramStamp& Stamp() {
    static ProgramStamp stamp;
    return stamp;
}

RtString MachineIdentifier() {
    uint32_t serial = kSerialWhenUnknown;
    if (!tvk::platform::MachineSerial(serial)) serial = kSerialWhenUnknown;
    serial ^= kIdentifierMask;
    const uint8_t bytes[4] = {uint8_t(serial), uint8_t(serial >> 8), uint8_t(serial >> 16), uint8_t(serial >> 24)};
    return HexText(bytes, 4, 1);
}

RtString LocalTimeText() {
    tvk::platform::LocalTime t;
    if (!tvk::platform::CurrentLocalTime(t)) return RtString(kNoData);
    char text[64];
    std::snprintf(text, sizeof(text), "%d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return RtString(text);
}

RtString BatteryText() {
    int percent = tvk::platform::BatteryPercent();
    if (percent < 0) percent = 255;
    return RtString(static_cast<RtInt>(std::min(percent, 100)));
}

RtString GlEntryPointText(const char* name) {
    // The lookup needs the runtime's own context to be current.
    bool haveContext = tvk::platform::GlContextCurrent();
    bool found = haveContext && tvk::platform::GlEntryPointExported(name) && tvk::platform::GlProcAddress(name);
    return RtString(found ? "1" : "0");
}

RtString DocumentsText() {
    std::string folder = tvk::platform::DocumentsDirectory();
    if (folder.empty()) return RtString(kNoData);
    std::replace(folder.begin(), folder.end(), '\\', '/');
    return RtString(folder.c_str());
}

RtString TempText() {
    RtString temp = GetEnv("TEMP");
    if (temp.Empty()) temp = GetEnv("TMPDIR");
    if (temp.Empty()) temp = "/tmp";
    return temp;
}

RtString Answer(const RtString& upper, const RtString& asPassed) {
    const char* key = upper.c_str();
    if (upper.Empty()) return RtString("LINUX");
    if (std::strcmp(key, "DEVICE") == 0) return RtString("DESKTOP");
    if (std::strncmp(key, "GLEXT:", 6) == 0) return GlEntryPointText(asPassed.c_str() + 6);
    if (std::strcmp(key, "ID") == 0) return MachineIdentifier();
    if (std::strcmp(key, "TIME") == 0) return LocalTimeText();
    if (std::strcmp(key, "BATTERY") == 0) return BatteryText();
    if (std::strcmp(key, "COMPILED") == 0) return RtString(Stamp().compiled.c_str());
    if (std::strcmp(key, "HOSTID") == 0) return RtString(Stamp().hostId.c_str());
    if (std::strcmp(key, "LOCALE") == 0) return RtString(tvk::LocaleCode(tvk::platform::UiLanguageId()).c_str());
    if (std::strcmp(key, "DOCUMENTS") == 0) return DocumentsText();
    if (std::strcmp(key, "TEMP") == 0) return TempText();
    return RtString(kNoData);
}

}  // namespace

RtString PlatformInfo(RtString& key) {
    RtString asPassed = key;
    key = UpperCase(asPassed);
    return Answer(key, asPassed);
}

RtString PlatformInfo(const RtString& key) {
    RtString copy = key;
    return PlatformInfo(copy);
}

void SetProgramStamp(const char* compiled, const char* hostId) {
    if (compiled) Stamp().compiled = compiled;
    if (hostId) Stamp().hostId = hostId;
}
