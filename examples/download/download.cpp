// An HTTP download with a progress line:
//     example_download HOST PORT PATH OUTPUT
// DownloadToFile does the same in one call but returns only when the file is complete; to
// show progress, this example speaks HTTP/1.0 itself over a socket and reads the body a piece
// per frame, so the window keeps drawing while the data arrive. Escape ends.
#include <tarnvik.h>

#include <string>
#include <vector>

namespace {

constexpr RtInt kWidth = 400, kHeight = 120;
constexpr RtInt kChannel = 0;       // file channel the body is written to
constexpr RtInt kPiece = 16384;     // bytes read per frame at most
std::vector<std::string> g_args;

// The number after "Content-Length:" in the headers, -1 when they give none.
RtInt ContentLength(const std::string& headers) {
    std::string lower;
    for (char c : headers) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    size_t at = lower.find("\ncontent-length:");
    return at == std::string::npos ? -1 : StringToInt(headers.c_str() + at + 16);
}

void DrawProgress(const RtString& status, RtInt received, RtInt total) {
    PrintText(status, 10, 10, 1);
    DrawRect(10, 50, kWidth - 20, 24, 0x404040);
    if (total > 0) DrawRect(10, 50, static_cast<RtInt>((kWidth - 20) * (received / double(total))), 24, 0x00C000);
    RtString line = Concat("", received) + " of " + (total >= 0 ? RtString(total) : RtString("?")) + " bytes";
    PrintText(line, 10, 90, 1);
}

}  // namespace

void ApplySettings() {
    RuntimeSettings& s = GetRuntimeSettings();
    s.screenWidth = kWidth;
    s.screenHeight = kHeight;
    s.frameRate = 60;
    s.windowTitle = "Download";
}

int AppMain() {
    if (g_args.size() != 5) {
        WriteStderr("usage: example_download HOST PORT PATH OUTPUT\n");
        return 0;
    }
    const std::string& host = g_args[1];
    const std::string& path = g_args[3];
    InitSockets();
    RtInt socket = ConnectSocket(host.c_str(), std::stoi(g_args[2]), 5000);
    if (socket < 0) {
        WriteStderr("cannot connect: " + GetSocketError());
        return 0;
    }
    SendSocket(socket, ("GET " + path + " HTTP/1.0\r\nHost: " + host + "\r\n\r\n").c_str());

    std::string headers;  // collected until the blank line that ends them
    bool inBody = false;
    RtInt received = 0, total = -1;
    RtString status = ("Downloading " + path).c_str();
    bool done = false;
    for (;;) {
        RtString data;
        RtInt got = done ? -2 : ReceiveSocket(socket, data, kPiece);
        if (got > 0 && !inBody) {
            headers.append(data.c_str(), data.Length());
            size_t end = headers.find("\r\n\r\n");
            data = "";
            if (end != std::string::npos) {
                // Only a 2xx answer carries the file: "HTTP/1.x 2.." on the first line.
                std::string statusLine = headers.substr(0, headers.find("\r\n"));
                if (statusLine.size() < 10 || statusLine.compare(0, 5, "HTTP/") != 0 || statusLine[9] != '2') {
                    WriteStdout(("failed: " + statusLine + "\n").c_str());
                    status = ("Failed: " + statusLine).c_str();
                    CloseSocket(socket);
                    done = true;
                } else if (!OpenFileChannel(kChannel, g_args[4].c_str(), 0)) {
                    WriteStdout(("failed: cannot write " + g_args[4] + "\n").c_str());
                    status = "Failed: cannot write the file";
                    CloseSocket(socket);
                    done = true;
                } else {
                    inBody = true;
                    total = ContentLength(headers);
                    // What came after the headers is the first piece of the body.
                    data.Assign(headers.data() + end + 4, static_cast<uint32_t>(headers.size() - end - 4));
                }
            }
        }
        if (got > 0 && inBody && data.Length() > 0) {
            WriteBytes(kChannel, data);
            received += static_cast<RtInt>(data.Length());
        }
        // 0: the server closed the connection, which ends an HTTP/1.0 body.
        if (!done && (got == 0 || got == -1 || (total >= 0 && received >= total))) {
            done = true;
            if (inBody) CloseFileChannel(kChannel);
            CloseSocket(socket);
            bool complete = inBody && (total < 0 || received == total);
            status = complete ? "Done" : "Failed";
            WriteStdout(Concat(complete ? "downloaded " : "failed after ", received) + " bytes\n");
        }
        DrawProgress(status, received, total);
        ShowScreen();
    }
}

const NameEntry AppNameTable[] = {{nullptr, nullptr}};

int main(int argc, char** argv) {
    g_args.assign(argv, argv + argc);
    RunProgram(argc, argv);
}
