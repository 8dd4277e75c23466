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
/// Gives the start-up settings for the program's ApplySettings to fill.
/// Returns: the one settings record of the process
RuntimeSettings& GetRuntimeSettings();

// A user function the runtime may call by name. A table ends with a null function.
struct NameEntry {
    void (*function)();
    const char* name;
};

// Supplied by every translated program.

/// Written by the program: fills the start-up settings before the runtime starts.
void ApplySettings();
/// Written by the program: its statements, run once the runtime has started.
/// Returns: ignored; the program ends when it returns
int AppMain();
extern const NameEntry AppNameTable[];

// Lifecycle.

/// The entry routine behind main(): runs the program from start to end.
/// Stores the command line, applies the settings, starts the runtime, runs AppMain and ends the program.
/// argc: main's argument count
/// argv: main's arguments
[[noreturn]] void RunProgram(int argc, char** argv);
/// Starts the runtime for a program built as a library, without running AppMain.
/// instance: the host's handle for the library (may be null)
/// Returns: 1
int LibraryEntry(void* instance);
/// Ends the program: shuts the runtime down and exits with code 0.
/// With the debug flag on, the error code and line are written to the error log first.
void EndProgram();

// Frame loop and window events.

/// Shows the frame drawn and starts the next.
/// Waits for the frame period, handles window events, the pause, Escape (when it ends the program) and
/// Alt+F4, then clears the screen and draws the background.
void ShowScreen();
/// Calls a user function of the program's name table by its name.
/// name: the function's name as in the table
/// Returns: 1 when the function was found and called, 0 when there is none (an attached debugger is told)
RtNumber CallByName(const RtString& name);
/// Pauses or resumes the program.
/// A change calls TVK_ON_PAUSE or TVK_ON_RESUME; a paused program waits in ShowScreen until resumed.
/// flag: non-zero pauses, 0 resumes
void SetPaused(RtInt flag);
/// Sets whether losing the window's focus pauses the program.
/// flag: non-zero pauses on focus loss, 0 keeps running
void SetAutoPause(RtInt flag);
/// Sets whether Escape ends the program at the next ShowScreen.
/// value: non-zero ends on Escape, 0 leaves Escape to the program
void SetEscapeEnds(RtNumber value);
/// Tells whether Escape ends the program.
/// Returns: 1 when it does, else 0
RtInt GetEscapeEnds();

// Display.

/// Changes the screen size and mode at run time, then shows five frames.
/// width: pixels; 0 keeps the current width
/// height: pixels; 0 keeps the current height
/// fullscreen: non-zero for full screen, 0 for a window
void SetScreen(RtInt width, RtInt height, RtInt fullscreen);
/// Tells whether the program runs full screen.
/// Returns: 1 full screen, 0 in a window
RtInt IsFullscreen();
/// Shows the desktop's file dialog and gives the file chosen.
/// Full screen is left while the dialog is open; the current directory stays as it was.
/// openFlag: non-zero for an open dialog, 0 for a save dialog
/// filter: pairs of description and pattern separated by "|", e.g. "Text|*.txt|All|*.*"
/// Returns: the chosen file with forward slashes; "NO_FILE" when none was chosen
RtString FileDialog(RtInt openFlag, const RtString& filter);

// Diagnostics.

/// Appends a line (ending in CR LF) to the error log, ErrorLog.txt in the temporary directory.
/// text: the line; null writes "NULL"
void WriteErrorLog(const char* text);
/// Records an error code and the line it was recorded on.
/// code: the error code (0 = none)
void SetErrorCode(int32_t code);
/// Gives the last error code recorded.
/// Returns: the code; 0 when none
int32_t GetErrorCode();

// Timing.

/// Reads the runtime clock.
/// Returns: milliseconds since the first reading of the clock, monotonic, with fractions
double ReadTimer();
/// Gives the time since the program's start.
/// Returns: milliseconds since the frame clock started
RtNumber GetElapsedTime();

// Threads and locks. Results are POSIX-style error numbers: 0 success, 1 not the owner,
// 12 out of memory, 22 invalid argument, 36 the caller already holds the lock.
struct LockRecord;
using LockHandle = LockRecord*;

/// Makes a lock.
/// lock: receives the new lock
/// Returns: 0; 22 for a null pointer; 12 when memory runs out
int InitLock(LockHandle* lock);
/// Takes a lock, waiting while another thread holds it.
/// lock: a lock InitLock made
/// Returns: 0; 22 for a null or unmade lock; 36 when the caller already holds it
int AcquireLock(LockHandle* lock);
/// Gives a lock back.
/// lock: a lock the caller holds
/// Returns: 0; 22 for a null or unmade lock; 1 when the caller does not hold it
int ReleaseLock(LockHandle* lock);
/// Frees a lock.
/// lock: a lock InitLock made; set to null
/// Returns: 0; 22 for a null or unmade lock
int DestroyLock(LockHandle* lock);
using ThreadFunction = int (*)(int);
using ThreadHandle = intptr_t;
/// Starts a thread running a function.
/// function: the function to run; it receives argument and its result is the thread's exit code
/// argument: the value passed to it
/// keepHandle: true returns a handle for JoinThread; false lets the thread run detached
/// Returns: the handle; 0 for a detached thread; −1 when the thread cannot be started
/// Errors: 22 for a null function
ThreadHandle StartThread(ThreadFunction function, int argument, bool keepHandle);
/// Waits for a thread to end; each handle can be joined once.
/// thread: a handle StartThread gave
/// exitCode: receives the thread function's result (may be null)
/// Returns: 0; 22 for a handle that is not a running, unjoined thread
/// Errors: 22 for such a handle
int JoinThread(ThreadHandle thread, int* exitCode);
/// Lets other threads run.
void YieldThread();
/// Sleeps the calling thread.
/// milliseconds: how long
void SleepThread(int milliseconds);

// More timing.

/// Gives the time between the last two frames.
/// Returns: milliseconds; 1 when it is not positive
RtNumber GetFrameTime();
/// Sleeps the program.
/// milliseconds: how long
void SleepMs(RtInt milliseconds);
/// Sets the frame rate ShowScreen keeps to.
/// rate: frames per second; <= 0 gives a 2 ms frame period
void SetFrameRate(RtNumber rate);
/// Starts a program through the shell.
/// commandLine: the shell command
/// wait: non-zero blocks until it ends
/// show: ignored (kept for programs that pass a window mode)
/// exitCode: receives its exit code when waited for, else 0
/// Returns: 1 when it started, 0 when it could not
RtNumber RunProcess(const RtString& commandLine, RtNumber wait, RtNumber show, RtNumber& exitCode);
/// Shuts the runtime down, starts a program through the shell and ends this one.
/// commandLine: the shell command
[[noreturn]] void RunAndEnd(const RtString& commandLine);

// Standard streams and debugger output.

/// Sends a text to an attached debugger (or to standard error when a plain tracer is attached).
/// text: the message
void DebugPrint(const RtString& text);
/// Ends the program when a value is 0, telling an attached debugger.
/// value: the condition; 0 fails
/// Errors: 21 (and the end of the program) when the value is 0
void Assert(int32_t value);
/// Writes a text to standard output, up to a zero byte, without a line end.
/// text: the text
void WriteStdout(const RtString& text);
/// Writes a text to standard error, up to a zero byte, without a line end.
/// text: the text
void WriteStderr(const RtString& text);
/// Reads one line from standard input.
/// Returns: the line without its LF; "" at the end of input; lines over 4094 bytes come in pieces
RtString ReadStdinLine();
/// Does nothing: the standard streams already exist for a program started from a terminal.
void OpenConsole();
