// Process-wide state of the frame loop and the pause machinery.
#pragma once

#include <cstdint>

#include "tarnvik/core.h"

namespace tvk {

using MessageCallback = void (*)();

struct FrameState {
    double currentFrameTime = 0;   // ms
    double previousFrameTime = 0;  // ms
    int32_t paused = 0;
    bool autoPause = false;
    bool escapeEnds = true;
    bool activationRequest = false;
    int32_t messageCallbackState = -1;  // -1 not looked up, 1 found, 0 absent
    MessageCallback messageCallback = nullptr;
};

FrameState& Frame();

// The program's table of user functions (null: none).
void SetNameTable(const NameEntry* table);
// The "TVK_WIN32_MSG" callback, looked up once per process; null when absent.
MessageCallback ResolveMessageCallback();

// Both frame times and the start offset of the timer become the current time.
void ResetFrameClock();

}  // namespace tvk
