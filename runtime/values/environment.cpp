// GetEnv and SetEnv.
#include <string>

#include "platform/platform_info.h"
#include "platform/system.h"
#include "tarnvik/values.h"

RtString GetEnv(const RtString& name) {
    if (name.Empty()) return RtString(tvk::platform::EnvironmentBlock('\n').c_str());
    return RtString(tvk::platform::GetEnvironment(name.c_str()).c_str());
}

void SetEnv(const RtString& name, const RtString& value) {
    // The program's name variable is left as it was: appending "=value" to it would make a second
    // SetEnv with the same variable set a different name.
    tvk::platform::SetEnvironment(std::string(name.c_str(), name.Length()), std::string(value.c_str(), value.Length()));
}
