#include "base/debugger_block.h"

#include <algorithm>
#include <climits>

namespace tvk {
namespace {

DebuggerState MakeInitialState() {
    DebuggerState state;
    state.block.breakRequest = 1000;  // the first statement stops
    return state;
}

DebuggerState g_debugger = MakeInitialState();

uint64_t AddressOf(const void* p) { return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(p)); }

// The count word of a table, as the block's 32-bit count; a program's nonsense stays in range.
int32_t TableCount(const int64_t* table) {
    if (!table) return 0;
    return static_cast<int32_t>(std::clamp<int64_t>(*table, 0, INT32_MAX));
}

uint64_t FirstEntry(const int64_t* table) { return table ? AddressOf(table + 1) : 0; }

}  // namespace

DebuggerState& Debugger() { return g_debugger; }

void ResetDebugger() { g_debugger = MakeInitialState(); }

bool ShouldStop(const DebuggerState& state, int32_t file, int32_t line) {
    const DebuggerBlock& b = state.block;
    if (b.command != 0 && state.callDepth <= state.stepDepth) return true;
    if (b.breakRequest != 0) return true;
    // The count comes from the debugger: entries beyond the arrays do not exist.
    int32_t count = std::clamp(b.breakpointCount, 0, kDebuggerMaxBreakpoints);
    for (int32_t i = 0; i < count; ++i) {
        if (state.breakpointFiles[i] == file && state.breakpointLines[i] == line) return true;
    }
    return false;
}

void ApplyDebuggerCommand(DebuggerState& state) {
    DebuggerBlock& b = state.block;
    switch (b.command) {
        case kDebuggerStepOver:
            b.command = 1;
            state.stepDepth = state.callDepth;
            break;
        case kDebuggerStepInto:
            b.command = 1;
            state.stepDepth = state.callDepth + 1;
            break;
        case kDebuggerStepOut:
            b.command = 1;
            state.stepDepth = state.callDepth - 1;
            break;
        case kDebuggerRun:
            b.command = 0;
            state.stepDepth = 0;
            break;
        default: break;  // other values leave the run mode as it is
    }
    b.breakRequest = 0;
}

void FillDebuggerBlock(DebuggerState& state, int32_t file, int32_t line, const int64_t* locals) {
    DebuggerBlock& b = state.block;
    b.line = line;
    b.file = file;
    b.globalCount = TableCount(state.globals);
    b.localCount = TableCount(locals);
    b.breakpointFiles = AddressOf(state.breakpointFiles);
    b.breakpointLines = AddressOf(state.breakpointLines);
    b.globals = FirstEntry(state.globals);
    b.locals = FirstEntry(locals);
}

}  // namespace tvk
