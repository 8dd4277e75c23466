#include "session.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "message_splitter.h"
#include "program_launcher.h"
#include "remote_memory.h"
#include "stop_view.h"
#include "tarnvik/debug.h"

namespace tvkdebug {
namespace {

class Session {
public:
    Session(const SessionOptions& options, const LaunchedProgram& program)
        : pid_(program.pid), channel_(program.channel), memory_(program.pid), runToBreakpoint_(options.runToBreakpoint) {
        for (const Breakpoint& b : options.breakpoints) breakpoints_.Flip(b);
    }

    int Run() {
        while (channel_ >= 0) {
            pollfd p{channel_, POLLIN, 0};
            int ready = poll(&p, 1, 200);
            if (ready > 0) {
                ReadChannel();
            } else if (ready == 0 && ProgramEnded(WNOHANG)) {
                break;
            }
        }
        return WaitForEnd();
    }

private:
    void ReadChannel() {
        char chunk[4096];
        ssize_t n = read(channel_, chunk, sizeof(chunk));
        if (n < 0 && errno == EINTR) return;
        if (n <= 0) {  // the program has closed its end: it has ended
            std::string rest = splitter_.TakeRest();
            if (!rest.empty()) HandleMessage(rest);
            CloseChannel();
            return;
        }
        splitter_.Append(chunk, static_cast<size_t>(n));
        while (channel_ >= 0) {
            std::optional<std::string> message = splitter_.Next();
            if (!message) break;
            HandleMessage(*message);
        }
    }

    void HandleMessage(const std::string& message) {
        if (message.rfind("TX", 0) == 0) {
            std::fputs(message.c_str() + 2, stdout);
            std::fflush(stdout);
        } else if (message.rfind("BP", 0) == 0) {
            char* end = nullptr;
            uint64_t address = std::strtoull(message.c_str() + 2, &end, 16);
            if (*end || address == 0) Report("a stop notification without a usable address: " + message);
            else HandleStop(address);
        } else {
            Report("unknown message from the program: " + message);
        }
    }

    void HandleStop(uint64_t blockAddress) {
        if (!WaitUntilStopped()) return;
        DebuggerBlock block{};
        if (!memory_.Read(blockAddress, &block, sizeof(block))) {
            Detach(std::string("cannot read the program's memory: ") + std::strerror(errno));
            return;
        }
        if (firstStop_ && runToBreakpoint_) {
            block.command = kDebuggerRun;
        } else {
            ShowStop(block);
            TakeCommands(block);
        }
        firstStop_ = false;
        if (!WriteBack(blockAddress, block)) {
            Detach(std::string("cannot write the program's memory: ") + std::strerror(errno));
            return;
        }
        kill(pid_, SIGCONT);
    }

    // The notification is written before the program stops itself: wait for the stop, or
    // the debugger's SIGCONT could come first and be lost.
    bool WaitUntilStopped() {
        for (;;) {
            int status = 0;
            pid_t r = waitpid(pid_, &status, WUNTRACED);
            if (r < 0 && errno == EINTR) continue;
            if (r < 0) return false;
            if (WIFSTOPPED(status)) return true;
            if (WIFEXITED(status) || WIFSIGNALED(status)) {
                Ended(status);
                return false;
            }
        }
    }

    void ShowStop(const DebuggerBlock& block) {
        std::string text = DescribeStop(block.file, block.line, ReadVariables(memory_, block.globals, block.globalCount),
                                        ReadVariables(memory_, block.locals, block.localCount));
        std::fputs(text.c_str(), stdout);
        std::fflush(stdout);
    }

    void TakeCommands(DebuggerBlock& block) {
        for (;;) {
            std::fputs("(tvkdebug) ", stdout);
            std::fflush(stdout);
            std::string line;
            if (!std::getline(std::cin, line)) {
                std::puts("\nno more commands: ending the program");
                RequestEnd(block);
                return;
            }
            if (!interactive_) std::puts(line.c_str());  // a transcript shows what was answered
            Command command = ParseCommand(line);
            if (command.kind == CommandKind::Repeat) command.kind = lastMove_;
            switch (command.kind) {
                case CommandKind::StepOver: return Move(block, command.kind, kDebuggerStepOver);
                case CommandKind::StepInto: return Move(block, command.kind, kDebuggerStepInto);
                case CommandKind::StepOut: return Move(block, command.kind, kDebuggerStepOut);
                case CommandKind::Run: return Move(block, command.kind, kDebuggerRun);
                case CommandKind::End: return RequestEnd(block);
                case CommandKind::ToggleBreakpoint: ToggleBreakpoint(command.where); break;
                case CommandKind::ListBreakpoints: ListBreakpoints(); break;
                case CommandKind::ShowVariables: ShowStop(block); break;
                case CommandKind::Help: std::fputs(kHelpText, stdout); break;
                default: std::puts("unknown command (h for help)"); break;
            }
        }
    }

    void Move(DebuggerBlock& block, CommandKind kind, int32_t command) {
        block.command = command;
        lastMove_ = kind;
    }

    // The end request is looked at only where the program stops, so it stops at once.
    static void RequestEnd(DebuggerBlock& block) {
        block.endRequest = 1;
        block.breakRequest = 1;
    }

    void ToggleBreakpoint(const Breakpoint& b) {
        std::string where = std::to_string(b.file) + ":" + std::to_string(b.line);
        switch (breakpoints_.Flip(b)) {
            case BreakpointList::Toggle::Added: std::printf("breakpoint at %s set\n", where.c_str()); break;
            case BreakpointList::Toggle::Removed: std::printf("breakpoint at %s cleared\n", where.c_str()); break;
            case BreakpointList::Toggle::Full: std::printf("no room for more breakpoints\n"); break;
        }
    }

    void ListBreakpoints() {
        if (breakpoints_.Entries().empty()) std::puts("no breakpoints");
        for (const Breakpoint& b : breakpoints_.Entries()) std::printf("breakpoint at %d:%d\n", b.file, b.line);
    }

    bool WriteBack(uint64_t blockAddress, DebuggerBlock& block) {
        const std::vector<Breakpoint>& entries = breakpoints_.Entries();
        std::vector<int32_t> files, lines;
        for (const Breakpoint& b : entries) {
            files.push_back(b.file);
            lines.push_back(b.line);
        }
        block.breakpointCount = static_cast<int32_t>(entries.size());
        // The head of the block holds every field a debugger writes; the addresses stay.
        return memory_.Write(block.breakpointFiles, files.data(), files.size() * sizeof(int32_t)) &&
               memory_.Write(block.breakpointLines, lines.data(), lines.size() * sizeof(int32_t)) &&
               memory_.Write(blockAddress, &block, offsetof(DebuggerBlock, breakpointFiles));
    }

    // Without memory access the program cannot be debugged; closing the channel lets it run
    // on by itself.
    void Detach(const std::string& why) {
        Report(why + "; the program goes on without the debugger");
        CloseChannel();
        kill(pid_, SIGCONT);
    }

    void CloseChannel() {
        if (channel_ >= 0) close(channel_);
        channel_ = -1;
    }

    bool ProgramEnded(int flags) {
        if (ended_) return true;
        int status = 0;
        pid_t r;
        do {
            r = waitpid(pid_, &status, flags);
        } while (r < 0 && errno == EINTR);
        if (r == pid_ && (WIFEXITED(status) || WIFSIGNALED(status))) Ended(status);
        return ended_ || r < 0;
    }

    void Ended(int status) {
        ended_ = true;
        status_ = status;
    }

    int WaitForEnd() {
        CloseChannel();
        while (!ProgramEnded(0)) {
        }
        if (!ended_) return 2;
        if (WIFSIGNALED(status_)) {
            std::printf("program killed by signal %d\n", WTERMSIG(status_));
            return 128 + WTERMSIG(status_);
        }
        std::printf("program ended with exit code %d\n", WEXITSTATUS(status_));
        return WEXITSTATUS(status_);
    }

    static void Report(const std::string& text) {
        std::fflush(stdout);
        std::fprintf(stderr, "tvkdebug: %s\n", text.c_str());
    }

    pid_t pid_;
    int channel_;
    RemoteMemory memory_;
    MessageSplitter splitter_;
    BreakpointList breakpoints_;
    bool runToBreakpoint_;
    bool firstStop_ = true;
    bool interactive_ = isatty(STDIN_FILENO) == 1;
    CommandKind lastMove_ = CommandKind::StepOver;
    bool ended_ = false;
    int status_ = 0;
};

}  // namespace

int RunSession(const SessionOptions& options) {
    LaunchedProgram program = LaunchWithChannel(options.program);
    if (program.pid < 0) {
        std::fprintf(stderr, "tvkdebug: %s\n", program.error.c_str());
        return 2;
    }
    return Session(options, program).Run();
}

}  // namespace tvkdebug
