#include "base/error_log.h"

#include <cstdio>
#include <string>

#include "platform/system.h"
#include "tarnvik/core.h"

namespace tvk {

std::string ErrorLogPath() { return platform::TempDirectory() + "ErrorLog.txt"; }

void DeleteErrorLog() { platform::RemoveFile(ErrorLogPath()); }

void ReportToUser(const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
    WriteErrorLog(message.c_str());
}

}  // namespace tvk

void WriteErrorLog(const char* text) {
    std::string entry = text ? text : "NULL";
    entry += "\r\n";
    const std::string path = tvk::ErrorLogPath();
    // The file is opened per entry; a writer that finds it held waits and tries again.
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (tvk::platform::AppendExclusive(path, entry.data(), entry.size())) return;
        tvk::platform::SleepMs(10);
    }
}
