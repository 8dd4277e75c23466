// The file a download saves its body to. The body goes to a temporary file beside the target,
// which replaces the target only when the whole body arrived and every byte was written; any
// failure leaves an existing file exactly as it was.
#pragma once

#include <string>

#include "platform/replace_file.h"

namespace tvk {

class HttpDownloadTarget {
public:
    // Starts the temporary file for name ("/" or "\" separated). False when name is a mem:// name
    // (error 10022) or the file cannot be made (the system's reason, also said on standard error
    // and in the error log).
    bool Open(const char* name);
    // False, with the system's reason recorded and said, when a byte could not be written.
    bool Write(const char* bytes, size_t count);
    // Renames the finished file over the target; false, with the reason recorded and said, when
    // that fails (the old file stays).
    bool Commit();
    void Abandon() { file_.Abandon(); }

private:
    bool Fail();

    std::string name_;
    platform::ReplacingFile file_;
};

}  // namespace tvk
