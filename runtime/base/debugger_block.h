// The process-wide debugger block with its breakpoint arrays, the call and step depths,
// and the rules that decide when a statement stops and what the debugger's answer means.
#pragma once

#include <cstdint>

#include "tarnvik/debug.h"

namespace tvk {

struct DebuggerState {
    DebuggerBlock block{};
    int32_t breakpointFiles[kDebuggerMaxBreakpoints]{};
    int32_t breakpointLines[kDebuggerMaxBreakpoints]{};
    const int64_t* globals = nullptr;  // count word of the registered global table
    int32_t callDepth = 0;
    int32_t stepDepth = 0;
};

// The one state of the process; its block sits at a fixed address for the whole run.
DebuggerState& Debugger();
// Back to the start values: break request 1000, everything else 0 (tests).
void ResetDebugger();

// Whether the statement at file/line stops: stepping at this depth, a break request, or a
// breakpoint among the first breakpointCount entries (never more than the arrays hold).
bool ShouldStop(const DebuggerState& state, int32_t file, int32_t line);
// Acts on the command the debugger left in the block; clears the break request.
void ApplyDebuggerCommand(DebuggerState& state);
// Copies position, table counts and addresses into the block for the debugger to read.
void FillDebuggerBlock(DebuggerState& state, int32_t file, int32_t line, const int64_t* locals);

}  // namespace tvk
