// The entry routine: settings, start-up, the program, the end.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/frame_state.h"
#include "base/last_error.h"
#include "core/lifecycle.h"
#include "platform/window.h"
#include "tarnvik/core.h"
#include "tarnvik/values.h"

// Every program supplies these. The references are weak because the library is also linked
// into programs that never start the runtime this way (tests, tools), and a linker may pull
// this object into them to satisfy an unrelated shared symbol.
extern void ApplySettings() __attribute__((weak));
extern int AppMain() __attribute__((weak));
extern const NameEntry AppNameTable[] __attribute__((weak));

namespace tvk {
namespace {

// The whole command line, program name included; arguments holding blanks are quoted.
std::string JoinCommandLine(int argc, char** argv) {
    std::string text;
    for (int i = 0; i < argc; ++i) {
        if (i) text += ' ';
        std::string arg = argv[i];
        if (arg.find_first_of(" \t") != std::string::npos) text += '"' + arg + '"';
        else text += arg;
    }
    return text;
}

// Without a display the program cannot run: say so and end cleanly.
void ReportDisplayFailure() {
    std::string message = "Cannot create the display: " + platform::VideoError();
    std::fprintf(stderr, "%s\n", message.c_str());
    WriteErrorLog(message.c_str());
}

}  // namespace

}  // namespace tvk

void RunProgram(int argc, char** argv) {
    SetCommandLine(tvk::JoinCommandLine(argc, argv).c_str());
    tvk::SetNameTable(AppNameTable);
    if (!AppMain) {
        // A window that opens and closes again would tell the user nothing.
        std::fprintf(stderr, "This program defines no AppMain: there is nothing to run\n");
        EndProgram();
    }
    if (ApplySettings) ApplySettings();
    if (!tvk::InitRuntime(nullptr, tvk::ShowModeFromEnvironment(), GetRuntimeSettings().windowTitle)) {
        tvk::ReportDisplayFailure();
        EndProgram();
    }
    tvk::ClearLastError();
    if (AppMain) AppMain();
    EndProgram();
    std::exit(0);  // not reached: EndProgram exits
}

int LibraryEntry(void* instance) {
    tvk::SetNameTable(AppNameTable);
    if (ApplySettings) ApplySettings();
    if (!tvk::InitRuntime(instance, 1, GetRuntimeSettings().windowTitle)) tvk::ReportDisplayFailure();
    tvk::ClearLastError();
    return 1;
}
