#include "base/last_error.h"

#include "tarnvik/core.h"

namespace tvk {

LastErrorRecord& LastError() {
    static LastErrorRecord record;
    return record;
}

void ClearLastError() {
    LastErrorRecord& r = LastError();
    r.recordedLine = 0;
    r.code = 0;
    r.currentLine = 0;
}

}  // namespace tvk

void SetErrorCode(int32_t code) {
    tvk::LastErrorRecord& r = tvk::LastError();
    r.code = code;
    r.recordedLine = r.currentLine;
}

int32_t GetErrorCode() { return tvk::LastError().code; }
