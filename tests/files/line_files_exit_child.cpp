// Leaves INI and line-file changes pending and ends: through the runtime ("run"), by returning
// from main ("plain"), or by calling exit ("exit"). "big" leaves a 48 MB INI value and a 48 MB
// line pending, for a test that kills the write-back midway; "full" leaves 2 MB of each pending at
// exit, for a test on a file system too small for them. The test looks at the files afterwards.
#include <tarnvik.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string g_mode;
std::string g_dir;

void MakeChanges() {
    // Relative names, then a change of directory: the files still go where they were opened.
    ChangeDirectory(g_dir.c_str());
    WriteTextLine("lines2.txt", 0, "switched");
    WriteTextLine("lines.txt", 0, "first");  // writes lines2.txt back
    WriteTextLine("lines.txt", 1, "second");
    WriteTextLine("lines.txt", 3, "fourth");
    OpenIni("settings.ini");
    IniWrite("Video", "Width", "800");
    ChangeDirectory("/");
}

}  // namespace

const NameEntry AppNameTable[] = {{nullptr, nullptr}};

void ApplySettings() {
    RuntimeSettings& s = GetRuntimeSettings();
    s.screenWidth = 64;
    s.screenHeight = 64;
}

int AppMain() {
    MakeChanges();
    return 0;
}

void MakeBigChanges() {
    ChangeDirectory(g_dir.c_str());
    std::string big(48u << 20, 'b');
    OpenIni("settings.ini");
    IniWrite("Big", "k", big.c_str());
    WriteTextLine("lines.txt", 0, big.c_str());
    std::puts("ready");
    std::fflush(stdout);
}

void MakeChangesTooBigForTheDisk() {
    ChangeDirectory(g_dir.c_str());
    std::string big(2u << 20, 'f');
    OpenIni("settings.ini");
    IniWrite("Big", "k", big.c_str());
    WriteTextLine("lines.txt", 0, big.c_str());
}

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    g_mode = argv[1];
    g_dir = argv[2];
    if (g_mode == "big") {
        MakeBigChanges();
        return 0;
    }
    if (g_mode == "full") {
        MakeChangesTooBigForTheDisk();
        return 0;
    }
    if (g_mode == "run") RunProgram(argc, argv);
    MakeChanges();
    if (g_mode == "exit") std::exit(0);
    return 0;
}
