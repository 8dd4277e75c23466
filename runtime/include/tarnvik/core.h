// Start-up, frame loop, window, diagnostics, timing and threads.
#pragma once

#include <cstdint>

#include "tarnvik/rt_string.h"

// Start-up settings, filled by the program's ApplySettings before the runtime starts.
struct RuntimeSettings {
    int32_t screenWidth = 0;   // 0 = the created window's own width
    int32_t screenHeight = 0;  // 0 = the created window's own height
    int32_t fullscreen = 0;
    int32_t exclusiveMouse = 0;
    int32_t frameRate = 0;     // <= 0: a 2 ms frame period
    int32_t debugFlag = 0;     // built with line tracking
    int32_t multisample = 0;   // samples; 0 = none
    RtString windowTitle;
};
RuntimeSettings& GetRuntimeSettings();

// A user function the runtime may call by name. A table ends with a null function.
struct NameEntry {
    void (*function)();
    const char* name;
};

// Supplied by every translated program.
void ApplySettings();
int AppMain();
extern const NameEntry AppNameTable[];

// Lifecycle.
[[noreturn]] void RunProgram(int argc, char** argv);  // the entry routine behind main()
int LibraryEntry(void* instance);
void EndProgram();  // returns only while the program is already ending

// Frame loop and window events.
void ShowScreen();
RtNumber CallByName(const RtString& name);
void SetPaused(RtInt flag);
void SetAutoPause(RtInt flag);
void SetEscapeEnds(RtNumber value);
RtInt GetEscapeEnds();

// Display.
void SetScreen(RtInt width, RtInt height, RtInt fullscreen);
RtInt IsFullscreen();
RtString FileDialog(RtInt openFlag, const RtString& filter);

// Diagnostics.
void WriteErrorLog(const char* text);
void SetErrorCode(int32_t code);
int32_t GetErrorCode();

// Timing.
double ReadTimer();
RtNumber GetElapsedTime();

// Threads and locks. Results are POSIX-style error numbers: 0 success, 1 not the owner,
// 12 out of memory, 22 invalid argument, 36 the caller already holds the lock.
struct LockRecord;
using LockHandle = LockRecord*;
int InitLock(LockHandle* lock);
int AcquireLock(LockHandle* lock);
int ReleaseLock(LockHandle* lock);
int DestroyLock(LockHandle* lock);
using ThreadFunction = int (*)(int);
using ThreadHandle = intptr_t;
// keepHandle: return the handle for JoinThread; otherwise the thread runs detached and 0 is returned.
// -1 when the thread cannot be started.
ThreadHandle StartThread(ThreadFunction function, int argument, bool keepHandle);
int JoinThread(ThreadHandle thread, int* exitCode);
void YieldThread();
void SleepThread(int milliseconds);

// More timing.
RtNumber GetFrameTime();
void SleepMs(RtInt milliseconds);
void SetFrameRate(RtNumber rate);
// Starts a program through the shell; 1 when it started, 0 when it could not. With wait,
// blocks until it ends and stores its exit code.
RtNumber RunProcess(const RtString& commandLine, RtNumber wait, RtNumber show, RtNumber& exitCode);
[[noreturn]] void RunAndEnd(const RtString& commandLine);

// Standard streams and debugger output.
void DebugPrint(const RtString& text);
void Assert(int32_t value);
void WriteStdout(const RtString& text);
void WriteStderr(const RtString& text);
RtString ReadStdinLine();
void OpenConsole();
