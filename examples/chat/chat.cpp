// Two-player chat over a message session. Start one copy as the host and one that joins it:
//     example_chat host [PORT]
//     example_chat join HOST [PORT]
// Type a line and press Enter to send it to every other player; lines that arrive are shown
// above it (and printed on standard output). Escape ends.
#include <tarnvik.h>

#include <string>
#include <vector>

namespace {

constexpr RtInt kLines = 10;  // message lines kept on screen
std::vector<std::string> g_args;
std::vector<std::string> g_lines;

void AddLine(const RtString& text) {
    WriteStdout(text + "\n");
    g_lines.emplace_back(text.c_str());
    if (static_cast<RtInt>(g_lines.size()) > kLines) g_lines.erase(g_lines.begin());
}

bool Hosting() { return g_args.size() > 1 && g_args[1] == "host"; }

// The port is the last argument when it is a number; 0 asks for the session's own port.
RtInt Port() {
    size_t portArg = Hosting() ? 2 : 3;
    return g_args.size() > portArg ? std::stoi(g_args[portArg]) : 0;
}

}  // namespace

void ApplySettings() {
    RuntimeSettings& s = GetRuntimeSettings();
    s.screenWidth = 400;
    s.screenHeight = 240;
    s.frameRate = 60;
    s.windowTitle = Hosting() ? "Chat host" : "Chat guest";
}

int AppMain() {
    const bool host = Hosting();
    if (!host && (g_args.size() < 3 || g_args[1] != "join")) {
        WriteStderr("usage: example_chat host [PORT] | example_chat join HOST [PORT]\n");
        return 0;
    }
    // Each side registers one player; the host hands out the ids.
    RtInt started = host ? HostSession(Port()) : JoinSession(g_args[2].c_str(), Port());
    RtInt me = started ? AddPlayer(host ? "host" : "guest") : 0;
    if (me == 0) {
        WriteStderr(host ? "cannot host the session\n" : "cannot join the session\n");
        return 0;
    }
    AddLine(Concat(host ? "hosting as player " : "joined as player ", me));

    // Keep running without the keyboard focus: the other player's lines must still arrive
    // (and, on the host, be passed on) while the user types in another window.
    SetAutoPause(0);

    RtString typed;
    for (;;) {
        // Everything that arrived for our player since the last frame.
        for (RtString text = GetMessage(me); !text.Empty(); text = GetMessage(me))
            AddLine(GetPlayerName(GetMessageSender()) + ": " + text);

        // Typed characters; Enter ("\n") sends, Backspace (8) takes one back.
        for (RtString c = GetKeyChar(); !c.Empty(); c = GetKeyChar()) {
            if (c == "\n") {
                if (!typed.Empty() && SendMessage(me, 0, typed)) AddLine("me: " + typed);
                typed = "";
            } else if (c == "\b") {
                typed.Truncate(static_cast<RtInt>(typed.Length()) - 1);
            } else {
                typed = typed + c;
            }
        }

        for (size_t i = 0; i < g_lines.size(); ++i) PrintText(g_lines[i].c_str(), 8, 8 + 18.0 * i, 1);
        DrawRect(0, 200, 400, 40, 0x603010);
        PrintText("> " + typed + "_", 8, 212, 1);
        ShowScreen();
    }
}

const NameEntry AppNameTable[] = {{nullptr, nullptr}};

int main(int argc, char** argv) {
    g_args.assign(argv, argv + argc);
    RunProgram(argc, argv);
}
