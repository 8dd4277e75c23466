#include "files/line_files_write_back.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "files/file_names.h"
#include "files/file_stream.h"
#include "files/ini_store.h"
#include "files/line_files.h"
#include "files/memory_names.h"
#include "platform/files.h"
#include "platform/replace_file.h"
#include "tarnvik/core.h"

namespace tvk {

namespace {

std::atomic<bool> g_exitWriteBackDone{false};

void WriteBackAtProcessExit() { WritePendingFilesAtExit(); }

}  // namespace

std::string AnchoredPath(const std::string& name) {
    std::string path;
    if (!ToSystemPath(name.c_str(), path)) return std::string();
    if (IsMemoryName(path.c_str()) || path[0] == '/') return path;
    std::string directory = platform::WorkingDirectory();
    if (directory.empty()) return path;
    if (directory.back() != '/') directory += '/';
    return directory + path;
}

bool ReplaceFileContents(const std::string& path, const std::string& text) {
    if (path.empty() || IsMemoryName(path.c_str())) return false;
    std::string error;
    if (platform::ReplaceFileContent(path, text.data(), text.size(), &error)) return true;
    // The old file is still whole; say why the program's changes did not reach it.
    std::string message = "Cannot write " + path + ": " + error;
    WriteErrorLog(message.c_str());
    std::fprintf(stderr, "%s\n", message.c_str());
    return false;
}

void WritePendingFilesAtExit() {
    if (g_exitWriteBackDone.exchange(true)) return;
    WriteBackIni();
    WriteBackLineFile();
}

void ArmExitWriteBack() {
    static std::once_flag armed;
    std::call_once(armed, [] { std::atexit(WriteBackAtProcessExit); });
}

}  // namespace tvk
