// A translated program in miniature with line tracking: globals, a user function with locals,
// a loop whose counter exists only inside it, and a text for the debugger. The comments give
// each statement's source position (file:line) as the debugger sees it.
#include <tarnvik.h>

#include <cstdio>
#include <string>

namespace {

std::string g_mode;

RtNumber count = 0;
RtString name_Str;
int values = 0;  // stands in for an array: the debugger shows only its kind
DebugVariableTable<3> globals = {3,
                                 {{"count", kDebugNumber, &count},
                                  {"name_Str", kDebugString, &name_Str},
                                  {"values", kDebugArray, &values}}};

// Source file 1.
RtNumber AddOne(RtNumber a) {
    DebugFunctionScope scope;
    RtNumber result = 0;
    DebugVariableTable<2> locals = {2, {{"a", kDebugNumber, &a}, {"result", kDebugNumber, &result}}};
    TraceLine(1, 3, &locals);
    result = a + 1;
    TraceLine(1, 4, &locals);
    count = count + result;
    return 0;
}

}  // namespace

const NameEntry AppNameTable[] = {{nullptr, nullptr}};

void ApplySettings() {
    RuntimeSettings& s = GetRuntimeSettings();
    s.screenWidth = 160;
    s.screenHeight = 120;
    s.frameRate = 60;
    s.debugFlag = 1;
    s.windowTitle = "Traced";
}

// Source file 0.
int AppMain() {
    DebugRegisterGlobals(&globals);
    RtNumber m = 0;
    DebugVariableTable<1> locals = {0, {{"m", kDebugNumber, &m}}};
    if (g_mode == "spawn") {
        RtNumber code = 0;
        RunProcess("echo channel inherited: ${TVK_DEBUG_FD:-no}", 1, 1, code);
    }
    TraceLine(0, 10, &locals);
    name_Str = "traced \"text\"";
    TraceLine(0, 11, &locals);
    count = 1;
    TraceLine(0, 12, &locals);
    AddOne(count);
    TraceLine(0, 13, &locals);
    DebugPrint("text from line 13\n");
    TraceLine(0, 14, &locals);
    AddOne(count);
    locals.count = 1;  // m exists while the loop runs
    for (m = 1; m <= 2; m = m + 1) {
        TraceLine(0, 16, &locals);
        count = count + m;
    }
    locals.count = 0;
    TraceLine(0, 18, &locals);
    std::printf("count %g\n", count);
    return 0;
}

int main(int argc, char** argv) {
    g_mode = argc > 1 ? argv[1] : "";
    RunProgram(argc, argv);
}
