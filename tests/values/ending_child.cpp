// Ends the way a program ends on a fatal value error; prints the recorded code on the way out.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/frame_state.h"
#include "tarnvik/core.h"
#include "tarnvik/values.h"

namespace {

void PrintCode() {
    std::printf("error=%d\n", GetErrorCode());
    std::fflush(stdout);
}

RtIntArray g_array;

// An illegal access while the program is already ending ends the process on the spot.
void QuitCallback() {
    std::printf("quit callback\n");
    DimArray(g_array, 2);
    ArrayElement(g_array, 5) = 123;
    std::printf("quit callback went on\n");
}

const NameEntry kNames[] = {{QuitCallback, "TVK_ON_QUIT"}, {nullptr, nullptr}};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    std::atexit(PrintCode);
    const char* mode = argv[1];
    if (!std::strcmp(mode, "high")) {
        RtNumberArray a;
        DimArray(a, 10);
        ArrayElement(a, 10) = 1;
    } else if (!std::strcmp(mode, "low")) {
        RtNumberArray a;
        DimArray(a, 10);
        ArrayElement(a, -11) = 1;
    } else if (!std::strcmp(mode, "inner")) {
        RtStringArray a;
        DimArray(a, 3, 2);
        ArrayElement(a, 0, 2) = "x";
    } else if (!std::strcmp(mode, "unsized")) {
        RtByteArray a;
        ArrayElement(a, 0) = 1;
    } else if (!std::strcmp(mode, "data")) {
        const DataItem items[] = {{1, nullptr}};
        const DataBlock block = {items, 1};
        RestoreData(&block);
        RtNumber v;
        ReadDataNumber(v);
        ReadDataNumber(v);
    } else if (!std::strcmp(mode, "push")) {
        RtStringArray a;
        DimArray(a, 2, 2);
        PushElement(a, RtString("x"));
    } else if (!std::strcmp(mode, "huge")) {
        RtNumberArray a;
        DimArray(a, 100000, 100000, 100000);
    } else if (!std::strcmp(mode, "open")) {
        SetErrorCode(5);
        OpenDocument("docs\\manual/page one.txt");
    } else if (!std::strcmp(mode, "end")) {
        SetErrorCode(5);
        EndOfProgram();
    } else if (!std::strcmp(mode, "ending")) {
        tvk::SetNameTable(kNames);
        SetErrorCode(0);
        EndProgram();
    } else {
        return 2;
    }
    std::printf("not ended\n");
    return 1;
}
