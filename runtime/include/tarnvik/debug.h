// Line tracking and the debugger protocol.
//
// A translated program calls TraceLine before every statement. An external debugger that
// started the program with the debugger channel can then stop it, read and change the
// DebuggerBlock, look at the program's variables and step it.
//
// For programs
// ------------
//   // Globals: one table for the whole run, registered once at start-up.
//   static RtNumber score;  static RtString name_Str;
//   static DebugVariableTable<2> globals = {2, {{"score", kDebugNumber, &score},
//                                               {"name_Str", kDebugString, &name_Str}}};
//   DebugRegisterGlobals(&globals);               // call depth becomes 1
//
//   // A user function: enter/leave around its body, its locals in its own frame.
//   RtNumber Add(RtNumber a) {
//       DebugFunctionScope scope;                 // call depth + 1 until it returns
//       RtNumber result = 0;
//       DebugVariableTable<2> locals = {2, {{"a", kDebugNumber, &a}, {"result", kDebugNumber, &result}}};
//       TraceLine(1, 3, &locals);                 // file index 1, line 3
//       ...
//   }
//
// A table's count may change while it is in use (a loop counter that exists only inside its
// loop); a null table means no locals.
//
// For debugger writers
// --------------------
// Channel: the debugger makes a pipe and starts the program with the write end open and its
// number in the environment variable TVK_DEBUG_FD. Every message is a text followed by one
// NUL byte. "TX" + text: a message for the user. "BP" + the DebuggerBlock's address in
// lower-case hexadecimal without leading zeros: the program has stopped at a statement.
//
// After "BP" the program suspends itself with SIGSTOP. The debugger waits until it is
// really stopped (as its parent: waitpid with WUNTRACED), reads the block and the variable
// tables (process_vm_readv), may write the breakpoint arrays, the breakpoint count, the
// break request, the end request and the command (process_vm_writev), and resumes it with
// SIGCONT. A debugger that closes its end of the pipe detaches: the program runs on
// without stopping. The channel is a descriptor above 2: TVK_DEBUG_FD naming a standard
// stream, or a tracer attached without the channel (a general-purpose debugger, a system-call
// tracer), gets the "TX" texts as they stand (no NUL) on that stream or on standard error,
// and the program never stops for it.
//
// Commands written at a stop: 0 step over, 1 step into, -1 step out (stop after the current
// function returns), 100 run (until a breakpoint or a break request). A non-zero end request
// ends the program cleanly at the next statement instead of stopping there. Kernels whose
// Yama ptrace_scope is 2 or more refuse process_vm_readv to unprivileged debuggers; at 0 or 1
// the program's parent may use it.
#pragma once

#include <cstddef>
#include <cstdint>

// Variable types in the tables.
enum : int64_t {
    kDebugNumber = 0,  // RtNumber (an IEEE double)
    kDebugString = 1,  // RtString: {char* buffer; uint32 capacity; uint32 length}
    kDebugArray = 2,   // RtArray
};

// One entry: three 64-bit words.
struct DebugVariable {
    const char* name;  // NUL-terminated
    int64_t type;
    const void* address;  // the variable's storage
};

// A variable table: a 64-bit count word followed by the entries. The address of the table is
// the address of its count word; the first entry is 8 bytes further on.
template <size_t N>
struct DebugVariableTable {
    int64_t count;
    DebugVariable entries[N];
};

// The block a debugger reads and writes while the program is stopped. Layout (little-endian,
// 64 bytes, the same in every build of the runtime):
//
//   offset size field
//    0     4   breakpointCount   valid entries of the two breakpoint arrays (debugger writes; 0..1024)
//    4     4   globalCount       number of global variables (filled at every stop)
//    8     4   localCount        number of locals of the current function (filled at every stop)
//   12     4   breakRequest      non-zero: stop at the next statement; 1000 at start, cleared at every stop
//   16     4   file              source-file index of the stop
//   20     4   line              line of the stop
//   24     4   endRequest        non-zero: the next statement ends the program; 0 at start
//   28     4   command           debugger's answer, then the run mode (see above); 0 at start
//   32     8   breakpointFiles   address of int32[1024]: source-file index of each breakpoint
//   40     8   breakpointLines   address of int32[1024]: line of each breakpoint
//   48     8   globals           address of the first entry of the global table (0: none)
//   56     8   locals            address of the first entry of the local table (0: none)
//
// A breakpoint i < breakpointCount stops the program when both its file and its line match.
struct DebuggerBlock {
    int32_t breakpointCount;
    int32_t globalCount;
    int32_t localCount;
    int32_t breakRequest;
    int32_t file;
    int32_t line;
    int32_t endRequest;
    int32_t command;
    uint64_t breakpointFiles;
    uint64_t breakpointLines;
    uint64_t globals;
    uint64_t locals;
};

constexpr int32_t kDebuggerMaxBreakpoints = 1024;
constexpr int32_t kDebuggerStepOver = 0;
constexpr int32_t kDebuggerStepInto = 1;
constexpr int32_t kDebuggerStepOut = -1;
constexpr int32_t kDebuggerRun = 100;

static_assert(sizeof(DebugVariable) == 24, "variable table entries are three 64-bit words");
static_assert(offsetof(DebugVariableTable<1>, entries) == 8, "entries follow the 64-bit count word");
static_assert(offsetof(DebuggerBlock, command) == 28 && offsetof(DebuggerBlock, breakpointFiles) == 32 &&
                  offsetof(DebuggerBlock, locals) == 56 && sizeof(DebuggerBlock) == 64,
              "the block layout is fixed for debuggers");

/// Called before every statement: records the line for error reports and stops for an attached debugger.
/// file: source-file index
/// line: line number
/// locals: the current function's local table (null: none)
/// Errors: 0 when the debugger's end request ends the program here
void TraceLine(int32_t file, int32_t line, const void* locals);
/// Registers the global table and sets the call depth to 1.
/// globals: the global table; it must live for the whole run
void DebugRegisterGlobals(const void* globals);
/// Counts a user function's entry (call depth + 1), for stepping.
void DebugEnterFunction();
/// Counts a user function's return (call depth − 1), for stepping.
void DebugLeaveFunction();

// Enters on construction and leaves on destruction, whichever way the function returns.
struct DebugFunctionScope {
    DebugFunctionScope() { DebugEnterFunction(); }
    ~DebugFunctionScope() { DebugLeaveFunction(); }
    DebugFunctionScope(const DebugFunctionScope&) = delete;
    DebugFunctionScope& operator=(const DebugFunctionScope&) = delete;
};
