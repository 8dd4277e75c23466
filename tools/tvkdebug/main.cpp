// tvkdebug: starts a program built on the runtime and debugs it line by line.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "program_launcher.h"
#include "session.h"

namespace {

void Usage(std::FILE* out) {
    std::fputs("usage: tvkdebug [-b FILE:LINE]... [-r] [--] PROGRAM [ARGUMENT]...\n"
               "  -b FILE:LINE  breakpoint at a line of a source file (FILE is its index)\n"
               "  -r            run to the first breakpoint instead of stopping at the first statement\n"
               "Commands at a stop:\n",
               out);
    std::fputs(tvkdebug::kHelpText, out);
}

}  // namespace

int main(int argc, char** argv) {
    tvkdebug::SessionOptions options;
    int i = 1;
    for (; i < argc && argv[i][0] == '-'; ++i) {
        std::string arg = argv[i];
        if (arg == "--") {
            ++i;
            break;
        }
        if (arg == "-h" || arg == "--help") {
            Usage(stdout);
            return 0;
        }
        if (arg == "-r") {
            options.runToBreakpoint = true;
        } else if (arg == "-b" && i + 1 < argc) {
            auto where = tvkdebug::ParseBreakpoint(argv[++i]);
            if (!where) {
                std::fprintf(stderr, "tvkdebug: a breakpoint is FILE:LINE, not %s\n", argv[i]);
                return 2;
            }
            options.breakpoints.push_back(*where);
        } else {
            Usage(stderr);
            return 2;
        }
    }
    if (i >= argc) {
        Usage(stderr);
        return 2;
    }
    options.program.assign(argv + i, argv + argc);

    std::string problem = tvkdebug::MemoryAccessProblem(tvkdebug::ReadPtraceScope(), tvkdebug::HasPtraceCapability());
    if (!problem.empty()) {
        std::fprintf(stderr, "tvkdebug: %s\n", problem.c_str());
        return 2;
    }
    return tvkdebug::RunSession(options);
}
