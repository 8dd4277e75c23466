// The error log: "ErrorLog.txt" in the temporary directory, one CR LF line per entry.
#pragma once

#include <string>

namespace tvk {

std::string ErrorLogPath();
void DeleteErrorLog();

// Something the user can act on (a file in a form the runtime cannot use, say): one line on
// standard error and the same entry in the error log.
void ReportToUser(const std::string& message);

}  // namespace tvk
