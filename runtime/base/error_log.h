// The error log: "ErrorLog.txt" in the temporary directory, one CR LF line per entry.
#pragma once

#include <string>

namespace tvk {

std::string ErrorLogPath();
void DeleteErrorLog();

}  // namespace tvk
